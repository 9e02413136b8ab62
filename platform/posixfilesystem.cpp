#include "platform/posixfilesystem.h"

#include "common/failure.h"
#include "platform/posixdirectory.h"
#include "platform/posixfolder.h"
#include "platform/posixlookup.h"
#include "platform/posixnames.h"

#include <QByteArray>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <utility>
#ifndef RENAME_NOREPLACE
#include <linux/fs.h>
#endif

namespace tarnwick {

using posix::Directory;
using posix::FailureFromErrno;
using posix::LookupIgnoresCase;
using posix::LookupTellsTheTruth;
using posix::SystemPath;

namespace {

// A folder opened without following a link at its end fails this way on a link: the link's own
// status then, none when something else made it fail.
std::optional<struct stat> LinkRefusedOpening(int error, const char* path) {
    struct stat status;
    if ((error == ELOOP || error == ENOTDIR) && lstat(path, &status) == 0 &&
        S_ISLNK(status.st_mode))
        return status;
    return std::nullopt;
}

// The two names of a rename in the system's bytes. A name the host cannot address is not there;
// one it cannot bear is refused. Throws Failure.
struct RenameNames {
    RenameNames(const QString& fromText, const QString& toText) : from(fromText), to(toText) {
        if (!from.data())
            throw FailureFromErrno(ENOENT);
        if (!to.data())
            throw FailureFromErrno(EINVAL);
    }
    posix::NameBytes from;
    posix::NameBytes to;
};

} // namespace

PosixFileSystem::PosixFileSystem() {
    m_rules.separator = u'/';
    m_rules.codePage = CodePage::Unicode;
    m_rules.lengthsInBytes = true;
    // Whole paths go to the system with their NUL; the trailing separator is not sent.
    m_rules.pathBound = PATH_MAX + 1;
    m_rules.pathLimit = PATH_MAX + 1;
    m_rules.nameBound = NAME_MAX + 1;
    m_rules.nameMax = NAME_MAX;
    m_rules.lossyListings = false;
    m_rules.refusesCaseTwins = true;
}

std::optional<int> PosixFileSystem::attributes(const QString& path) {
    const std::optional<QByteArray> bytes = SystemPath(path);
    if (!bytes)
        return std::nullopt;
    struct stat status;
    if (lstat(bytes->constData(), &status) != 0)
        return std::nullopt;
    int bits = 0;
    if (S_ISDIR(status.st_mode)) {
        bits = attribute::kDirectory;
    } else if (S_ISLNK(status.st_mode)) {
        bits = attribute::kReparsePoint;
        struct stat target;
        if (stat(bytes->constData(), &target) == 0 && S_ISDIR(target.st_mode))
            bits |= attribute::kDirectory;
    } else if (S_ISREG(status.st_mode)) {
        bits = attribute::kArchive;
    }
    const char* leaf = bytes->constData() + bytes->lastIndexOf('/') + 1;
    if (leaf[0] == '.' && !posix::IsDotOrDotDot(leaf))
        bits |= attribute::kHidden;
    return bits;
}

bool PosixFileSystem::isRoot(const QString& path) {
    return !path.isEmpty() &&
           std::all_of(path.begin(), path.end(), [](QChar c) { return c == u'/'; });
}

FolderListing PosixFileSystem::list(const QString& folder, Through through) {
    const std::optional<QByteArray> path = SystemPath(folder);
    if (!path)
        throw FailureFromErrno(ENOENT);
    // O_NOFOLLOW: a symbolic link is an entry of its parent, never a folder to walk into.
    Directory directory(AT_FDCWD, path->constData(), through == Through::Link ? 0 : O_NOFOLLOW);
    if (const int error = directory.error()) {
        if (const auto link = LinkRefusedOpening(error, path->constData()))
            return {{static_cast<quint64>(link->st_dev), static_cast<quint64>(link->st_ino)}, {}};
        throw FailureFromErrno(error);
    }
    return directory.readAll();
}

std::optional<FileIdentity> PosixFileSystem::identity(const QString& folder) {
    const std::optional<QByteArray> path = SystemPath(folder);
    struct stat status;
    if (!path || fstatat(AT_FDCWD, path->constData(), &status, AT_NO_AUTOMOUNT) != 0 ||
        !S_ISDIR(status.st_mode))
        return std::nullopt;
    return FileIdentity{static_cast<quint64>(status.st_dev), static_cast<quint64>(status.st_ino)};
}

std::unique_ptr<OpenFolder> PosixFileSystem::open(const QString& folder) {
    QString path = folder.endsWith(u'/') ? folder : folder + u'/';
    const std::optional<QByteArray> bytes = SystemPath(path);
    if (!bytes)
        return nullptr;
    // Most folders are reached without a link on the way, and then the caller need not ask
    // about the folders above them. Anything else is opened as before.
    if (std::unique_ptr<Directory> direct = Directory::withoutLinks(AT_FDCWD, bytes->constData());
        direct->error() == 0)
        return std::make_unique<PosixFolder>(*this, std::move(path), std::move(direct), true);
    auto directory = std::make_unique<Directory>(AT_FDCWD, bytes->constData(), O_NOFOLLOW);
    switch (directory->error()) {
    case 0:
        return std::make_unique<PosixFolder>(*this, std::move(path), std::move(directory));
    case ENOENT:
        // Spelt in other letter case, perhaps: the path as found, then, if a folder is there.
        if (std::optional<QString> found = findIgnoringCase(path); found && *found != path)
            return open(*found);
        return nullptr;
    case ELOOP:
    case ENOTDIR:
        if (LinkRefusedOpening(directory->error(), bytes->constData()))
            return std::make_unique<PosixFolder>(*this, std::move(path), nullptr);
        return nullptr;
    default:
        throw FailureFromErrno(directory->error());
    }
}

std::unique_ptr<OpenFolder> PosixFileSystem::openInside(OpenFolder& folder, const QString& name) {
    // Only a folder of this host's, held with its descriptor, is reached from; anything the name
    // does not open plainly (a link, another letter case, a failure) is found from the root, as
    // open() finds it.
    auto* held = dynamic_cast<PosixFolder*>(&folder);
    const posix::NameBytes bytes(name);
    if (held && held->fd() >= 0 && bytes.data()) {
        if (std::unique_ptr<Directory> inside = Directory::withoutLinks(held->fd(), bytes.data());
            inside->error() == 0) {
            auto opened = std::make_unique<PosixFolder>(
                *this, folder.path() + name + u'/', std::move(inside), held->reachedWithoutLinks());
            opened->openedInside(*held);
            return opened;
        }
    }
    return open(folder.path() + name);
}

std::unique_ptr<OpenFolder> PosixFileSystem::holdForListing(const QString& folder,
                                                            OpenFolder* before) {
    const std::optional<QByteArray> bytes = SystemPath(folder);
    if (!bytes)
        return nullptr;
    // Followed as the path of each folder inside it would be; a path alone, as a search of the
    // folder needs no more.
    auto directory = std::make_unique<Directory>(AT_FDCWD, bytes->constData(), O_PATH);
    if (directory->error() != 0)
        return nullptr;
    auto held = std::make_unique<PosixFolder>(*this, folder, std::move(directory));
    if (const auto* previous = dynamic_cast<PosixFolder*>(before))
        held->heldAfter(*previous);
    return held;
}

FolderListing PosixFileSystem::listInside(OpenFolder& folder, const QString& name,
                                          const FileIdentity& listed) {
    auto* held = dynamic_cast<PosixFolder*>(&folder);
    const posix::NameBytes bytes(name);
    if (held && held->fd() >= 0 && bytes.data()) {
        // Anything but a plain folder on the held folder's mount is opened as list() opens it.
        if (std::unique_ptr<Directory> inside = Directory::onSameMount(held->fd(), bytes.data());
            inside->error() == 0) {
            // Where every folder of a mount is on its device, the listing told the folder's
            // identity: the walk of a tree asks nothing more of each folder than its entries.
            FolderListing listing = held->soleDevice(listed.device) == listed.device
                                        ? FolderListing{listed, inside->readEntries(listed.device)}
                                        : inside->readAll();
            listing.reachedInside = true;
            return listing;
        }
    }
    return list(folder.path() + name, Through::NoLink);
}

void PosixFileSystem::renameInside(int folderFd, const QString& from, const QString& to) {
    const RenameNames names(from, to);
    if (const int error = rename(folderFd, names.from.data(), names.to.data()))
        throw FailureFromErrno(error);
}

void PosixFileSystem::renameFolder(const QString& parent, const QString& from, const QString& to) {
    const std::optional<QByteArray> parentPath = SystemPath(parent);
    if (!parentPath)
        throw FailureFromErrno(ENOENT);
    const RenameNames names(from, to);
    const QByteArray head = *parentPath == "/" ? *parentPath : *parentPath + '/';
    const QByteArray fromPath = head + names.from.data();
    const QByteArray toPath = head + names.to.data();

    int error = 0;
    if (fromPath.size() < PATH_MAX && toPath.size() < PATH_MAX) {
        // Whole paths: nothing to open or close around the rename itself.
        error = rename(AT_FDCWD, fromPath.constData(), toPath.constData());
    } else {
        // Too long to name whole, but its parent can still be opened: renamed inside it.
        Directory folder(AT_FDCWD, parentPath->constData(), 0);
        error = folder.error() ? folder.error()
                               : rename(folder.fd(), names.from.data(), names.to.data());
    }
    if (error != 0)
        throw FailureFromErrno(error);
}

int PosixFileSystem::rename(int folderFd, const char* from, const char* to) {
    // A disk that refused the no-replace flag once refuses it always: on a network share or a
    // FUSE disk each refusal costs a trip to the server, so it is not asked again.
    beforeRename(folderFd, from, to);
    std::optional<quint64> device;
    if (!m_withoutNoReplace.empty()) {
        device = DeviceOf(folderFd, from);
        if (device && m_withoutNoReplace.contains(*device))
            return renameChecked(folderFd, from, to);
    }
    const int error = renameExclusive(folderFd, from, to);
    if (error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP) {
        if (!device)
            device = DeviceOf(folderFd, from);
        if (device)
            m_withoutNoReplace.insert(*device);
        return renameChecked(folderFd, from, to);
    }
    return error;
}

// The folder's own device, which its entries share (a mount point inside it cannot be renamed):
// asked of the open folder, whose attributes the host keeps at hand, rather than of an entry,
// which on a share or a FUSE disk is a trip to the server every time.
std::optional<quint64> PosixFileSystem::DeviceOf(int folderFd, const char* entry) {
    struct stat status;
    const int asked = folderFd == AT_FDCWD ? fstatat(folderFd, entry, &status, AT_SYMLINK_NOFOLLOW)
                                           : fstat(folderFd, &status);
    if (asked != 0)
        return std::nullopt;
    return static_cast<quint64>(status.st_dev);
}

int PosixFileSystem::renameExclusive(int folderFd, const char* from, const char* to) {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 28))
    const int result = ::renameat2(folderFd, from, folderFd, to, RENAME_NOREPLACE);
