#pragma once

#include <QKeySequence>
#include <QList>

class QAbstractItemView;
class QAction;
class QPushButton;

namespace tarnwick {

inline constexpr char16_t kRemoveFromListText[] = u"Remove from List";
inline constexpr char16_t kOpenFolderText[] = u"Open Folder";
inline constexpr char16_t kCopyPathText[] = u"Copy Path";

// The list's context menu: what a person looks for on a row, and the undo.
struct ListMenu {
    QAction* remove = nullptr;
    QAction* openFolder = nullptr;
    QAction* copyPath = nullptr;
    QAction* undo = nullptr;
};

// Puts the menu's actions on the list, in the order the menu shows them. Their keys work while
// the list has the focus, but the undo's, which works anywhere in the window.
ListMenu AddListMenu(QAbstractItemView& list);

// What the menu's actions could act on now.
struct ListState {
    // The hourglass shows: the list is another handler's.
    bool busy = false;
    bool rowChosen = false;
    bool canUndo = false;
};

// Greys out each action that cannot act.
void EnableListMenu(const ListMenu& menu, const ListState& state);

// Gives the button its keys, the first of them shown in its tooltip after its caption; a key
// clicks the button as the mouse would.
void GiveKeys(QPushButton& button, const QList<QKeySequence>& keys);

} // namespace tarnwick
