#include "platform/posixfilesystem.h"

#include "common/failure.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#ifndef RENAME_NOREPLACE
#include <linux/fs.h>
#endif

namespace tarnwick {

namespace {

constexpr int kArchive = 32;

// Both flavours of strerror_r: the GNU one returns the text, the XSI one fills the buffer.
[[maybe_unused]] const char* ErrorText(int result, const char* buffer) {
    return result == 0 ? buffer : "Unknown error";
}
[[maybe_unused]] const char* ErrorText(const char* text, const char*) {
    return text;
}

Failure FailureFromErrno(int error) {
    int number = failure_code::kPathFileAccessError;
    const char* plain = "Path/File access error";
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        number = failure_code::kPermissionDenied;
        plain = "Permission denied";
        break;
    case ENOENT:
    case ENOTDIR:
        number = failure_code::kPathNotFound;
        plain = "Path not found";
        break;
    case EEXIST:
    case ENOTEMPTY:
        number = failure_code::kFileAlreadyExists;
        plain = "File already exists";
        break;
    default:
        break;
    }
    char buffer[256] = {};
    const char* text = ErrorText(strerror_r(error, buffer, sizeof buffer), buffer);
    return Failure(number, QLatin1String(plain) + QLatin1String(" (") +
                               QString::fromLocal8Bit(text) + QLatin1Char(')'));
}

bool IsAscii(const char* text, qsizetype length) {
    return std::all_of(text, text + length,
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// A text whose bytes lead back to another text (a lone surrogate becomes U+FFFD) would address
// another entry than the one meant. Plain ASCII always comes back.
bool SurvivesRoundTrip(const QString& text, const QByteArray& bytes) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; }) ||
           QFile::decodeName(bytes) == text;
}

// The path in the system's bytes, separators collapsed and trailing ones dropped ("/" stays);
// none for a text that cannot name anything (a NUL, or no way back to the same text).
std::optional<QByteArray> SystemPath(const QString& path) {
    if (path.contains(QChar(0)))
        return std::nullopt;
    QByteArray bytes = QFile::encodeName(path);
    if (!SurvivesRoundTrip(path, bytes))
        return std::nullopt;
    char* text = bytes.data();
    qsizetype kept = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (text[i] == '/' && kept > 0 && text[kept - 1] == '/')
            continue;
        text[kept++] = text[i];
    }
    if (kept > 1 && text[kept - 1] == '/')
        --kept;
    bytes.truncate(kept);
    return bytes;
}

// One entry name of a folder in the system's bytes; none when it could not be one.
std::optional<QByteArray> SystemName(const QString& name) {
    if (name.isEmpty() || name == u"." || name == u".." || name.contains(u'/') ||
        name.contains(QChar(0)))
        return std::nullopt;
    QByteArray bytes = QFile::encodeName(name);
    if (!SurvivesRoundTrip(name, bytes))
        return std::nullopt;
    return bytes;
}

// The entry's name as text; none when the text would not lead back to the same bytes.
std::optional<QString> EntryName(const char* name, size_t length) {
    const QByteArray bytes = QByteArray::fromRawData(name, static_cast<qsizetype>(length));
    QString text = QFile::decodeName(bytes);
    if (!IsAscii(name, bytes.size()) && QFile::encodeName(text) != bytes)
        return std::nullopt;
    return text;
}

bool FollowsToFolder(int folderFd, const char* name) {
    struct stat target;
    return fstatat(folderFd, name, &target, 0) == 0 && S_ISDIR(target.st_mode);
}

bool IsFolderEntry(int folderFd, const dirent& entry) {
    switch (entry.d_type) {
    case DT_DIR:
        return true;
    case DT_LNK:
        return FollowsToFolder(folderFd, entry.d_name);
    case DT_UNKNOWN: {
        struct stat status;
        if (fstatat(folderFd, entry.d_name, &status, AT_SYMLINK_NOFOLLOW) != 0)
            return false;
        return S_ISDIR(status.st_mode) ||
               (S_ISLNK(status.st_mode) && FollowsToFolder(folderFd, entry.d_name));
    }
    default:
        return false;
    }
}

