#include "platform/qtuserdialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace tarnwick {

namespace {

// checkBoxText, when given, puts a check box under the text; ticked tells how it was left.
MessageAnswer Show(const QString& text, const QString& title, MessageButtons buttons,
                   MessageIcon icon, const QString& checkBoxText = {}, bool* ticked = nullptr) {
    QMessageBox box(QApplication::activeWindow());
    if (!checkBoxText.isEmpty())
        box.setCheckBox(new QCheckBox(checkBoxText, &box));
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int answer = box.exec();
    if (ticked)
        *ticked = box.checkBox() && box.checkBox()->isChecked();
    if (answer == QMessageBox::Yes)
        return MessageAnswer::Yes;
    if (answer == QMessageBox::No)
        return MessageAnswer::No;
    return MessageAnswer::Ok;
}

} // namespace

MessageAnswer QtUserDialogs::showMessage(const QString& text, const QString& title,
                                         MessageButtons buttons, MessageIcon icon) {
    return Show(text, title, buttons, icon);
}

bool QtUserDialogs::showErrorWithCheckBox(const QString& text, const QString& checkBoxText) {
    bool ticked = false;
    Show(text, ErrorTitle(), MessageButtons::Ok, MessageIcon::Warning, checkBoxText, &ticked);
    return ticked;
}

int QtUserDialogs::askWithButtons(const QString& text, const QString& title,
                                  const QStringList& buttons) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(text);
    box.setIcon(QMessageBox::Question);
    QList<QAbstractButton*> added;
    for (const QString& button : buttons)
        added << box.addButton(button,
                               added.isEmpty() ? QMessageBox::AcceptRole : QMessageBox::ActionRole);
    if (!added.isEmpty()) {
        box.setDefaultButton(qobject_cast<QPushButton*>(added.first()));
        // Escape and the title bar's close button answer the last, which changes nothing.
        box.setEscapeButton(added.last());
    }
    box.exec();
    const qsizetype chosen = added.indexOf(box.clickedButton());
    return static_cast<int>(chosen < 0 ? buttons.size() - 1 : chosen);
}

QString QtUserDialogs::browseForFolder(QObject* owner, const QString& prompt,
                                       const QString& startFolder) {
    return QFileDialog::getExistingDirectory(qobject_cast<QWidget*>(owner), prompt, startFolder,
                                             QFileDialog::ShowDirsOnly);
}

bool QtUserDialogs::openFolder(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtUserDialogs::openWebAddress(const QString& address) {
    return QDesktopServices::openUrl(QUrl(address));
}

} // namespace tarnwick
