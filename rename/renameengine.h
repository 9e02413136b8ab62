#pragma once

#include <QString>

#include "common/errortrap.h"

namespace tarnwick {

class FileSystem;

inline constexpr char16_t kRenameFilesWildLabel[] =
    u"in Brisquel2021/08/31.FileNaming.RenameFilesWild ";

// What became of one listed folder.
struct RenameOutcome {
    // The folder now bears the new name.
    bool renamed = false;
    // When renamed: the path it bears now, its parent as found on disk, its new name and a
    // separator. Differs from the previewed path where the host refused characters or the
    // parent's letter case changed since the row was listed.
    QString newPath;
    // When renamed: the path it bore before, its parent as found on disk. Rows below it were
    // renamed under that parent, so this is where their paths are followed from.
    QString oldPath{};
};

// Renames the listed folder currentPath inside its parent to the last component of newPath,
// through the intermediate name "<new name>9999999" so that a change of letter case alone takes
// effect. Only the listed folder is renamed: the subfolder of exactly that name, else the one
// subfolder with the same name key. A folder whose final rename fails is given back its name.
// Every failure is reported through report; the engine itself never throws.
RenameOutcome RenameFilesWild(FileSystem& fileSystem, const FailureReport& report,
                              const QString& currentPath, const QString& newPath);

} // namespace tarnwick
