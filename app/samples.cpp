#include "app/samples.h"
#include "common/labels.h"

#include "common/pathtext.h"
#include "folders/folderlist.h"
#include "folders/subfolderwalk.h"
#include "folders/window.h"
#include "platform/filesystem.h"
#include "platform/userdialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace tarnwick {

QString SampleRoot(const QString& programFolder, QChar separator) {
    return WithoutTrailingSeparator(programFolder, separator) + separator +
           QStringLiteral("Samples") + separator;
}

bool UserCanRenameInside(const QString& folder) {
    return QFileInfo(folder).isWritable();
}

namespace {

[[noreturn]] void CopyFailed(const QString& path) {
    throw Failure(failure_code::kPathFileAccessError,
                  QCoreApplication::translate("Tarnwick",
                                              "Path/File access error: the sample folders could "
                                              "not be copied to %1")
                      .arg(QDir::toNativeSeparators(path)));
}

// Copies the tree's folders and files; links are left out, so nothing outside it comes along.
void CopyTree(const QString& from, const QString& to) {
    const QDir source(from);
    QDirIterator entries(from, QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QFileInfo entry = entries.nextFileInfo();
        if (entry.isSymLink())
            continue;
        const QString target = to + u'/' + source.relativeFilePath(entry.filePath());
        if (entry.isDir() ? !QDir().mkpath(target) : !QFile::copy(entry.filePath(), target))
            CopyFailed(target);
    }
}

} // namespace

QString SampleHome(const QString& programFolder, const QString& userDataFolder,
                   const std::function<bool(const QString& folder)>& canRenameInside) {
    const QString shipped = QDir(programFolder).filePath(QStringLiteral("Samples"));
    if (!QFileInfo(shipped).isDir() || canRenameInside(shipped) || userDataFolder.isEmpty())
        return programFolder;
    const QString copy = QDir(userDataFolder).filePath(QStringLiteral("Samples"));
    if (QFileInfo(copy).isDir())
        return userDataFolder;
    if (!QDir().mkpath(userDataFolder))
        CopyFailed(copy);
    // Made aside and put in place whole, so a copy cut short is never taken for the samples.
    QTemporaryDir staging(QDir(userDataFolder).filePath(QStringLiteral(".Samples-XXXXXX")));
    if (!staging.isValid())
        CopyFailed(copy);
    CopyTree(shipped, staging.path());
    QFile::setPermissions(staging.path(), QFileInfo(shipped).permissions() | QFile::WriteOwner |
                                              QFile::ReadOwner | QFile::ExeOwner);
    // Another start of the program may have put its copy in place meanwhile; that one serves.
    if (!QDir().rename(staging.path(), copy) && !QFileInfo(copy).isDir())
        CopyFailed(copy);
    return userDataFolder;
}

void PushButton6_Click(WindowServices& window, const QString& programFolder) {
    ErrorTrap trap(QString::fromUtf16(kSamplesLabel), ReportThrough(window.dialogs()));
    const QChar separator = window.fileSystem().separator();
    QString root;
    QStringList collection;
    trap.step(SamplesStep::FindRoot, [&] {
        // The program's own samples stay the root when no copy can be made for the user.
        root = SampleRoot(programFolder, separator);
        root = SampleRoot(SampleHome(programFolder, QStandardPaths::writableLocation(
                                                        QStandardPaths::AppDataLocation)),
                          separator);
    });
    trap.step(SamplesStep::Hourglass, [&] { window.setPointer(PointerSetting::Hourglass); });
    trap.step(SamplesStep::TakeRoot, [&] { collection = QStringList{root + separator}; });
    trap.step(SamplesStep::WalkSubfolders, [&] {
        GetSubDirectories2016(
            collection, true, window.fileSystem(), [&] { window.pumpMessages(); },
            ReportThrough(window.dialogs()));
    });
    trap.step(SamplesStep::AppendRows, [&] {
        // The first entry is the "Samples" folder itself, which is never listed.
        QStringList rows;
        rows.reserve(collection.size());
        for (qsizetype i = 1; i < collection.size(); ++i)
            rows << CollapseBackslashes(collection[i], separator);
        window.setPointer(PointerSetting::Hourglass);
        window.folderList().appendRows(rows);
    });
    trap.step(SamplesStep::Arrow, [&] { window.setPointer(PointerSetting::Default); });
    trap.step(SamplesStep::Preview, [&] { window.previewRename(); });
    MessageAnswer answer = MessageAnswer::No;
    trap.step(SamplesStep::AskToOpen, [&] {
        answer = window.dialogs().showMessage(
            QCoreApplication::translate("Tarnwick",
                                        "Would you like this software to open the folder where "
                                        "these sample files are stored (so that you can view "
                                        "them before working with them)?"),
            window.applicationTitle(), MessageButtons::YesNo, MessageIcon::None);
    });
    trap.step(SamplesStep::OpenFolder, [&] {
        if (answer == MessageAnswer::Yes)
            window.dialogs().openFolder(root);
    });
}

} // namespace tarnwick
