#include "platform/posixlookup.h"

#include "platform/posixnames.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>

namespace tarnwick::posix {

unsigned long FileSystemKind(int folderFd) {
    struct statfs disk;
    return fstatfs(folderFd, &disk) == 0 ? static_cast<unsigned long>(disk.f_type) : 0;
}

namespace {

constexpr unsigned long kExt4 = 0xEF53UL;
constexpr unsigned long kTmpfs = 0x01021994UL;
constexpr unsigned long kF2fs = 0xF2F52010UL;
constexpr unsigned long kXfs = 0x58465342UL;

// On the file systems that ignore case folder by folder, the folder's casefold flag says it, in
// one question that reads no entry; none where the flag cannot be read.
std::optional<bool> CaseFolded(int folderFd, unsigned long kind) {
    if (kind != kExt4 && kind != kF2fs && kind != kTmpfs)
        return std::nullopt;
    int flags = 0;
    if (ioctl(folderFd, FS_IOC_GETFLAGS, &flags) != 0)
        return std::nullopt;
    return (flags & FS_CASEFOLD_FL) != 0;
}

} // namespace

// Local file systems whose lookups answer at once from the disk itself, and whose inode numbers
// are kept on the disk. Elsewhere a lookup may be answered from a cache that knows nothing of
// letter case (FUSE: a name looked up before may be "not there" for a while), or by a server with
// rules of its own (NFS, SMB), and inode numbers may be made up in memory (FAT, exFAT, FUSE):
// there entries are known by their names alone.
bool LookupTellsTheTruth(unsigned long kind) {
    switch (kind) {
    case kExt4: // ext2, ext3, ext4 (folders with the casefold flag answer so)
    case kTmpfs:
    case 0x9123683EUL: // btrfs
    case kXfs:
    case kF2fs:
        return true;
    default:
        return false;
    }
}

bool OneDevicePerMount(unsigned long kind) {
    // btrfs and bcachefs are left out: a subvolume is a device of its own inside its parent's.
    return kind == kExt4 || kind == kTmpfs || kind == kXfs || kind == kF2fs;
}

// Asks the folder itself: the entry probe, which no other entry bears in other letter case, looked
// up in other letter case. An answer means the lookup ignores case (exFAT, FAT, NTFS, SMB, a
// casefold folder); nothing means it tells case apart. The answer's identity is not compared:
// FUSE disks make identities up per name looked up. None where it cannot be told.
std::optional<bool> LookupIgnoresCase(int folderFd, unsigned long kind, const QString& probe) {
    // A FUSE daemon's answer is not the disk's for a moment: the kernel keeps the names it was
    // given for a second, and exfat-fuse keeps a node for each spelling of a name, so a lookup in
    // other letter case may answer for a folder renamed since. There the detour is always taken.
    if (!LookupTellsTheTruth(kind))
        return true;
    if (const std::optional<bool> folded = CaseFolded(folderFd, kind))
        return folded;
    QString other = probe.toUpper();
    if (other == probe)
        other = probe.toLower();
    if (other == probe)
        return std::nullopt;
    const posix::NameBytes name(probe);
    const posix::NameBytes otherName(other);
    if (!name.data() || !otherName.data())
        return std::nullopt;
    struct stat entry;
    if (fstatat(folderFd, name.data(), &entry, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    struct stat found;
    if (fstatat(folderFd, otherName.data(), &found, AT_SYMLINK_NOFOLLOW) == 0)
        return true;
    return errno == ENOENT ? std::optional<bool>(false) : std::nullopt;
}

HeldFolder ReadHeldFolder(int folderFd) {
    struct statx status {};
    if (statx(folderFd, "", AT_EMPTY_PATH | AT_NO_AUTOMOUNT, STATX_INO, &status) != 0)
        return {};
    HeldFolder held;
    held.device = static_cast<quint64>(makedev(status.stx_dev_major, status.stx_dev_minor));
    // A kernel that does not tell mount roots apart cannot say whether the two may be compared.
    if ((status.stx_mask & STATX_INO) && (status.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) &&
        !(status.stx_attributes & STATX_ATTR_MOUNT_ROOT))
        held.listed = FileIdentity{held.device, static_cast<quint64>(status.stx_ino)};
    return held;
}

} // namespace tarnwick::posix
