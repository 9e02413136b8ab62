#pragma once

#include "platform/filesystem.h"

#include <cstdint>
#include <dirent.h>
#include <memory>

namespace tarnwick::posix {

// An open folder: a descriptor for the *at calls, and its entries read on demand.
class Directory {
public:
    // flags are added to O_RDONLY | O_DIRECTORY | O_CLOEXEC (O_NOFOLLOW, say).
    Directory(int at, const char* path, int flags);
    // Opened only when no folder on the way to it, itself included, is a symbolic link: error()
    // is ELOOP where one is, and ENOSYS where the system cannot tell.
    static std::unique_ptr<Directory> withoutLinks(int at, const char* path);
    // The folder name inside the folder at, opened only where it is no link and no mount sits on
    // it: it is on at's file system. error() is EXDEV at a mount, ELOOP at a link.
    static std::unique_ptr<Directory> onSameMount(int at, const char* name);
    ~Directory();
    Directory(const Directory&) = delete;
    Directory& operator=(const Directory&) = delete;

    int fd() const { return m_fd; }
    // The errno value of a failed opening, 0 when open.
    int error() const { return m_error; }

    // The next entry other than "." and "..", or null after the last. Throws Failure.
    const dirent64* next();

    // The folder's identity and every entry that can be addressed, each entry's kind taken from
    // the listing itself and asked of the disk only where the listing leaves it unknown or the
    // entry is a link. Reads from the first entry, whatever next() read before. Throws Failure.
    FolderListing readAll();
    // The entries alone, as readAll() gives them, each entry's identity on device.
    std::vector<DirectoryEntry> readEntries(quint64 device);

private:
    Directory(int fd, int error) : m_fd(fd), m_error(error) {}
    static std::unique_ptr<Directory> resolved(int at, const char* path, std::uint64_t resolve);

    static constexpr std::size_t kBufferSize = 32768;
    // Fills buffer with the next entries; returns the bytes read, 0 at the end. Throws Failure.
    std::size_t read(char* buffer, std::size_t size);

    int m_fd;
    int m_error;
    // For next() only: a listing read whole needs no buffer beyond its own call.
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_filled = 0;
    std::size_t m_at = 0;
    // Read from before: a listing read whole starts again from the first entry.
    bool m_started = false;
};

} // namespace tarnwick::posix