#else
    const long result = syscall(SYS_renameat2, folderFd, from, folderFd, to, RENAME_NOREPLACE);
#endif
    return result == 0 ? 0 : errno;
}

int PosixFileSystem::renameUnflagged(int folderFd, const char* from, const char* to) {
    return renameat(folderFd, from, folderFd, to) == 0 ? 0 : errno;
}

// Without the no-replace flag a folder's rename is checked, not staged: the target is looked up in
// the folder held open just before a plain rename, which never replaces a folder that is not
// empty. What is left open is another program making an empty folder of exactly that name in
// those microseconds. Claiming the name first with a placeholder folder left the same race open
// (a program may swap the placeholder for its own empty folder) and cost a folder made and one
// replaced on every rename: on a FUSE passthrough, two to three times as long as the check.
int PosixFileSystem::renameChecked(int folderFd, const char* from, const char* to) {
    struct stat status;
    if (fstatat(folderFd, from, &status, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    if (!S_ISDIR(status.st_mode)) {
        // A folder link is given its second name by a call that fails on any name taken, then
        // loses its first.
        if (linkat(folderFd, from, folderFd, to, 0) != 0)
            return errno;
        if (unlinkat(folderFd, from, 0) != 0) {
            const int error = errno;
            unlinkat(folderFd, to, 0);
            return error;
        }
        return 0;
    }
    struct stat taken;
    if (fstatat(folderFd, to, &taken, AT_SYMLINK_NOFOLLOW) == 0)
        return EEXIST;
    if (errno != ENOENT)
        return errno;
    return renameUnflagged(folderFd, from, to);
}

void PosixFileSystem::checkMayRenameIn(const QString& folder) {
    if (faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), W_OK | X_OK, AT_EACCESS) != 0)
        throw posix::FailureFromErrno(errno);
}