// Tells whether an entry bears a name in any letter case. Only names that are not plain ASCII
// on both sides are decoded, so a scan of a large folder costs no text per entry.
class NameMatcher {
public:
    NameMatcher(const QByteArray& name, const QString& text)
        : m_name(name), m_text(text), m_ascii(IsAscii(name.constData(), name.size())) {}

    bool matches(const char* entry, size_t length) const {
        if (m_ascii && IsAscii(entry, static_cast<qsizetype>(length))) {
            if (length != static_cast<size_t>(m_name.size()))
                return false;
            for (size_t i = 0; i < length; ++i) {
                if (Lower(entry[i]) != Lower(m_name[static_cast<qsizetype>(i)]))
                    return false;
            }
            return true;
        }
        const std::optional<QString> text = EntryName(entry, length);
        return text && text->compare(m_text, Qt::CaseInsensitive) == 0;
    }

private:
    static char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

    const QByteArray& m_name;
    const QString& m_text;
    bool m_ascii;
};

// An open folder: a descriptor for the *at calls, and a listing opened on first use.
class Directory {
public:
    Directory(int at, const char* path, int flags)
        : m_fd(::openat(at, path, O_RDONLY | O_DIRECTORY | O_CLOEXEC | flags)),
          m_error(m_fd < 0 ? errno : 0) {}
    ~Directory() {
        if (m_stream)
            closedir(m_stream);
        else if (m_fd >= 0)
            close(m_fd);
    }
    Directory(const Directory&) = delete;
    Directory& operator=(const Directory&) = delete;

    int fd() const { return m_fd; }
    // The errno value of a failed opening, 0 when open.
    int error() const { return m_error; }

    // The next entry other than "." and "..", or null after the last.
    const dirent* next() {
        if (!m_stream && !(m_stream = fdopendir(m_fd)))
            throw FailureFromErrno(errno);
        for (;;) {
            errno = 0;
            const dirent* entry = readdir(m_stream);
            if (!entry) {
                if (errno != 0)
                    throw FailureFromErrno(errno);
                return nullptr;
            }
            if (!IsDotOrDotDot(entry->d_name))
                return entry;
        }
    }

private:
    int m_fd;
    int m_error;
    DIR* m_stream = nullptr;
};

bool SameFolding(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

constexpr qint64 kTrustNanoseconds = 1'000'000;

bool SameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

} // namespace

struct PosixFileSystem::Listing {
    QByteArray path;
    // Kept open for the renames inside the folder.
    int fd = -1;
    bool valid = false;
    dev_t device = 0;
    ino_t inode = 0;
    timespec modified{};
    timespec changed{};
    // When the entries were last found true.
    QElapsedTimer checked;
    // Each entry's name, and whether it is a folder (or a link to one).
    QHash<QString, bool> names;
    // How many entries bear each name in its case-folded form.
    QHash<QString, int> folded;

    ~Listing() { clear(); }

    void clear() {
        if (fd >= 0)
            close(fd);
        fd = -1;
        valid = false;
        names.clear();
        folded.clear();
    }
    void stamp(const struct stat& status) {
        device = status.st_dev;
        inode = status.st_ino;
        modified = status.st_mtim;
        changed = status.st_ctim;
    }
    bool matches(const struct stat& status) const {
        return device == status.st_dev && inode == status.st_ino &&
               SameTime(modified, status.st_mtim) && SameTime(changed, status.st_ctim);
    }
    void add(const QString& name, bool folder) {
        names.insert(name, folder);
        ++folded[name.toCaseFolded()];
    }
    void remove(const QString& name) {
        if (!names.remove(name))
            return;
        const auto count = folded.find(name.toCaseFolded());
        if (count != folded.end() && --*count <= 0)
            folded.erase(count);
    }
    // True when an entry other than self bears name in any letter case.
    bool othersBear(const QString& name, const QString& self) const {
        const bool selfCounts = SameFolding(self, name) && names.contains(self);
        return folded.value(name.toCaseFolded()) - (selfCounts ? 1 : 0) > 0;
    }

