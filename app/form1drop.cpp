#include "app/form1.h"

#include "app/folderdrop.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>

// Folders dropped onto the window from a file manager.
namespace tarnwick {

bool Form1::takeFolderDrag(QDropEvent& event) {
    const std::optional<Qt::DropAction> action = FolderDropAction(event.possibleActions());
    // While the hourglass shows, the list is another handler's.
    if (!m_dragCarriesFolders || !action || isBusy()) {
        event.ignore();
        return false;
    }
    event.setDropAction(*action);
    event.accept();
    return true;
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    m_dragCarriesFolders =
        event->mimeData() && !DroppedFolders(*event->mimeData(), fileSystem()).isEmpty();
    takeFolderDrag(*event);
}

void Form1::dragMoveEvent(QDragMoveEvent* event) {
    takeFolderDrag(*event);
}

void Form1::dropEvent(QDropEvent* event) {
    if (!takeFolderDrag(*event))
        return;
    m_dragCarriesFolders = false;
    const QStringList folders = DroppedFolders(*event->mimeData(), fileSystem());
    // Added once the drop has returned: the file manager is not held while a big tree is walked.
    QMetaObject::invokeMethod(
        this, [this, folders] { addFolders(folders); }, Qt::QueuedConnection);
}

} // namespace tarnwick