std::optional<FileIdentity> PosixFileSystem::entryIdentity(const QString& path) {
    const std::optional<QByteArray> bytes = SystemPath(path);
    struct stat status;
    if (!bytes || lstat(bytes->constData(), &status) != 0)
        return std::nullopt;
    return FileIdentity{static_cast<quint64>(status.st_dev), static_cast<quint64>(status.st_ino)};
}

bool PosixFileSystem::lookupIgnoresCase(const QString& folder, const QString& probe) {
    const std::optional<QByteArray> path = SystemPath(folder);
    if (!path)
        return true;
    const Directory directory(AT_FDCWD, path->constData(), 0);
    return directory.error() != 0 ||
           lookupIgnoresCase(directory.fd(), posix::FileSystemKind(directory.fd()), probe)
               .value_or(true);
}

std::optional<bool> PosixFileSystem::lookupIgnoresCase(int folderFd, unsigned long kind,
                                                       const QString& probe) {
    return LookupIgnoresCase(folderFd, kind, probe);
}

std::optional<QString> PosixFileSystem::findIgnoringCase(const QString& path) {
    const std::optional<QByteArray> bytes = SystemPath(path);
    if (!bytes)
        return std::nullopt;
    struct stat status;
    if (lstat(bytes->constData(), &status) == 0)
        return path;
    if (!bytes->startsWith('/'))
        return std::nullopt;

    const QList<QByteArray> components = bytes->mid(1).split('/');
    QString found;
    auto directory = std::make_unique<Directory>(AT_FDCWD, "/", 0);
    try {
        for (qsizetype i = 0; i < components.size(); ++i) {
            if (directory->error())
                return std::nullopt;
            QByteArray name = components[i];
            if (fstatat(directory->fd(), name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
                const QString text = QFile::decodeName(name);
                const posix::NameMatcher wanted(components[i], text);
                std::optional<QByteArray> match;
                while (const dirent64* entry = directory->next()) {
                    const size_t length = std::strlen(entry->d_name);
                    if (!wanted.matches(entry->d_name, length))
                        continue;
                    if (match)
                        return std::nullopt;
                    match = QByteArray(entry->d_name, static_cast<qsizetype>(length));
                }
                if (!match)
                    return std::nullopt;
                name = *match;
            }
            found += u'/';
            found += QFile::decodeName(name);
            if (i + 1 < components.size())
                directory = std::make_unique<Directory>(directory->fd(), name.constData(), 0);
        }
    } catch (const Failure&) {
        return std::nullopt;
    }
    if (path.endsWith(u'/'))
        found += u'/';
    return found;
}

FileSystem& HostFileSystem() {
    static PosixFileSystem fileSystem;
    return fileSystem;
}

} // namespace tarnwick
