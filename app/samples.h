#pragma once

#include <QString>

namespace tarnwick {

class WindowServices;

// The sample root for a program folder: the folder "Samples" beside the program, with a separator.
QString SampleRoot(const QString& programFolder, QChar separator);

// "Load Sample/Example Folders": lists every folder below the sample root, previews them and
// offers to open the samples in the file manager.
void PushButton6_Click(WindowServices& window, const QString& programFolder);

} // namespace tarnwick
