#pragma once

#include "platform/filesystem.h"
#include "platform/posixdirectory.h"
#include "platform/posixfilesystem.h"
#include "platform/posixlookup.h"
#include "platform/posixnames.h"

#include <QString>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace tarnwick {

// Held by its descriptor: renames inside it name one entry each, with no path to walk.
class PosixFolder : public OpenFolder {
public:
    // A null directory stands for a symbolic link, which is not gone through.
    PosixFolder(PosixFileSystem& fileSystem, QString path,
                std::unique_ptr<posix::Directory> directory, bool withoutLinks = false)
        : OpenFolder(std::move(path)), m_fileSystem(fileSystem), m_directory(std::move(directory)),
          m_withoutLinks(withoutLinks) {}

    std::vector<DirectoryEntry> entries() override {
        if (!m_directory)
            return {};
        return m_directory->readEntries(held().device);
    }
    bool identitiesLast() override { return m_directory && posix::LookupTellsTheTruth(kind()); }
    void rename(const QString& from, const QString& to) override {
        if (!m_directory)
            throw posix::FailureFromErrno(ENOENT);
        m_fileSystem.renameInside(m_directory->fd(), from, to);
    }
    bool reachedWithoutLinks() const override { return m_withoutLinks; }
    // Its descriptor; -1 for a link, which is not gone through.
    int fd() const { return m_directory ? m_directory->fd() : -1; }
    // Opened inside above: a folder on the same device is on the same file system, and is not
    // asked what kind it is. Each parent of a tree's rows would otherwise ask once more.
    void openedInside(PosixFolder& above) {
        if (above.m_directory)
            m_sameDiskAs = {above.held().device, above.kind()};
    }
    // The device of every folder below it on its mount, where its file system keeps one device
    // for a whole mount (btrfs gives each subvolume a device of its own); none elsewhere. listed
    // is the device its parent's listing gave it.
    std::optional<quint64> soleDevice(quint64 listed) {
        if (!m_directory)
            return std::nullopt;
        if (!m_soleDevice) {
            // Placed by its listing on the device of the folder held before it, which was asked:
            // the same file system, and nothing to ask again for each parent of a tree.
            if (m_soleDeviceBefore && *m_soleDeviceBefore == listed)
                m_soleDevice = listed;
            else if (posix::OneDevicePerMount(kind()) && held().device != 0)
                m_soleDevice = held().device;
            else
                m_soleDevice = 0;
        }
        return *m_soleDevice ? std::optional<quint64>(*m_soleDevice) : std::nullopt;
    }
    // Held for the listing of its subfolders after before, another folder held so.
    void heldAfter(const PosixFolder& before) {
        if (before.m_soleDevice && *before.m_soleDevice)
            m_soleDeviceBefore = before.m_soleDevice;
    }
    std::optional<FileIdentity> listedIdentity() override {
        if (!identitiesLast())
            return std::nullopt;
        // A folder on a device of its own inside its parent's (a btrfs subvolume) is listed by
        // its parent under the parent's device: the two cannot be compared.
        if (held().listed && held().device != aboveDevice())
            return std::nullopt;
        return held().listed;
    }
    bool lookupIgnoresCase(const QString& probe) override {
        if (!m_ignoresCase && m_directory)
            m_ignoresCase = m_fileSystem.lookupIgnoresCase(m_directory->fd(), kind(), probe);
        return m_ignoresCase.value_or(true);
    }

private:
    PosixFileSystem& m_fileSystem;
    std::unique_ptr<posix::Directory> m_directory;
    bool m_withoutLinks;
    // Kept once told: a folder's lookup does not change while it is held. A probe that could
    // not tell (a name without letters, one gone meanwhile) leaves it to the next.
    std::optional<bool> m_ignoresCase;
    // Asked once a folder, each when first needed: every row of the folder asks again.
    std::optional<unsigned long> m_kind;
    std::optional<posix::HeldFolder> m_held;

    // Where a sole device was told: 0 for none.
    std::optional<quint64> m_soleDevice;
    std::optional<quint64> m_soleDeviceBefore;
    // The device and file-system kind of the folder this one was opened inside.
    std::optional<std::pair<quint64, unsigned long>> m_sameDiskAs;

    // The device of the folder this one is in; 0 where it cannot be told.
    quint64 aboveDevice() {
        if (!m_sameDiskAs) {
            struct stat above;
            if (fstatat(m_directory->fd(), "..", &above, AT_SYMLINK_NOFOLLOW) != 0)
                return 0;
            return static_cast<quint64>(above.st_dev);
        }
        return m_sameDiskAs->first;
    }

    unsigned long kind() {
        if (!m_kind) {
            const quint64 device = m_sameDiskAs ? held().device : 0;
            m_kind = device != 0 && device == m_sameDiskAs->first
                         ? m_sameDiskAs->second
                         : posix::FileSystemKind(m_directory->fd());
        }
        return *m_kind;
    }
    const posix::HeldFolder& held() {
        if (!m_held)
            m_held = posix::ReadHeldFolder(m_directory->fd());
        return *m_held;
    }
};

} // namespace tarnwick
