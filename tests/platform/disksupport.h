#pragma once

#include "common/failure.h"
#include "platform/posixfilesystem.h"
#include "tests/support/disktree.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <unistd.h>

// What the tests of the host's file system share: a way to reach the checked rename on any
// disk, and small helpers to build and read real folders.
namespace tarnwick::test {

// The host's file system with the two system calls of a rename scripted: it stands in for a file
// system that refuses the no-replace flag, or for a checked rename that fails.
// -1 leaves the real call in place.
class ScriptedFileSystem : public PosixFileSystem {
public:
    int exclusiveError = -1;
    int uncheckedError = -1;
    int checkedRenames = 0;
    int exclusiveRenames = 0;

protected:
    int renameExclusive(int folderFd, const char* from, const char* to) override {
        ++exclusiveRenames;
        return exclusiveError < 0 ? PosixFileSystem::renameExclusive(folderFd, from, to)
                                  : exclusiveError;
    }
    int renameUnflagged(int folderFd, const char* from, const char* to) override {
        ++checkedRenames;
        return uncheckedError < 0 ? PosixFileSystem::renameUnflagged(folderFd, from, to)
                                  : uncheckedError;
    }
};

// How a rename test reaches the disk: the way the disk answers, or always checked, as where the
// file system refuses the no-replace flag.
enum class Strategy { AsTheDiskAnswers, Checked };

inline void useStrategy(ScriptedFileSystem& fileSystem, Strategy strategy) {
    if (strategy == Strategy::Checked)
        fileSystem.exclusiveError = EINVAL;
}

inline const std::pair<Strategy, const char*> kStrategies[] = {
    {Strategy::AsTheDiskAnswers, "as the disk answers"}, {Strategy::Checked, "checked"}};

// The number of the failure the rename throws, 0 when it went through.
inline int renameFailure(FileSystem& fileSystem, const QString& parent, const QString& from,
                         const QString& to) {
    try {
        fileSystem.renameFolder(parent, from, to);
    } catch (const Failure& failure) {
        return failure.number();
    }
    return 0;
}

// A folder seen through a FUSE passthrough (bindfs) of a folder on this disk: a disk whose daemon
// answers every request, as on a share. Taken down when it goes.
class PassthroughMount {
public:
    // The empty text when mounted, else why it cannot be.
    QString mount(const QString& under, const QString& at) {
        if (geteuid() != 0)
            return QStringLiteral("needs root to mount");
        if (access("/dev/fuse", R_OK | W_OK) != 0)
            return QStringLiteral("no usable /dev/fuse");
        if (QStandardPaths::findExecutable(QStringLiteral("bindfs")).isEmpty())
            return QStringLiteral("bindfs not found (Debian package bindfs)");
        if (QProcess::execute(QStringLiteral("bindfs"), {under, at}) != 0)
            return QStringLiteral("bindfs could not mount");
        m_at = at;
        return {};
    }
    ~PassthroughMount() {
        if (!m_at.isEmpty())
            QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), m_at});
    }

private:
    QString m_at;
};

} // namespace tarnwick::test

Q_DECLARE_METATYPE(tarnwick::test::Strategy)
