#include "platform/posixdirectory.h"

#include "platform/posixnames.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace tarnwick::posix {

namespace {

bool FollowsToFolder(int folderFd, const char* name) {
    struct stat target;
    return fstatat(folderFd, name, &target, 0) == 0 && S_ISDIR(target.st_mode);
}

EntryKind KindOfLink(int folderFd, const char* name) {
    return FollowsToFolder(folderFd, name) ? EntryKind::FolderLink : EntryKind::Other;
}

// The kind as the listing tells it; only what it leaves unknown is asked of the disk.
EntryKind KindOf(int folderFd, const dirent64& entry, bool& isLink) {
    isLink = false;
    switch (entry.d_type) {
    case DT_DIR:
        return EntryKind::Folder;
    case DT_LNK:
        isLink = true;
        return KindOfLink(folderFd, entry.d_name);
    case DT_UNKNOWN: {
        struct stat status;
        if (fstatat(folderFd, entry.d_name, &status, AT_SYMLINK_NOFOLLOW) != 0)
            return EntryKind::Other;
        if (S_ISDIR(status.st_mode))
            return EntryKind::Folder;
        isLink = S_ISLNK(status.st_mode);
        return isLink ? KindOfLink(folderFd, entry.d_name) : EntryKind::Other;
    }
    default:
        return EntryKind::Other;
    }
}

// An entry whose name begins with "." belongs to a program (".git", ".cache"): hidden and system,
// the counterpart of the hidden system folders a walk leaves out.
int AttributesOf(EntryKind kind, bool isLink, const dirent64& entry) {
    int bits = 0;
    switch (kind) {
    case EntryKind::Folder:
        bits = attribute::kDirectory;
        break;
    case EntryKind::FolderLink:
        bits = attribute::kDirectory | attribute::kReparsePoint;
        break;
    case EntryKind::Other:
        bits =
            isLink ? attribute::kReparsePoint : (entry.d_type == DT_REG ? attribute::kArchive : 0);
        break;
    }
    if (entry.d_name[0] == '.')
        bits |= attribute::kHidden | attribute::kSystem;
    return bits;
}

// A record's header, a one-byte name and its NUL, aligned to eight bytes.
constexpr std::size_t kShortestRecord = 24;

} // namespace

Directory::Directory(int at, const char* path, int flags)
    : m_fd(::openat(at, path, O_RDONLY | O_DIRECTORY | O_CLOEXEC | flags)),
      m_error(m_fd < 0 ? errno : 0) {}

std::unique_ptr<Directory> Directory::withoutLinks(int at, const char* path) {
    return resolved(at, path, RESOLVE_NO_SYMLINKS);
}

std::unique_ptr<Directory> Directory::onSameMount(int at, const char* name) {
    return resolved(at, name, RESOLVE_NO_SYMLINKS | RESOLVE_NO_XDEV);
}

std::unique_ptr<Directory> Directory::resolved(int at, const char* path, std::uint64_t resolve) {
    // Asked once: a system without the call (or a sandbox that refuses it) answers alike for
    // every folder.
    static std::atomic<bool> unavailable = false;
    if (unavailable.load(std::memory_order_relaxed))
        return std::unique_ptr<Directory>(new Directory(-1, ENOSYS));
    open_how how{};
    how.flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
    how.resolve = resolve;
    const auto fd = static_cast<int>(::syscall(SYS_openat2, at, path, &how, sizeof how));
    const int error = fd < 0 ? errno : 0;
    if (error == ENOSYS || error == EPERM || error == E2BIG) {
        unavailable.store(true, std::memory_order_relaxed);
        return std::unique_ptr<Directory>(new Directory(-1, ENOSYS));
    }
    return std::unique_ptr<Directory>(new Directory(fd, error));
}

Directory::~Directory() {
    if (m_fd >= 0)
        close(m_fd);
}

std::size_t Directory::read(char* buffer, std::size_t size) {
    if (m_error)
        throw FailureFromErrno(m_error);
    m_started = true;
    const ssize_t bytes = getdents64(m_fd, buffer, size);
    if (bytes < 0)
        throw FailureFromErrno(errno);
    return static_cast<std::size_t>(bytes);
}

const dirent64* Directory::next() {
    if (!m_buffer)
        m_buffer = std::make_unique<char[]>(kBufferSize);
    for (;;) {
        if (m_at >= m_filled) {
            m_filled = read(m_buffer.get(), kBufferSize);
            m_at = 0;
            if (m_filled == 0)
                return nullptr;
        }
        const auto* entry = reinterpret_cast<const dirent64*>(m_buffer.get() + m_at);
        m_at += entry->d_reclen;
        if (!IsDotOrDotDot(entry->d_name))
            return entry;
    }
}

FolderListing Directory::readAll() {
    if (m_error)
        throw FailureFromErrno(m_error);
    struct stat status;
    if (fstat(m_fd, &status) != 0)
        throw FailureFromErrno(errno);
    const auto device = static_cast<quint64>(status.st_dev);
    return {{device, static_cast<quint64>(status.st_ino)}, readEntries(device)};
}

std::vector<DirectoryEntry> Directory::readEntries(quint64 device) {
    if (m_error)
        throw FailureFromErrno(m_error);
    if (m_started && lseek(m_fd, 0, SEEK_SET) != 0)
        throw FailureFromErrno(errno);
    m_filled = m_at = 0;
    std::vector<DirectoryEntry> entries;
    // On the stack: listings are read one at a time, and a walk reads a great many of them.
    alignas(dirent64) char buffer[kBufferSize];
    while (const std::size_t filled = read(buffer, sizeof buffer)) {
        // Room for as many entries as the shortest records could bring, and at least twice the
        // room so far: a large folder is not copied once per read. Nothing for a folder with only
        // "." and "..", which most folders of a tree are.
        if (const std::size_t room = entries.size() + filled / kShortestRecord;
            filled > 2 * kShortestRecord && room > entries.capacity())
            entries.reserve(std::max(room, 2 * entries.capacity()));
        for (std::size_t at = 0; at < filled;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
            at += entry->d_reclen;
            if (IsDotOrDotDot(entry->d_name))
                continue;
            std::optional<QString> name = EntryName(entry->d_name, std::strlen(entry->d_name));
            if (!name)
                continue;
            bool isLink = false;
            const EntryKind kind = KindOf(m_fd, *entry, isLink);
            entries.push_back({std::move(*name),
                               kind,
                               AttributesOf(kind, isLink, *entry),
                               {device, static_cast<quint64>(entry->d_ino)}});
        }
    }
    return entries;
}

} // namespace tarnwick::posix
