#pragma once

#include <QString>
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

inline constexpr char16_t kFolderNotOpenedMessage[] = u"The folder could not be opened: ";

// The selected row's folder as a person names it: the path the row shows now, without its
// trailing separator. Empty while the window is busy or when no row is selected.
QString SelectedFolder(WindowServices& window, std::optional<int> selectedRow);

// "Open Folder": shows the selected row's folder in the desktop's file manager, and says so when
// nothing could.
void OpenSelectedFolder(WindowServices& window, std::optional<int> selectedRow);

} // namespace tarnwick
