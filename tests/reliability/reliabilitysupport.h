#pragma once

#include "folders/addfolders.h"
#include "folders/folderlist.h"
#include "rename/renameengine.h"
#include "rename/renamerun.h"
#include "tests/support/fakewindow.h"
#include "tests/support/reports.h"

#include <QByteArray>
#include <QDataStream>
#include <QFile>
#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// What the reliability tests share: the disk read as raw bytes, the tally of what was injected
// and what came of it, a session at the window from adding to renaming, and a child process to
// run a session in where the parent must not be changed (rights given up, a mount namespace).
namespace tarnwick::test {

using tarnwick::test::kLower;
using tarnwick::test::kProper;
using tarnwick::test::kSentence;
using tarnwick::test::kUpper;
inline const QString kEngineLabel = QString::fromUtf16(kRenameFilesWildLabel);

inline constexpr uid_t kNobody = 65534;

// ---- The disk as it is, byte for byte ----

namespace detail {

inline void CollectRaw(int folderFd, const QByteArray& prefix, QList<QByteArray>& out) {
    const int listingFd = ::dup(folderFd);
    DIR* folder = listingFd < 0 ? nullptr : ::fdopendir(listingFd);
    if (!folder) {
        if (listingFd >= 0)
            ::close(listingFd);
        out << prefix + "<unreadable>";
        return;
    }
    while (const dirent* entry = ::readdir(folder)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        struct stat status;
        if (::fstatat(folderFd, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
            out << prefix + name + "<gone>";
        } else if (S_ISDIR(status.st_mode)) {
            out << prefix + name + '/';
            const int childFd =
                ::openat(folderFd, entry->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (childFd < 0) {
                out << prefix + name + "/<unreadable>";
                continue;
            }
            CollectRaw(childFd, prefix + name + '/', out);
            ::close(childFd);
        } else if (S_ISLNK(status.st_mode)) {
            char target[4096];
            const ssize_t length = ::readlinkat(folderFd, entry->d_name, target, sizeof target);
            out << prefix + name + " -> " + QByteArray(target, length < 0 ? 0 : length);
        } else {
            out << prefix + name;
        }
    }
    ::closedir(folder);
}

} // namespace detail

// Every entry below root, relative to it and in the bytes the disk holds: folders end in "/",
// links show their target after " -> ". Read through descriptors, so depth is no limit.
inline QList<QByteArray> RawTree(const QByteArray& root) {
    QList<QByteArray> entries;
    const int rootFd = ::open(root.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (rootFd < 0)
        return {"<root unreadable>"};
    detail::CollectRaw(rootFd, {}, entries);
    ::close(rootFd);
    std::sort(entries.begin(), entries.end());
    return entries;
}

inline QList<QByteArray> RawTree(const QString& root) {
    return RawTree(QFile::encodeName(root));
}

// Relative paths as written in a test, in the disk's bytes and binary order.
inline QList<QByteArray> Bytes(const QStringList& relative) {
    QList<QByteArray> entries;
    for (const QString& path : relative)
        entries << QFile::encodeName(path);
    std::sort(entries.begin(), entries.end());
    return entries;
}

// Bytes outside printable ASCII shown as \xNN, so a failed comparison says what differs.
inline QByteArray Printable(const QByteArray& bytes) {
    QByteArray text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f && byte != '\\')
            text += c;
        else
            text += "\\x" + QByteArray::number(byte, 16).rightJustified(2, '0');
    }
    return text;
}

namespace detail {

inline void RemoveBelow(int folderFd) {
    QList<QByteArray> names;
    const int listingFd = ::dup(folderFd);
    if (DIR* folder = listingFd < 0 ? nullptr : ::fdopendir(listingFd)) {
        while (const dirent* entry = ::readdir(folder)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                names << name;
        }
        ::closedir(folder);
    } else if (listingFd >= 0) {
        ::close(listingFd);
    }
    for (const QByteArray& name : std::as_const(names)) {
        struct stat status;
        if (::fstatat(folderFd, name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISDIR(status.st_mode)) {
            const int childFd = ::openat(folderFd, name.constData(),
                                         O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (childFd >= 0) {
                RemoveBelow(childFd);
                ::close(childFd);
            }
            ::unlinkat(folderFd, name.constData(), AT_REMOVEDIR);
        } else {
            ::unlinkat(folderFd, name.constData(), 0);
        }
    }
}

} // namespace detail

// A temporary folder removed through descriptors when it goes, so that names which are no text
// and paths beyond PATH_MAX go with it.
class RawTemporaryDir {
public:
    RawTemporaryDir() { m_folder.setAutoRemove(false); }
    ~RawTemporaryDir() {
        if (!m_folder.isValid())
            return;
        const QByteArray path = QFile::encodeName(m_folder.path());
        const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            detail::RemoveBelow(fd);
            ::close(fd);
        }
        ::rmdir(path.constData());
    }
    RawTemporaryDir(const RawTemporaryDir&) = delete;
    RawTemporaryDir& operator=(const RawTemporaryDir&) = delete;

    bool isValid() const { return m_folder.isValid(); }
    QString path() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
};

// ---- The tally ----

// What the suite injected and what came of it, printed at the end so the figures can be cited.
struct Tally {
    int faults = 0;
    int hostileNames = 0;
    int foldersChecked = 0;
    int lost = 0;
    int stranded = 0;
    // Left under the temporary name where no way back exists, and reported with that name.
    int strandedReported = 0;
};

inline Tally& Counted() {
    static Tally tally;
    return tally;
}

inline void PrintTally(const char* suite) {
    const Tally& tally = Counted();
    qInfo("%s: %d faults injected, %d hostile names tried, %d folders checked on disk, "
          "%d lost, %d stranded under a temporary name, %d left there with no way back and "
          "reported so",
          suite, tally.faults, tally.hostileNames, tally.foldersChecked, tally.lost, tally.stranded,
          tally.strandedReported);
}

// The disk after a run against the tree expected: a folder expected and missing is lost, an
// entry whose name ends in the intermediate suffix and was not there before is stranded. None may
// be lost, none stranded but where the test expects it (no way back existed), and the tree must be
// the expected one exactly.
inline void CheckTree(const QList<QByteArray>& before, const QList<QByteArray>& after,
                      const QList<QByteArray>& expected, int expectedStranded = 0) {
    int lost = 0;
    int stranded = 0;
    int folders = 0;
    for (const QByteArray& entry : expected) {
        if (entry.endsWith('/') && !after.contains(entry))
            ++lost;
    }
    for (const QByteArray& entry : after) {
        if (entry.endsWith('/'))
            ++folders;
        const QByteArray leaf = entry.endsWith('/') ? entry.chopped(1) : entry;
        if (leaf.endsWith("9999999") && !before.contains(entry))
            ++stranded;
    }
    Tally& tally = Counted();
    tally.lost += lost;
    tally.foldersChecked += folders;
    if (stranded == expectedStranded)
        tally.strandedReported += stranded;
    else
        tally.stranded += stranded;

    QByteArray differences;
    for (const QByteArray& entry : expected) {
        if (!after.contains(entry))
            differences += "\n  missing: " + Printable(entry);
    }
    for (const QByteArray& entry : after) {
        if (!expected.contains(entry))
            differences += "\n  unexpected: " + Printable(entry);
    }
    QVERIFY2(differences.isEmpty(), differences.constData());
    QCOMPARE(lost, 0);
    QCOMPARE(stranded, expectedStranded);
}

// Each message is an error box of the engine at the line given, in the order given, and mentions
// the text given.
inline void CheckErrors(const QStringList& errors, const QList<int>& lines,
                        const QString& mentions = {}) {
    QVERIFY2(errors.size() == lines.size(), qPrintable(QStringLiteral("%1 errors, %2 expected:\n%3")
                                                           .arg(errors.size())
                                                           .arg(lines.size())
                                                           .arg(errors.join(u'\n'))));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString place =
            QStringLiteral("\r\n%1at line %2\r\r").arg(kEngineLabel).arg(lines[i]);
        QVERIFY2(errors[i].contains(place), qPrintable(errors[i]));
        QVERIFY2(errors[i].contains(mentions), qPrintable(errors[i]));
    }
}

// ---- A session at the window ----

// What a session showed: the rows after adding, the messages, the rows after the run.
struct SessionReport {
    QString setupFailure;
    QStringList listed;
    QStringList errors;
    QStringList messages;
    QStringList nows;
    QStringList newPaths;
};

inline QDataStream& operator<<(QDataStream& out, const SessionReport& report) {
    return out << report.setupFailure << report.listed << report.errors << report.messages
               << report.nows << report.newPaths;
}

inline QDataStream& operator>>(QDataStream& in, SessionReport& report) {
    return in >> report.setupFailure >> report.listed >> report.errors >> report.messages >>
           report.nows >> report.newPaths;
}

// The user at the window: Add Folder(s) with the subfolder option on (which ends with the
// preview), then Start Renaming.
class Session {
public:
    Session(FileSystem& fileSystem, const QString& operation) : window(fileSystem) {
        window.operation = operation;
        window.subfoldersChecked = true;
    }

