#pragma once

#include <QString>
#include <functional>

namespace tarnwick {

class WindowServices;

// The sample root for a program folder: the folder "Samples" beside the program, with a separator.
QString SampleRoot(const QString& programFolder, QChar separator);

// Whether the user may rename the entries of a folder: their own rights, as the host judges them
// (owner, groups, a read-only mount).
bool UserCanRenameInside(const QString& folder);

// The folder whose "Samples" the user works on. The program folder when the user can rename its
// samples there (a build run from where it was made); otherwise userDataFolder, into which the
// shipped samples are copied the first time, so that an installed program's samples can be
// renamed by anyone. A copy made before is kept as the user left it. Throws Failure when the
// copy cannot be made.
QString
SampleHome(const QString& programFolder, const QString& userDataFolder,
           const std::function<bool(const QString& folder)>& canRenameInside = UserCanRenameInside);

// "Load Sample/Example Folders": lists every folder below the sample root, previews them and
// offers to open the samples in the file manager.
void PushButton6_Click(WindowServices& window, const QString& programFolder);

} // namespace tarnwick
