#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <limits>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "common/listedpath.h"
#include "common/pathtext.h"

namespace tarnwick {

// Attribute bits in the values of the host the program was made for.
namespace attribute {
inline constexpr int kHidden = 2;
inline constexpr int kSystem = 4;
inline constexpr int kDirectory = 16;
inline constexpr int kArchive = 32;
inline constexpr int kReparsePoint = 1024;
} // namespace attribute

// Where an entry lives: two names of one folder (a bind mount, a loop) share it.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

inline size_t qHash(const FileIdentity& identity, size_t seed = 0) {
    return qHashMulti(seed, identity.device, identity.inode);
}

enum class EntryKind {
    Folder,
    // A symbolic link leading to a folder: listed like one, never walked into.
    FolderLink,
    // Files, devices, links to anything else or to nothing.
    Other,
};

// One entry of a folder as the host lists it.
struct DirectoryEntry {
    // As the host stores it.
    QString name;
    EntryKind kind = EntryKind::Other;
    // The host's attribute bits, as attributes() reports them for an entry met in its parent.
    int attributes = 0;
    // As listed: an entry on which another file system is mounted shows the folder beneath it.
    FileIdentity identity;

    bool isFolder() const { return kind != EntryKind::Other; }
};

struct FolderListing {
    // The folder's own identity, taken from the opened folder.
    FileIdentity identity;
    // In the host's listing order; "." and ".." are never among them.
    std::vector<DirectoryEntry> entries;
    // Reached from a folder held open by its name alone, through no link and no mount: a folder
    // of that folder's own mount, below it.
    bool reachedInside = false;
};

// What tells one host from another, stated once so that the walk and the engine ask for it
// instead of knowing which host they run on.
struct HostRules {
    QChar separator = kHostSeparator;
    // Characters the host refuses in a name, besides the separator and NUL.
    QString refusedNameCharacters;
    CodePage codePage = CodePage::Unicode;
    // Lengths counted in the bytes of the host's encoding rather than in characters.
    bool lengthsInBytes = true;
    // A folder path (with its trailing separator) this long or longer is neither walked nor listed.
    qsizetype pathBound = 4097;
    // A folder path (with its trailing separator) this long or longer cannot be addressed in one
    // call, and is left out of a walk.
    qsizetype pathLimit = std::numeric_limits<qsizetype>::max();
    // A name this long or longer is not taken by the walk.
    qsizetype nameBound = 256;
    // The longest name an entry can bear.
    qsizetype nameMax = 255;
    // Listings that can lose characters: a listed folder may then be found by its name key only.
    bool lossyListings = false;
    // A listing tells each entry's kind and attributes as they are: a walk then takes them from
    // the listing of the parent instead of asking for each folder again.
    bool listingsTellKinds = true;
    // A rename to a name that another entry of the parent bears in other letter case is refused.
    bool refusesCaseTwins = true;

    // True when the text's length, as this host counts it, is less than bound.
    bool shorterThan(const QString& text, qsizetype bound) const;
    // The same for a path kept in two parts, joined only where it must be encoded to be measured.
    bool shorterThan(const ListedPath& path, qsizetype bound) const;
    // True for a name the host would store: not empty, not "." or "..", within nameMax, without
    // the separator, NUL or a refused character.
    bool canBearName(const QString& name) const;
};

// A folder held open for a series of questions and renames inside it: each reaches this folder,
// and the host need not find it by its path again for every call.
class OpenFolder {
public:
    virtual ~OpenFolder() = default;
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

    // Where the host found it, ending with the separator, in its letter case on disk where the
    // path it was opened by spelt it otherwise.
    const QString& path() const { return m_path; }
    // Its entries as they are now, as list() gives them but for their identities, which are not
    // told. Throws Failure.
    virtual std::vector<DirectoryEntry> entries() = 0;
    // As FileSystem::renameFolder, inside this folder. Throws Failure.
    virtual void rename(const QString& from, const QString& to) = 0;
    // True when no folder on the way to it, itself included, was a symbolic link as it was
    // opened: nothing above it can lead elsewhere. False where the host cannot tell.
    virtual bool reachedWithoutLinks() const { return false; }
    // Whether the host's lookup of a name inside this folder ignores letter case, as the host
    // answers for probe, the name of one of its entries that no other entry bears in other case.
    // Then a change of letter case alone must go through an intermediate name to take effect. True
    // where it cannot be told: the detour is safe on any disk, a direct change of case on a disk
    // that ignores case is not.
    virtual bool lookupIgnoresCase(const QString& probe) {
        (void)probe;
        return true;
    }
    // Whether the identities of its entries stay as they were listed while a folder is not in
    // use. False where the file system makes them up in memory (FAT, exFAT, many FUSE and
    // network file systems): there a folder is known by its name alone.
    virtual bool identitiesLast() { return false; }
    // What the host says this folder is, as its parent's listing would say it, where identities
    // last; none elsewhere, for the root of a mount, and where it cannot be told.
    virtual std::optional<FileIdentity> listedIdentity() { return std::nullopt; }

protected:
    explicit OpenFolder(QString path) : m_path(std::move(path)) {}

private:
    QString m_path;
};

// Everything the program asks of the disk, in primitives: questions about the disk and single
// changes, nothing shaped for one caller. It keeps nothing between calls; what a run has read
// belongs to the run. Paths use rules().separator; a folder path may end in one. Operations that
// can fail throw Failure with the numbers of common/failure.h.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual const HostRules& rules() const = 0;
    QChar separator() const { return rules().separator; }
    QString refusedNameCharacters() const { return rules().refusedNameCharacters; }