    // chosen is what the folder browser returns: a path without a trailing separator.
    void add(const QString& chosen) {
        window.fakeDialogs.chosenFolders << chosen;
        PushButton3_Click(window);
        m_report.listed = window.column(FolderListModel::kNow);
    }

    void run() { PushButton2_Click(window); }

    SessionReport report() {
        m_report.errors = window.fakeDialogs.errors();
        m_report.messages.clear();
        for (const FakeUserDialogs::Message& message : window.fakeDialogs.messages) {
            if (message.title != QString::fromLatin1(kErrorTitle))
                m_report.messages << message.text;
        }
        m_report.nows = window.column(FolderListModel::kNow);
        m_report.newPaths = window.column(FolderListModel::kNewName);
        return m_report;
    }

    FakeWindow window;

private:
    SessionReport m_report;
};

// The paths below root made relative to it, sorted; others as they are.
inline QStringList Relative(QStringList paths, const QString& root) {
    for (QString& path : paths) {
        if (path.startsWith(root))
            path = path.mid(root.size());
    }
    paths.sort();
    return paths;
}

// ---- A child process ----

// Runs body in a forked child and returns the bytes it produced, or none with the reason. The
// child leaves through _exit, so neither the test framework nor the sanitizers' exit checks run
// in it a second time, and whatever it changes in itself (rights, mounts) dies with it.
inline std::optional<QByteArray> RunInChild(const std::function<QByteArray()>& body, QString* why) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        *why = QStringLiteral("pipe: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return std::nullopt;
    }
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) {
        *why = QStringLiteral("fork: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        ::close(ends[0]);
        ::close(ends[1]);
        return std::nullopt;
    }
    if (child == 0) {
        ::close(ends[0]);
        int code = 0;
        try {
            const QByteArray output = body();
            for (qsizetype written = 0; written < output.size();) {
                const ssize_t step =
                    ::write(ends[1], output.constData() + written, output.size() - written);
                if (step < 0 && errno == EINTR)
                    continue;
                if (step <= 0) {
                    code = 3;
                    break;
                }
                written += step;
            }
        } catch (...) {
            code = 2;
        }
        ::close(ends[1]);
        ::_exit(code);
    }
    ::close(ends[1]);
    QByteArray output;
    char buffer[65536];
    for (;;) {
        const ssize_t step = ::read(ends[0], buffer, sizeof buffer);
        if (step < 0 && errno == EINTR)
            continue;
        if (step <= 0)
            break;
        output.append(buffer, step);
    }
    ::close(ends[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        *why = QStringLiteral("the child process failed (status %1)").arg(status);
        return std::nullopt;
    }
    return output;
}

// A session run in a child: body fills the report there, the parent gets it back.
inline std::optional<SessionReport> SessionInChild(const std::function<SessionReport()>& body,
                                                   QString* why) {
    const std::optional<QByteArray> bytes = RunInChild(
        [&] {
            QByteArray output;
            QDataStream out(&output, QIODevice::WriteOnly);
            out << body();
            return output;
        },
        why);
    if (!bytes)
        return std::nullopt;
    SessionReport report;
    QDataStream in(*bytes);
    in >> report;
    if (in.status() != QDataStream::Ok) {
        *why = QStringLiteral("the child's report could not be read");
        return std::nullopt;
    }
    return report;
}

// Gives up root's rights for good: no supplementary groups, then the group and the user nobody.
// The empty text on success, else what failed.
inline QString DropRootRights() {
    if (::setgroups(0, nullptr) != 0)
        return QStringLiteral("setgroups: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
    if (::setresgid(kNobody, kNobody, kNobody) != 0)
        return QStringLiteral("setresgid: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
    if (::setresuid(kNobody, kNobody, kNobody) != 0)
        return QStringLiteral("setresuid: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
    if (::geteuid() != kNobody || ::setresuid(0, 0, 0) == 0)
        return QStringLiteral("root's rights could not be given up");
    return {};
}

} // namespace tarnwick::test