    // After one of its own renames: the folder's times moved with it, so the stamp is taken
    // again; a change by anyone else after this shows at the next use.
    void renamed(const QString& from, const QString& to) {
        const bool folder = names.value(from, true);
        remove(from);
        add(to, folder);
        struct stat status;
        if (fstat(fd, &status) == 0)
            stamp(status);
        else
            valid = false;
    }
};

PosixFileSystem::PosixFileSystem() : m_listing(std::make_unique<Listing>()) {}
PosixFileSystem::~PosixFileSystem() = default;

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
        bits = kArchive;
    }
    const char* leaf = bytes->constData() + bytes->lastIndexOf('/') + 1;
    if (leaf[0] == '.' && !IsDotOrDotDot(leaf))
        bits |= attribute::kHidden;
    return bits;
}

bool PosixFileSystem::isRoot(const QString& path) {
    return !path.isEmpty() &&
           std::all_of(path.begin(), path.end(), [](QChar c) { return c == u'/'; });
}

QStringList PosixFileSystem::subfolders(const QString& folder) {
    const std::optional<QByteArray> path = SystemPath(folder);
    if (!path)
        throw FailureFromErrno(ENOENT);
    // O_NOFOLLOW: a symbolic link is an entry of its parent, never a folder to walk into.
    Directory directory(AT_FDCWD, path->constData(), O_NOFOLLOW);
    if (const int error = directory.error()) {
        struct stat status;
        if ((error == ELOOP || error == ENOTDIR) && lstat(path->constData(), &status) == 0 &&
            S_ISLNK(status.st_mode))
            return {};
        throw FailureFromErrno(error);
    }
    QStringList names;
    while (const dirent* entry = directory.next()) {
        if (!IsFolderEntry(directory.fd(), *entry))
            continue;
        if (std::optional<QString> name = EntryName(entry->d_name, std::strlen(entry->d_name)))
            names.append(std::move(*name));
    }
    return names;
}

void PosixFileSystem::renameFolder(const QString& parent, const QString& from, const QString& to) {
    rename(parent, from, to, true);
}

void PosixFileSystem::restoreFolderName(const QString& parent, const QString& from,
                                        const QString& to) {
    rename(parent, from, to, false);
}

void PosixFileSystem::rename(const QString& parent, const QString& from, const QString& to,
                             bool refuseCaseTwins) {
    const std::optional<QByteArray> parentPath = SystemPath(parent);
    const std::optional<QByteArray> fromName = SystemName(from);
    if (!parentPath || !fromName)
        throw FailureFromErrno(ENOENT);
    const std::optional<QByteArray> toName = SystemName(to);
    if (!toName)
        throw FailureFromErrno(EINVAL);

    Listing& entries = listing(*parentPath);
    if (refuseCaseTwins && entries.othersBear(to, from))
        throw FailureFromErrno(EEXIST);

    int error = renameExclusive(entries.fd, fromName->constData(), toName->constData());
    if (error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP)
        error = renameThroughPlaceholder(entries.fd, fromName->constData(), toName->constData());
    if (error != 0) {
        entries.valid = false;
        throw FailureFromErrno(error);
    }
    entries.renamed(from, to);
}

FileSystem::SubfolderLookup PosixFileSystem::lookUpSubfolder(const QString& parent,
                                                             const QString& name) {
    const std::optional<QByteArray> parentPath = SystemPath(parent);
    if (!parentPath)
        throw FailureFromErrno(ENOENT);
    const Listing& entries = listing(*parentPath);
    const auto entry = entries.names.constFind(name);
    const bool present = entry != entries.names.constEnd();
    return {present && *entry && SystemName(name).has_value(), entries.othersBear(name, name)};
}

bool PosixFileSystem::hasCaseTwin(const QString& parent, const QString& name) {
    const std::optional<QByteArray> parentPath = SystemPath(parent);
    if (!parentPath)
        throw FailureFromErrno(ENOENT);
    const Listing& entries = listing(*parentPath);
    return entries.othersBear(name, name);
}

