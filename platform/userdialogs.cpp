#include "platform/userdialogs.h"

namespace tarnwick {

bool UserDialogs::showErrorWithCheckBox(const QString& text, const QString&) {
    ShowErrorMessage(*this, text);
    return false;
}

void ShowErrorMessage(UserDialogs& dialogs, const QString& message) {
    dialogs.showMessage(message, QString::fromUtf16(kErrorTitle), MessageButtons::Ok,
                        MessageIcon::Warning);
}

FailureReport ReportThrough(UserDialogs& dialogs) {
    return [&dialogs](const QString& message) { ShowErrorMessage(dialogs, message); };
}

} // namespace tarnwick
