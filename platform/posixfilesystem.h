#pragma once

#include "platform/filesystem.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <memory>

namespace tarnwick {

// The file system of a POSIX host, made to behave like a case-insensitive, case-preserving one:
// a rename never replaces an entry, also not one whose name differs only in letter case.
// Names that do not survive the conversion to text and back cannot be addressed and are left out.
class PosixFileSystem : public FileSystem {
public:
    QChar separator() const override { return u'/'; }
    std::optional<int> attributes(const QString& path) override;
    bool isRoot(const QString& path) override;
    PosixFileSystem();
    ~PosixFileSystem() override;

    QStringList subfolders(const QString& folder) override;
    SubfolderLookup lookUpSubfolder(const QString& parent, const QString& name) override;
    bool hasCaseTwin(const QString& parent, const QString& name) override;
    void renameFolder(const QString& parent, const QString& from, const QString& to) override;
    void restoreFolderName(const QString& parent, const QString& from, const QString& to) override;
    std::optional<QString> findIgnoringCase(const QString& path) override;
    std::optional<QString> findFolderIgnoringCase(const QString& path) override;
    QString refusedNameCharacters() const override { return {}; }

protected:
    // The two system calls of a rename, each returning 0 or an errno value. Tests override them
    // to reach what a local disk never does: a file system that refuses the no-replace flag, a
    // rename onto the placeholder that fails.
    virtual int renameExclusive(int folderFd, const char* from, const char* to);
    virtual int renameOntoPlaceholder(int folderFd, const char* from, const char* to);

private:
    struct Listing;

    // The entries of the folder that was asked about last. A run renames many folders of one
    // parent in a row; reading the parent once instead of once a question keeps a flat folder of
    // 10,000 from costing 10,000 readings. Checked against the folder's identity and change times
    // before every use, and kept true after each of its own renames.
    Listing& listing(const QByteArray& folder);

    void rename(const QString& parent, const QString& from, const QString& to,
                bool refuseCaseTwins);
    int renameThroughPlaceholder(int folderFd, const char* from, const char* to);

    std::unique_ptr<Listing> m_listing;
};

} // namespace tarnwick
