#include "tests/support/fakedialogs.h"

namespace tarnwick::test {

MessageAnswer FakeUserDialogs::showMessage(const QString& text, const QString& title,
                                           MessageButtons buttons, MessageIcon icon) {
    messages.append({text, title, buttons, icon});
    if (!answers.isEmpty())
        return answers.takeFirst();
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

bool FakeUserDialogs::showErrorWithCheckBox(const QString& text, const QString& checkBoxText) {
    messages.append(
        {text, QString::fromLatin1(kErrorTitle), MessageButtons::Ok, MessageIcon::Warning});
    checkBoxes << checkBoxText;
    return !ticks.isEmpty() && ticks.takeFirst();
}

int FakeUserDialogs::askWithButtons(const QString& text, const QString& title,
                                    const QStringList& buttons) {
    messages.append({text, title, MessageButtons::Ok, MessageIcon::Question});
    buttonSets << buttons;
    const qsizetype chosen = choices.isEmpty() ? -1 : buttons.indexOf(choices.takeFirst());
    return static_cast<int>(chosen < 0 ? buttons.size() - 1 : chosen);
}

QString FakeUserDialogs::browseForFolder(QObject* owner, const QString& prompt,
                                         const QString& startFolder) {
    browses.append({owner, prompt, startFolder});
    if (whileBrowsing)
        std::exchange(whileBrowsing, nullptr)();
    return chosenFolders.isEmpty() ? QString() : chosenFolders.takeFirst();
}

bool FakeUserDialogs::openFolder(const QString& path) {
    openedFolders << path;
    return shellAvailable;
}

bool FakeUserDialogs::openWebAddress(const QString& address) {
    openedAddresses << address;
    return shellAvailable;
}

QStringList FakeUserDialogs::errors() const {
    QStringList texts;
    for (const Message& message : messages) {
        if (message.title == QString::fromLatin1(kErrorTitle))
            texts << message.text;
    }
    return texts;
}

} // namespace tarnwick::test
