#pragma once

#include "folders/rowvector.h"
#include "platform/filesystem.h"
#include "rename/lastrun.h"
#include "rename/renamerun.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <algorithm>
#include <sys/stat.h>

// The tree a run is killed in: parents p000, p001, ... of 99 subfolders c00 to c98 each, all in
// lower case, renamed to UPPER CASE, subfolders first as the walk lists them.
namespace tarnwick::test {

inline constexpr int kFoldersPerParent = 100;

inline QString ParentName(int parent) {
    return QStringLiteral("p%1").arg(parent, 3, 10, QChar(u'0'));
}

inline QString ChildName(int child) {
    return QStringLiteral("c%1").arg(child, 2, 10, QChar(u'0'));
}

// Makes the tree of about folders folders below root (a path ending with "/"); false on failure.
inline bool MakeKillTree(const QString& root, int folders) {
    for (int parent = 0; parent < std::max(1, folders / kFoldersPerParent); ++parent) {
        const QByteArray top = QFile::encodeName(root + ParentName(parent));
        if (::mkdir(top.constData(), 0755) != 0)
            return false;
        for (int child = 0; child + 1 < kFoldersPerParent; ++child) {
            if (::mkdir((top + '/' + QFile::encodeName(ChildName(child))).constData(), 0755) != 0)
                return false;
        }
    }
    return true;
}

// The tree as RawTree reads it, before the run or after it.
inline QList<QByteArray> KillTree(int folders, bool renamed) {
    QList<QByteArray> entries;
    for (int parent = 0; parent < std::max(1, folders / kFoldersPerParent); ++parent) {
        QString top = ParentName(parent);
        if (renamed)
            top = top.toUpper();
        entries << QFile::encodeName(top + u'/');
        for (int child = 0; child + 1 < kFoldersPerParent; ++child) {
            const QString name = renamed ? ChildName(child).toUpper() : ChildName(child);
            entries << QFile::encodeName(top + u'/' + name + u'/');
        }
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

// The rows of the run: every subfolder, then every parent, each with its identity and its name
// in UPPER CASE, or in lower case where it bears its name in UPPER CASE already: the tree
// renamed once is renamed back by the next run.
inline void ListKillTree(FileSystem& fileSystem, const QString& root, RowVector& rows) {
    std::vector<ListedPath> paths;
    std::vector<FileIdentity> identities;
    std::vector<ListedPath> parents;
    std::vector<FileIdentity> parentIdentities;
    for (const DirectoryEntry& top : fileSystem.list(root).entries) {
        const QString parent = root + top.name + u'/';
        for (const DirectoryEntry& child : fileSystem.list(parent).entries) {
            paths.emplace_back(parent, child.name + u'/');
            identities.push_back(child.identity);
        }
        parents.emplace_back(root, top.name + u'/');
        parentIdentities.push_back(top.identity);
    }
    paths.insert(paths.end(), parents.begin(), parents.end());
    identities.insert(identities.end(), parentIdentities.begin(), parentIdentities.end());
    rows.appendPaths(paths, identities);
    for (int row = 0; row < rows.count(); ++row) {
        const ListedPath& now = rows.path(row, ListRows::kNow);
        const QString& name = now.tail();
        rows.setPath(
            row, ListRows::kNewName,
            ListedPath(now.head(), name == name.toUpper() ? name.toLower() : name.toUpper()));
    }
}

// Runs the kill tree below root in the rows, recorded in journals; kept, where given, holds what
// the run renamed, as the window's last run does.
inline std::optional<RunTally> RunRecorded(const QString& root, const QString& journals,
                                           UserDialogs& dialogs, RowVector& rows,
                                           LastRun* kept = nullptr) {
    ListKillTree(HostFileSystem(), root, rows);
    LastRun own;
    return RunRenames({rows,
                       HostFileSystem(),
                       dialogs,
                       QStringLiteral("Tarnwick"),
                       {},
                       kept ? *kept : own,
                       {},
                       {},
                       {},
                       journals});
}

} // namespace tarnwick::test
