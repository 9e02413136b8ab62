#pragma once

#include <optional>

namespace tarnwick {

class WindowServices;

inline constexpr int kDeleteKeyCode = 46;

// "Clear List": removes every row unless the window is busy, then runs the preview pass.
void PushButton1_Click(WindowServices& window);

// Removes the selected row (0-based) unless the window is busy or nothing is selected. The other
// rows keep their new-path texts: no preview pass runs.
void RemoveSelectedEntry(WindowServices& window, std::optional<int> selectedRow);

// The key handler of the list: only the Delete key (46) removes the selected row.
void ListView1_KeyDown(WindowServices& window, int keyCode, std::optional<int> selectedRow);

} // namespace tarnwick
