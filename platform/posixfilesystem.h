#pragma once

#include "platform/filesystem.h"

#include <optional>
#include <set>

namespace tarnwick {

// The file system of a POSIX host. It keeps nothing between calls. Names that do not survive the
// conversion to text and back cannot be addressed and are left out of listings. A rename never
// replaces an entry: with the no-replace flag, or where a file system refuses that flag, by
// claiming the target name first.
class PosixFileSystem : public FileSystem {
public:
    PosixFileSystem();

    const HostRules& rules() const override { return m_rules; }
    // An entry met in a listing whose name begins with "." is hidden and system; asked for by its
    // path (a folder the user chose) it is hidden only, so a chosen one is walked.
    std::optional<int> attributes(const QString& path) override;
    bool isRoot(const QString& path) override;
    FolderListing list(const QString& folder, Through through = Through::NoLink) override;
    void renameFolder(const QString& parent, const QString& from, const QString& to) override;
    std::unique_ptr<OpenFolder> open(const QString& folder) override;
    std::unique_ptr<OpenFolder> openInside(OpenFolder& folder, const QString& name) override;
    std::unique_ptr<OpenFolder> holdForListing(const QString& folder, OpenFolder* before) override;
    FolderListing listInside(OpenFolder& folder, const QString& name,
                             const FileIdentity& listed) override;
    std::optional<QString> findIgnoringCase(const QString& path) override;
    bool lookupIgnoresCase(const QString& folder, const QString& probe) override;
    std::optional<FileIdentity> entryIdentity(const QString& path) override;
    void checkMayRenameIn(const QString& folder) override;
    // Asked without mounting what an automounter would mount there.
    std::optional<FileIdentity> identity(const QString& folder) override;

protected:
    // The two system calls of a rename, each returning 0 or an errno value; from and to are
    // relative to folderFd, which is AT_FDCWD for whole paths. Tests override them to reach what
    // a local disk never does: a file system that refuses the no-replace flag, a checked rename
    // that fails.
    virtual int renameExclusive(int folderFd, const char* from, const char* to);
    virtual int renameUnflagged(int folderFd, const char* from, const char* to);
    // Called before every rename, for tests that change the disk at that moment.
    virtual void beforeRename(int folderFd, const char* from, const char* to) {
        (void)folderFd;
        (void)from;
        (void)to;
    }
    // Whether the lookup inside the folder of folderFd, on a file system of that kind, ignores
    // letter case, as the folder tells it; none where it cannot be told. Tests override it to
    // stand in for a disk that ignores case.
    virtual std::optional<bool> lookupIgnoresCase(int folderFd, unsigned long kind,
                                                  const QString& probe);

private:
    friend class PosixFolder;
    // Renames from to to inside the folder of folderFd, giving up on a name the host cannot
    // address. Throws Failure.
    void renameInside(int folderFd, const QString& from, const QString& to);
    int rename(int folderFd, const char* from, const char* to);
    int renameChecked(int folderFd, const char* from, const char* to);
    static std::optional<quint64> DeviceOf(int folderFd, const char* entry);

    HostRules m_rules;
    // The devices that refused the no-replace flag: asked once, on a share each refusal is a trip
    // to the server.
    std::set<quint64> m_withoutNoReplace;
};

} // namespace tarnwick
