#pragma once

#include "platform/userdialogs.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace tarnwick::test {

// Records every call and answers from a script, so no test ever waits on a modal box.
class FakeUserDialogs : public UserDialogs {
public:
    struct Message {
        QString text;
        QString title;
        MessageButtons buttons;
        MessageIcon icon;
    };
    struct Browse {
        QObject* owner;
        QString prompt;
        QString startFolder;
    };

    MessageAnswer showMessage(const QString& text, const QString& title, MessageButtons buttons,
                              MessageIcon icon) override;
    bool showErrorWithCheckBox(const QString& text, const QString& checkBoxText) override;
    int askWithButtons(const QString& text, const QString& title,
                       const QStringList& buttons) override;
    QString browseForFolder(QObject* owner, const QString& prompt,
                            const QString& startFolder) override;
    bool openFolder(const QString& path) override;
    bool openWebAddress(const QString& address) override;

    // Answers given in turn; when they run out: OK, or No for a Yes/No question.
    QList<MessageAnswer> answers;
    // The buttons chosen in questions with buttons of their own, in turn, by their texts; when
    // they run out: the last button.
    QStringList choices;
    // The buttons each such question offered.
    QList<QStringList> buttonSets;
    // Whether the user ticks the check box of an error message, in turn; when they run out: not.
    QList<bool> ticks;
    // The check box texts offered with error messages, in turn.
    QStringList checkBoxes;
    // Folders the browser returns in turn; when they run out, the browser is cancelled.
    QStringList chosenFolders;
    // Runs while the browser is open, as if the user acted meanwhile.
    std::function<void()> whileBrowsing;
    bool shellAvailable = true;

    QList<Message> messages;
    QList<Browse> browses;
    QStringList openedFolders;
    QStringList openedAddresses;

    // The texts of the messages titled "Application Error".
    QStringList errors() const;
};

} // namespace tarnwick::test
