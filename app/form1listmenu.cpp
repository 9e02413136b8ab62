#include "app/form1.h"

#include "folders/listediting.h"
#include "rename/journalreader.h"
#include "rename/recovery.h"
#include "rename/undo.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QTreeView>

// The list's context menu: its actions, their wiring, and when each can act.
namespace tarnwick {

void Form1::wireListMenu() {
    m_listMenu = AddListMenu(*ListView1);
    RemoveAction = m_listMenu.remove;
    OpenFolderAction = m_listMenu.openFolder;
    CopyPathAction = m_listMenu.copyPath;
    UndoAction = m_listMenu.undo;
    connect(RemoveAction, &QAction::triggered, this, [this] { removeSelectedRow(); });
    connect(OpenFolderAction, &QAction::triggered, this,
            [this] { OpenSelectedFolder(*this, selectedRow()); });
    connect(CopyPathAction, &QAction::triggered, this, [this] {
        const QString path = SelectedFolder(*this, selectedRow());
        if (!path.isEmpty())
            QGuiApplication::clipboard()->setText(path);
    });
    connect(UndoAction, &QAction::triggered, this,
            [this] { handle([this] { tellTally(UndoLastRun(*this).tally); }); });
    m_lastRun.watch(m_list);
    m_lastRun.onChange([this] { updateListMenu(); });
    connect(ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { updateListMenu(); });
    for (auto rowsChanged : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(&m_list, rowsChanged, this, [this] { updateListMenu(); });
    connect(&m_list, &QAbstractItemModel::modelReset, this, [this] { updateListMenu(); });
}

void Form1::updateListMenu() {
    // A run recorded before this window opened can be undone too.
    const bool recorded =
        !m_lastRun.running() && !journalFolder().isEmpty() && HasFinishedRun(journalFolder());
    EnableListMenu(m_listMenu,
                   {isBusy(), selectedRow().has_value(), m_lastRun.canUndo() || recorded});
}

void Form1::recoverUnfinishedRuns() {
    if (!journalFolder().isEmpty())
        RecoverUnfinishedRuns(fileSystem(), dialogs(), m_applicationTitle, journalFolder());
    updateListMenu();
}

// The view chooses the row that takes the removed one's place, so rows can be taken out one after
// the other.
void Form1::removeSelectedRow() {
    handle([this] { RemoveSelectedEntry(*this, selectedRow()); });
}

} // namespace tarnwick
