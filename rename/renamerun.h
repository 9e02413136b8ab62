#pragma once

#include "common/labels.h"

namespace tarnwick {

class WindowServices;

inline constexpr char16_t kNoFilesAddedMessage[] = u"No files added.";
inline constexpr char16_t kPreviewFirstMessage[] =
    u"You need to click Set New Name (Preview) first.";

// "Start Renaming (Execute)": renames every listed folder that has a new path, top to bottom,
// then shows the renamed folders under the paths they bear and empties every new path. The window
// stays live throughout, so the list may change under the run; rows are re-checked before use.
void PushButton2_Click(WindowServices& window);

} // namespace tarnwick
