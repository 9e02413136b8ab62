#include "app/windowcommands.h"

#include "app/translations.h"
#include "rename/undo.h"

#include <QAbstractItemView>
#include <QAction>
#include <QPushButton>
#include <QShortcut>

namespace tarnwick {

namespace {

QAction* AddAction(QAbstractItemView& list, const char* name, const QString& text,
                   const QKeySequence& key, Qt::ShortcutContext context) {
    auto* action = new QAction(text, &list);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    action->setShortcutContext(context);
    action->setEnabled(false);
    list.addAction(action);
    return action;
}

} // namespace

ListMenu AddListMenu(QAbstractItemView& list) {
    ListMenu menu;
    menu.remove = AddAction(list, "RemoveAction", QString::fromUtf16(kRemoveFromListText),
                            QKeySequence::Delete, Qt::WidgetShortcut);
    menu.openFolder = AddAction(list, "OpenFolderAction", QString::fromUtf16(kOpenFolderText), {},
                                Qt::WidgetShortcut);
    menu.copyPath = AddAction(list, "CopyPathAction", QString::fromUtf16(kCopyPathText),
                              QKeySequence::Copy, Qt::WidgetShortcut);
    auto* separator = new QAction(&list);
    separator->setSeparator(true);
    list.addAction(separator);
    menu.undo = AddAction(list, "UndoAction", Translated(kUndoLastRunText), QKeySequence::Undo,
                          Qt::WindowShortcut);
    list.setContextMenuPolicy(Qt::ActionsContextMenu);
    return menu;
}

void EnableListMenu(const ListMenu& menu, const ListState& state) {
    const bool onRow = !state.busy && state.rowChosen;
    menu.remove->setEnabled(onRow);
    menu.openFolder->setEnabled(onRow);
    menu.copyPath->setEnabled(onRow);
    menu.undo->setEnabled(!state.busy && state.canUndo);
}

void GiveKeys(QPushButton& button, const QList<QKeySequence>& keys) {
    if (keys.isEmpty())
        return;
    button.setShortcut(keys.first());
    for (qsizetype i = 1; i < keys.size(); ++i) {
        auto* shortcut = new QShortcut(keys[i], &button);
        QObject::connect(shortcut, &QShortcut::activated, &button, &QPushButton::animateClick);
    }
    button.setToolTip(QStringLiteral("%1 (%2)").arg(
        button.text(), keys.first().toString(QKeySequence::NativeText)));
}

} // namespace tarnwick
