#pragma once

#include <QString>
#include <QStringList>

#include "common/errortrap.h"

class QObject;

namespace tarnwick {

// Values as the host the program was made for numbers them.
enum class MessageButtons { Ok = 0, YesNo = 4 };
enum class MessageIcon { None = 0, Question = 32, Warning = 48, Information = 64 };
enum class MessageAnswer { Ok = 1, Yes = 6, No = 7 };

// Message boxes, the folder browser and the desktop's shell.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    virtual MessageAnswer showMessage(const QString& text, const QString& title,
                                      MessageButtons buttons, MessageIcon icon) = 0;

    // An error message as ShowErrorMessage shows it, with a check box of the given text under
    // it; true when the user ticked it. Without a check box of its own: never ticked.
    virtual bool showErrorWithCheckBox(const QString& text, const QString& checkBoxText);

    // A question answered by one of buttons, texts of their own, the first the default; the index
    // of the one chosen. A box closed without a choice answers the last, which must change
    // nothing.
    virtual int askWithButtons(const QString& text, const QString& title,
                               const QStringList& buttons);

    // The chosen folder's path, or the empty text when the user cancels. An empty start folder
    // opens the browser on its default location.
    virtual QString browseForFolder(QObject* owner, const QString& prompt,
                                    const QString& startFolder) = 0;

    // Shows the folder in the desktop's file manager; false when nothing could show it.
    virtual bool openFolder(const QString& path) = 0;

    // Opens the address in the user's web browser; false when nothing could open it.
    virtual bool openWebAddress(const QString& address) = 0;
};

inline constexpr char kErrorTitle[] = QT_TRANSLATE_NOOP("Tarnwick", "Application Error");
// The title of error messages in the user's language.
QString ErrorTitle();

// Shows an error message as every trap of the program does: "Application Error", warning, OK.
void ShowErrorMessage(UserDialogs& dialogs, const QString& message);

// A report for ErrorTrap that shows its messages through dialogs.
FailureReport ReportThrough(UserDialogs& dialogs);

} // namespace tarnwick
