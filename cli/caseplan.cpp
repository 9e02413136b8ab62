#include "cli/caseplan.h"

#include "cli/commandservices.h"
#include "cli/terminal.h"
#include "common/pathtext.h"
#include "folders/addfolders.h"
#include "folders/folderlist.h"
#include "folders/knownfolders.h"
#include "transform/preview.h"

#include <QCoreApplication>

namespace tarnwick::cli {

RowVector AddChosen(const QStringList& chosen, bool subfolders, FileSystem& fileSystem,
                    UserDialogs& dialogs, ProgressLine& progress,
                    const std::function<bool()>& stopRequested) {
    RowVector rows;
    qint64 examined = 0;
    progress.stage(QCoreApplication::translate("Tarnwick", "Folders looked through"));
    const AddSurroundings add{rows,
                              fileSystem,
                              dialogs,
                              [subfolders] { return subfolders; },
                              [&] {
                                  if (stopRequested && stopRequested())
                                      throw AdditionStopped{};
                                  progress.tell(++examined);
                              },
                              {}};
    AddFolders(add, chosen);
    return rows;
}

RowMarks Preview(RowVector& rows, Operation operation, const KnownFolders& known, QChar separator) {
    std::vector<FolderEntry> entries;
    entries.reserve(static_cast<std::size_t>(rows.count()));
    for (int row = 0; row < rows.count(); ++row) {
        const ListedPath& now = rows.path(row, ListRows::kNow);
        ListedPath next;
        if (known.contains(now)) {
            next = now;
        } else if (now.cutAtName(separator)) {
            // The parent's path is kept as the row keeps it, shared with its other rows.
            const QString& tail = now.tail();
            const QString newName =
                ConvertName(operation, WithoutTrailingSeparator(tail, separator));
            next = ListedPath(now.head(), IsNameWithSeparator(tail, newName, separator)
                                              ? tail
                                              : newName + separator);
        } else {
            next = ListedPath(PreviewNewPath(now.toString(), operation, separator));
        }
        rows.setPath(row, ListRows::kNewName, next);
        entries.push_back({now, std::move(next), rows.identity(row)});
    }
    return MarksFromColumns(entries, RowMarks(), separator, false);
}

} // namespace tarnwick::cli
