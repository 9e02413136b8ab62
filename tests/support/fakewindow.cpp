#include "tests/support/fakewindow.h"

#include "folders/knownfolders.h"
#include "transform/preview.h"

namespace tarnwick::test {

void FakeWindow::previewRename() {
    ++previewCount;
    PreviewRename(list, operation, ReportThrough(fakeDialogs), m_fileSystem.separator(),
                  KnownFolders(m_fileSystem, knownFolders));
}

void FakeWindow::pumpMessages() {
    ++pumpCount;
    list.tellChanges();
    if (action && pumpCount == actAtPump)
        std::exchange(action, nullptr)();
    if (closed)
        throw WindowClosed{};
}

QStringList FakeWindow::column(int column) const {
    QStringList texts;
    for (int row = 0; row < list.count(); ++row)
        texts << list.text(row, column);
    return texts;
}

} // namespace tarnwick::test