    // The attribute bits of the path (a file or a folder), or none when they cannot be read.
    virtual std::optional<int> attributes(const QString& path) = 0;

    // True for the root of a file system ("/", a drive's root).
    virtual bool isRoot(const QString& path) = 0;

    enum class Through { NoLink, Link };
    // The entries of one folder. A symbolic link is read through only when told so: a chosen
    // folder may be one, a folder met below it never is walked into.
    virtual FolderListing list(const QString& folder, Through through = Through::NoLink) = 0;

    // Renames the entry from to the name to inside parent. Never replaces anything that bears the
    // name as the host resolves it; whether another entry bears it in other letter case is the
    // caller's question (HostRules::refusesCaseTwins), answered from the entries it has read.
    virtual void renameFolder(const QString& parent, const QString& from, const QString& to) = 0;

    // The folder at path, found as findIgnoringCase finds it; null when no folder is there. A
    // symbolic link at its end is not gone through: it opens as a folder without entries, as
    // list() shows it. Throws Failure when something is there but cannot be opened.
    virtual std::unique_ptr<OpenFolder> open(const QString& folder);
    // The folder name inside a folder held open, found as open() finds folder.path() + name; the
    // host may reach it from the held folder, one name instead of the whole path.
    virtual std::unique_ptr<OpenFolder> openInside(OpenFolder& folder, const QString& name) {
        return open(folder.path() + name);
    }
    // A folder whose subfolders are about to be listed one after another, held open so that each
    // is reached from it (listInside); null where the host holds nothing open or cannot open it.
    // before is the folder held so until now, if any: what it knew of its disk may serve again.
    virtual std::unique_ptr<OpenFolder> holdForListing(const QString& folder,
                                                       OpenFolder* before = nullptr) {
        (void)folder;
        (void)before;
        return nullptr;
    }
    // The entries of the folder name inside a folder held open, as list(folder.path() + name)
    // gives them; listed is what folder's listing said name is. The host may reach it from the held
    // folder, one name instead of the whole path, and answer listed for its identity where nothing
    // on the way (a mount, a subvolume) could make it another.
    virtual FolderListing listInside(OpenFolder& folder, const QString& name,
                                     const FileIdentity& listed) {
        (void)listed;
        return list(folder.path() + name);
    }
    // The path as it is on disk: as written when it exists so, or found component by component
    // ignoring letter case (each component matching exactly one entry). None otherwise.
    virtual std::optional<QString> findIgnoringCase(const QString& path) = 0;

    // What the host says the entry at path is (a link itself, not what it leads to), as its
    // parent's listing tells it; none where it cannot be told.
    virtual std::optional<FileIdentity> entryIdentity(const QString& path) {
        (void)path;
        return std::nullopt;
    }
    // OpenFolder::lookupIgnoresCase for the folder at path, for hosts that hold nothing open.
    virtual bool lookupIgnoresCase(const QString& folder, const QString& probe) {
        (void)folder;
        (void)probe;
        return true;
    }

    // Throws Failure, as renameFolder would, when the host can tell without renaming that this
    // user may not rename entries inside the folder (no write permission, a read-only mount).
    // Does nothing where it cannot tell.
    virtual void checkMayRenameIn(const QString& folder) { (void)folder; }

    // The identity of the folder at path, a symbolic link at its end gone through; none where no
    // folder is there or the host cannot tell.
    virtual std::optional<FileIdentity> identity(const QString& folder);

    // The names of the folder's subfolders and links to folders, in listing order.
    QStringList subfolders(const QString& folder);
};

// True when the path names an existing file or folder.
bool PathExists(FileSystem& fileSystem, const QString& path);

// True when the path names an existing folder.
bool IsFolder(FileSystem& fileSystem, const QString& path);

// The host's file system.
FileSystem& HostFileSystem();

} // namespace tarnwick
