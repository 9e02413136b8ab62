#include "platform/userdialogs.h"

#include <QCoreApplication>

namespace tarnwick {

bool UserDialogs::showErrorWithCheckBox(const QString& text, const QString&) {
    ShowErrorMessage(*this, text);
    return false;
}

int UserDialogs::askWithButtons(const QString&, const QString&, const QStringList& buttons) {
    return static_cast<int>(buttons.size()) - 1;
}

QString ErrorTitle() {
    return QCoreApplication::translate("Tarnwick", kErrorTitle);
}

void ShowErrorMessage(UserDialogs& dialogs, const QString& message) {
    dialogs.showMessage(message, ErrorTitle(), MessageButtons::Ok, MessageIcon::Warning);
}

FailureReport ReportThrough(UserDialogs& dialogs) {
    return [&dialogs](const QString& message) { ShowErrorMessage(dialogs, message); };
}

} // namespace tarnwick
