#pragma once

#include "common/labels.h"
#include "common/listedpath.h"
#include "platform/filesystem.h"
#include <QString>

#include "common/errortrap.h"

namespace tarnwick {

class FileSystem;
class ParentEntries;

inline constexpr char kNotFoundReason[] = QT_TRANSLATE_NOOP("Tarnwick", "Not found on disk");
inline constexpr char kRefusedReason[] =
    QT_TRANSLATE_NOOP("Tarnwick", "Refused: another folder bears this name");
inline constexpr char kLeadsElsewhereReason[] =
    QT_TRANSLATE_NOOP("Tarnwick", "Left as it is: a folder above it is no longer the one listed");

// What became of one listed folder.
struct RenameOutcome {
    enum class Happened {
        Renamed,
        // No folder bears the listed name (deleted, renamed outside, a second row of one folder).
        NotFound,
        // Another entry bears the new name.
        Refused,
        // The host refused a step.
        Failed,
    };

    Happened happened = Happened::NotFound;
    // The folder now bears the new name.
    bool renamed() const { return happened == Happened::Renamed; }
    // When renamed: the path it bears now, its parent as found on disk, its new name and a
    // separator. Differs from the previewed path where the host refused characters or the
    // parent's letter case changed since the row was listed; where it does not, it is the
    // caller's own, kept as the caller kept it.
    ListedPath newPath;
    // When renamed: its new name, the last component of newPath.
    QString newName{};
    // When renamed: the path it bore before, its parent as found on disk. Rows below it were
    // renamed under that parent, so this is where their paths are followed from. The caller's
    // own where it names the same.
    ListedPath oldPath{};
    // When not renamed: why, in words a person can act on.
    QString reason{};
    // When renamed: what the host says the folder is, as its parent lists it; zero where unknown.
    FileIdentity identity{};
};

// Renames the listed folder currentPath inside its parent to the last component of newPath,
// through the intermediate name "<new name>9999999" so that a change of letter case alone takes
// effect, as PlanRename decides from the parent's entries (read through parents, which the run
// keeps). A folder whose final rename fails is given back its name. Failures are held until the
// folder's rename is settled: a folder renamed as asked reports nothing, any other reports its
// first failure once, naming the folder. The engine itself never throws.
RenameOutcome RenameFilesWild(FileSystem& fileSystem, ParentEntries& parents,
                              const FailureReport& report, const QString& currentPath,
                              const QString& newPath);

// The same for paths as the list keeps them: a row kept as its parent's path and its name, as
// nearly every row is, is renamed without cutting or joining its paths.
// listedAs, where known, is what the host said the folder was when it was listed: on a disk that
// keeps identities, an entry bearing its name that is another folder is left alone.
RenameOutcome RenameFilesWild(FileSystem& fileSystem, ParentEntries& parents,
                              const FailureReport& report, const ListedPath& current,
                              const ListedPath& next, FileIdentity listedAs = {});

// The same for one folder on its own, with nothing kept from any run.
RenameOutcome RenameFilesWild(FileSystem& fileSystem, const FailureReport& report,
                              const QString& currentPath, const QString& newPath);

} // namespace tarnwick
