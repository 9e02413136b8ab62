#include "rename/renameengine.h"

#include "common/failure.h"
#include "common/pathtext.h"
#include "platform/filesystem.h"
#include "rename/namekey.h"

#include <QStringList>
#include <optional>

namespace tarnwick {
namespace {

inline constexpr char16_t kIntermediateSuffix[] = u"9999999";

Failure PathNotFound() {
    return Failure(failure_code::kPathNotFound, QStringLiteral("Path not found"));
}

// The parent as it is on disk now: a folder listed earlier in the same run may have changed its
// letter case since this row was listed.
QString OpenFolder(FileSystem& fileSystem, const QString& path) {
    const QChar separator = fileSystem.separator();
    const std::optional<QString> found = fileSystem.findFolderIgnoringCase(path);
    if (!found)
        throw PathNotFound();
    return found->endsWith(separator) ? *found : *found + separator;
}

// The one subfolder bearing the listed folder's name key. Keys are lossy ("фото" and "мама" share
// one), so when several share it none is taken: renaming them all would rename folders nobody
// listed.
std::optional<QString> OnlyKeyMatch(const QStringList& names, const QString& reference,
                                    QChar separator) {
    QStringList matches;
    for (const QString& name : names) {
        if (IsSameFilename(name, reference, separator))
            matches << name;
    }
    if (matches.size() > 1)
        throw Failure(failure_code::kPathFileAccessError,
                      QStringLiteral("Folder name is ambiguous: %1 matches %2 folders")
                          .arg(reference, QString::number(matches.size())));
    if (matches.isEmpty())
        return std::nullopt;
    return matches.first();
}

} // namespace

RenameOutcome RenameFilesWild(FileSystem& fileSystem, const FailureReport& report,
                              const QString& currentPath, const QString& newPath) {
    ErrorTrap trap(QString::fromUtf16(kRenameFilesWildLabel), report);
    const QChar separator = fileSystem.separator();
    RenameOutcome outcome;

    QString target = newPath;
    trap.step(104, [&] {
        for (const QChar refused : fileSystem.refusedNameCharacters())
            target.replace(refused, u'_');
    });
    // The host layer is there for the whole program; there is nothing to create per call.
    trap.reach(108);
    QString parent;
    trap.step(112, [&] {
        parent = GetParentPath(WithoutTrailingSeparator(currentPath, separator), separator);
    });
    QString reference;
    QString leaf;
    trap.step(120, [&] {
        reference = WithoutTrailingSeparator(currentPath, separator);
        leaf = GetLeafName(reference, separator);
    });
    QString newLeaf;
    trap.step(126, [&] {
        target = WithoutTrailingSeparator(target, separator);
        newLeaf = GetLeafName(target, separator);
    });
    // A root, or any path without a last component, has no name of its own to change.
    if (leaf.isEmpty())
        return outcome;
    const bool named = trap.step(128, [&] {
        if (newLeaf.isEmpty())
            throw Failure(failure_code::kPathFileAccessError,
                          QStringLiteral("The new name of %1 is empty").arg(reference));
    });
    if (!named)
        return outcome;

    std::optional<QString> folder;
    trap.step(130, [&] { folder = OpenFolder(fileSystem, parent); });
    // The listed folder is looked up by its own name first; only when no subfolder bears it
    // exactly are the parent's subfolders read and compared by name key. A parent that could not
    // be opened leaves no list to read and no first name in it: both steps fail in turn.
    FileSystem::SubfolderLookup lookup;
    std::optional<QStringList> names;
    const bool listed = trap.step(132, [&] {
        if (!folder)
            throw PathNotFound();
        lookup = fileSystem.lookUpSubfolder(*folder, leaf);
        if (!lookup.exists)
            names = fileSystem.subfolders(*folder);
    });
    trap.step(134, [&] {
        if (!folder)
            throw PathNotFound();
    });
    if (!listed)
        return outcome;

    std::optional<QString> from;
    trap.step(146,
              [&] { from = lookup.exists ? leaf : OnlyKeyMatch(*names, reference, separator); });
    if (from) {
        const QString intermediate = newLeaf + QString::fromUtf16(kIntermediateSuffix);
        // Beside an entry bearing the folder's name in other letter case ("docs" beside "Docs",
        // or a file "DOCS") the detour gains nothing: a new name in any case of that name is
        // refused either way, and any other the direct rename takes in one step. It never
        // replaces, and it spares the folder two renames and a way back.
        bool wayBackOpen = false;
        trap.step(150, [&] {
            wayBackOpen =
                !(lookup.exists ? lookup.caseTwin : fileSystem.hasCaseTwin(*folder, *from));
        });
        const bool detoured = wayBackOpen && trap.step(150, [&] {
            fileSystem.renameFolder(*folder, *from, intermediate);
        });
        if (detoured) {
            if (trap.step(152, [&] { fileSystem.renameFolder(*folder, intermediate, newLeaf); })) {
                outcome.renamed = true;
            } else {
                // Never leave a folder under the intermediate name: give it back its own.
                const bool restored = trap.step(152, [&] {
                    try {
                        fileSystem.restoreFolderName(*folder, intermediate, *from);
                    } catch (const Failure& failure) {
                        throw Failure(failure.number(),
                                      QStringLiteral("%1: the folder keeps the temporary name %2")
                                          .arg(failure.description(), *folder + intermediate));
                    }
                });
                outcome.renamed = restored && *from == newLeaf;
            }
        } else if (*from == newLeaf) {
            // It bears the new name already; renaming it onto itself is refused on some hosts.
            outcome.renamed = true;
        } else {
            // Safe without the detour: a rename never replaces what bears the new name.
            outcome.renamed =
                trap.step(152, [&] { fileSystem.renameFolder(*folder, *from, newLeaf); });
        }
    }
    if (outcome.renamed) {
        outcome.newPath = *folder + newLeaf + separator;
        outcome.oldPath = *folder + *from + separator;
    }
    trap.reach(156);
    trap.reach(186);
    return outcome;
}

} // namespace tarnwick
