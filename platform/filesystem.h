#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <optional>

#include "common/pathtext.h"

namespace tarnwick {

// Attribute bits in the values of the host the program was made for.
namespace attribute {
inline constexpr int kHidden = 2;
inline constexpr int kSystem = 4;
inline constexpr int kDirectory = 16;
inline constexpr int kReparsePoint = 1024;
} // namespace attribute

// Everything the program asks of the disk. Paths use separator(); a folder path may end in one.
// Operations that can fail throw Failure with the numbers of common/failure.h.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual QChar separator() const = 0;

    // The attribute bits of the path (a file or a folder), or none when they cannot be read.
    virtual std::optional<int> attributes(const QString& path) = 0;

    // True for the root of a file system ("/", a drive's root).
    virtual bool isRoot(const QString& path) = 0;

    // The names of the folder's immediate subfolders in the host's listing order. A symbolic link
    // to a folder is listed; it has no subfolders of its own.
    virtual QStringList subfolders(const QString& folder) = 0;

    struct SubfolderLookup {
        // A subfolder bears exactly the name, letter case included.
        bool exists = false;
        // Another entry (a file too) bears the name in other letter case.
        bool caseTwin = false;
    };
    // Looks a name up among the entries of parent in one question. Throws Failure when parent
    // cannot be read.
    virtual SubfolderLookup lookUpSubfolder(const QString& parent, const QString& name);

    // True when an entry of parent other than name itself (a file too) bears name in other
    // letter case. Throws Failure when parent cannot be read.
    virtual bool hasCaseTwin(const QString& parent, const QString& name);

    // Renames the entry from to the name to inside parent. Never replaces anything: a target
    // that exists, also in other letter case, is refused with 58 "File already exists".
    virtual void renameFolder(const QString& parent, const QString& from, const QString& to) = 0;

    // Gives the entry from back the name to that it bore a moment ago. Refuses only a target
    // taken as written: a name in other letter case that someone made meanwhile must not strand
    // the folder under a name the user never chose. Throws Failure.
    virtual void restoreFolderName(const QString& parent, const QString& from,
                                   const QString& to) = 0;

    // The path as it is on disk: as written when it exists so, or found component by component
    // ignoring letter case (each component matching exactly one entry). None otherwise.
    virtual std::optional<QString> findIgnoringCase(const QString& path) = 0;

    // The folder's path as it is on disk (findIgnoringCase), when it names a folder.
    virtual std::optional<QString> findFolderIgnoringCase(const QString& path);

    // The characters the host refuses in a name (besides the separator and NUL).
    virtual QString refusedNameCharacters() const = 0;
};

// True when the path names an existing file or folder.
bool PathExists(FileSystem& fileSystem, const QString& path);

// True when the path names an existing folder.
bool IsFolder(FileSystem& fileSystem, const QString& path);

// The host's file system.
FileSystem& HostFileSystem();

} // namespace tarnwick
