#include "platform/userdialogs.h"

namespace tarnwick {

void ShowErrorMessage(UserDialogs& dialogs, const QString& message) {
    dialogs.showMessage(message, QString::fromUtf16(kErrorTitle), MessageButtons::Ok,
                        MessageIcon::Warning);
}

FailureReport ReportThrough(UserDialogs& dialogs) {
    return [&dialogs](const QString& message) { ShowErrorMessage(dialogs, message); };
}

} // namespace tarnwick