PosixFileSystem::Listing& PosixFileSystem::listing(const QByteArray& folder) {
    Listing& entries = *m_listing;
    // Every change the program makes goes through here and keeps the entries true; others'
    // changes are looked for once a millisecond. A look is no guard anyway: another program can
    // change the folder between it and the rename. Nothing is ever replaced whatever it does.
    if (entries.valid && entries.path == folder && entries.checked.isValid() &&
        entries.checked.nsecsElapsed() < kTrustNanoseconds)
        return entries;
    struct stat status;
    if (stat(folder.constData(), &status) != 0) {
        entries.valid = false;
        throw FailureFromErrno(errno);
    }
    if (entries.valid && entries.path == folder && entries.matches(status)) {
        entries.checked.start();
        return entries;
    }

    entries.clear();
    entries.fd = ::openat(AT_FDCWD, folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (entries.fd < 0)
        throw FailureFromErrno(errno);
    // The stamp is taken before reading, so a change made while reading shows at the next use.
    struct stat opened;
    if (fstat(entries.fd, &opened) != 0)
        throw FailureFromErrno(errno);
    Directory directory(entries.fd, ".", 0);
    if (directory.error())
        throw FailureFromErrno(directory.error());
    while (const dirent* entry = directory.next()) {
        if (std::optional<QString> name = EntryName(entry->d_name, std::strlen(entry->d_name)))
            entries.add(*name, IsFolderEntry(directory.fd(), *entry));
    }
    entries.path = folder;
    entries.stamp(opened);
    entries.valid = true;
    entries.checked.start();
    return entries;
}

int PosixFileSystem::renameExclusive(int folderFd, const char* from, const char* to) {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 28))
    const int result = ::renameat2(folderFd, from, folderFd, to, RENAME_NOREPLACE);
#else
    const long result = syscall(SYS_renameat2, folderFd, from, folderFd, to, RENAME_NOREPLACE);
#endif
    return result == 0 ? 0 : errno;
}

int PosixFileSystem::renameOntoPlaceholder(int folderFd, const char* from, const char* to) {
    return renameat(folderFd, from, folderFd, to) == 0 ? 0 : errno;
}

// Without the no-replace flag the target name is claimed first, with an entry that creating
// fails on when the name is taken; only then is the entry moved onto it.
int PosixFileSystem::renameThroughPlaceholder(int folderFd, const char* from, const char* to) {
    struct stat status;
    if (fstatat(folderFd, from, &status, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    if (!S_ISDIR(status.st_mode)) {
        // A folder link cannot replace a folder: its second name is the placeholder.
        if (linkat(folderFd, from, folderFd, to, 0) != 0)
            return errno;
        if (unlinkat(folderFd, from, 0) != 0) {
            const int error = errno;
            unlinkat(folderFd, to, 0);
            return error;
        }
        return 0;
    }
    // Private to the owner, so nothing can be put into it before the folder takes its place.
    if (mkdirat(folderFd, to, 0700) != 0)
        return errno;
    if (const int error = renameOntoPlaceholder(folderFd, from, to)) {
        unlinkat(folderFd, to, AT_REMOVEDIR);
        return error;
    }
    return 0;
}

std::optional<QString> PosixFileSystem::findFolderIgnoringCase(const QString& path) {
    // The folder whose entries were found true a moment ago is there as written: a run asks for
    // the same parent folder after folder.
    const Listing& entries = *m_listing;
    if (entries.valid && entries.checked.isValid() &&
        entries.checked.nsecsElapsed() < kTrustNanoseconds) {
        const std::optional<QByteArray> bytes = SystemPath(path);
        if (bytes && *bytes == entries.path)
            return path;
    }
    return FileSystem::findFolderIgnoringCase(path);
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
                const NameMatcher wanted(components[i], text);
                std::optional<QByteArray> match;
                while (const dirent* entry = directory->next()) {
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
