#pragma once

#include "platform/userdialogs.h"

namespace tarnwick {

// The dialogs of the real desktop: QMessageBox, QFileDialog and QDesktopServices.
class QtUserDialogs : public UserDialogs {
public:
    MessageAnswer showMessage(const QString& text, const QString& title, MessageButtons buttons,
                              MessageIcon icon) override;
    bool showErrorWithCheckBox(const QString& text, const QString& checkBoxText) override;
    int askWithButtons(const QString& text, const QString& title,
                       const QStringList& buttons) override;
    QString browseForFolder(QObject* owner, const QString& prompt,
                            const QString& startFolder) override;
    bool openFolder(const QString& path) override;
    bool openWebAddress(const QString& address) override;
};

} // namespace tarnwick
