#include "transform/preview.h"

#include "folders/folderlist.h"
#include "folders/knownfolders.h"

namespace tarnwick {

QString PreviewNewPath(const QString& now, Operation operation, QChar separator) {
    const QString path = WithoutTrailingSeparator(now, separator);
    const qsizetype cut = path.lastIndexOf(separator) + 1;
    QString result;
    result.reserve(path.size() + 1);
    result.append(QStringView(path).left(cut));
    result.append(ConvertName(operation, path.mid(cut)));
    result.append(separator);
    return result;
}

void PreviewRename(FolderListModel& list, const QString& operationText, const FailureReport& report,
                   QChar separator) {
    PreviewRename(list, operationText, report, separator, KnownFolders());
}

void PreviewRename(FolderListModel& list, const QString& operationText, const FailureReport& report,
                   QChar separator, const KnownFolders& known) {
    ErrorTrap trap(QString::fromUtf16(kPreviewRenameLabel), report);
    if (list.count() == 0)
        return;
    std::optional<Operation> operation;
    trap.step(PreviewStep::MatchOperation, [&] { operation = MatchOperation(operationText); });
    if (!operation)
        return;
    const Operation chosen = *operation;
    trap.step(PreviewStep::WriteNewNames, [&] {
        list.writeNewNames(
            separator,
            [&](QStringView name, QChar after) {
                return ConvertNameWithSeparator(chosen, name, after);
            },
            &known);
    });
}

} // namespace tarnwick
