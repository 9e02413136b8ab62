#pragma once

#include "common/listedpath.h"
#include "common/pathtext.h"
#include "platform/posixfilesystem.h"
#include "tests/support/fakefilesystem.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace tarnwick::test {

// A folder tree to rename in, on the fake host or in a real temporary folder. Paths are given
// relative to its root, so one table of cases serves every host.
class TrialFolders {
public:
    virtual ~TrialFolders() = default;

    virtual FileSystem& fileSystem() = 0;
    // Absolute, ending with "/".
    virtual QString root() const = 0;
    // Parents are created as needed.
    virtual bool addFolder(const QString& relative) = 0;
    virtual bool addFile(const QString& relative) = 0;
    // Every folder (with a trailing "/") and file below the root, relative to it, sorted.
    virtual QStringList tree() const = 0;

    QString path(const QString& relative) const { return root() + relative; }
};

class FakeTrialFolders : public TrialFolders {
public:
    explicit FakeTrialFolders(FakeFileSystem::Mode mode) : fake(mode) {}

    FileSystem& fileSystem() override { return fake; }
    QString root() const override { return QStringLiteral("/"); }
    bool addFolder(const QString& relative) override {
        fake.addFolder(path(relative));
        return true;
    }
    bool addFile(const QString& relative) override {
        fake.addFile(path(relative));
        return true;
    }
    QStringList tree() const override {
        QStringList relative;
        for (const QString& entry : fake.tree())
            relative << entry.mid(1);
        relative.sort();
        return relative;
    }

    FakeFileSystem fake;
};

// A real temporary folder, renamed in through the POSIX file system.
class DiskTrialFolders : public TrialFolders {
public:
    bool isValid() const { return m_folder.isValid(); }

    FileSystem& fileSystem() override { return m_fileSystem; }
    QString root() const override { return m_folder.path() + u'/'; }
    bool addFolder(const QString& relative) override { return QDir().mkpath(path(relative)); }
    bool addFile(const QString& relative) override {
        QFile file(path(relative));
        return QDir().mkpath(QFileInfo(file).absolutePath()) && file.open(QIODevice::WriteOnly);
    }
    QStringList tree() const override {
        QStringList relative;
        const QDir base(m_folder.path());
        QDirIterator entries(m_folder.path(),
                             QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                             QDirIterator::Subdirectories);
        while (entries.hasNext()) {
            const QFileInfo entry(entries.next());
            const QString name = base.relativeFilePath(entry.filePath());
            relative << (entry.isDir() ? name + u'/' : name);
        }
        relative.sort();
        return relative;
    }

private:
    QTemporaryDir m_folder;
    PosixFileSystem m_fileSystem;
};

enum class TrialHost { CaseSensitiveFake, CaseInsensitiveFake, Disk };

inline std::unique_ptr<TrialFolders> MakeTrialFolders(TrialHost host) {
    switch (host) {
    case TrialHost::CaseSensitiveFake:
        return std::make_unique<FakeTrialFolders>(FakeFileSystem::Mode::CaseSensitive);
    case TrialHost::CaseInsensitiveFake:
        return std::make_unique<FakeTrialFolders>(FakeFileSystem::Mode::CaseInsensitive);
    case TrialHost::Disk:
        break;
    }
    return std::make_unique<DiskTrialFolders>();
}

inline const char* TrialHostName(TrialHost host) {
    switch (host) {
    case TrialHost::CaseSensitiveFake:
        return "case-sensitive fake";
    case TrialHost::CaseInsensitiveFake:
        return "case-insensitive fake";
    case TrialHost::Disk:
        break;
    }
    return "disk";
}

// A whole path kept as the list keeps a row: its parent's path, and its name.
inline ListedPath CutAtName(const QString& whole, QChar separator) {
    const qsizetype at = LeafStart(whole, separator);
    return ListedPath(whole.left(at), whole.mid(at));
}

} // namespace tarnwick::test
