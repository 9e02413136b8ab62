#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QCoreApplication;

namespace tarnwick {

// The language to show the program's texts in, for a user who reads the languages uiLanguages
// names (most wanted first, as QLocale::uiLanguages gives them, "de-DE" or "de_DE") with messages
// in messagesLocale (the value of LC_ALL, LC_MESSAGES or LANG): the first language that has a
// translation, tried as given and then without its country. None when English, which the program
// is written in, comes first, and none under the C locale, as for every program of the system.
QString ChooseLanguage(const QStringList& uiLanguages, const QString& messagesLocale,
                       const std::function<bool(const QString& language)>& hasTranslation);

// A text marked with QT_TRANSLATE_NOOP("Tarnwick", ...), in the user's language.
QString Translated(const char* text);

// The program's translation into a language, built into the program.
QString TranslationFile(const QString& language);

// Installs the program's translation for the user's language and Qt's own, which words the
// standard dialogs and buttons. Nothing under English or the C locale.
void InstallTranslations(QCoreApplication& application);

} // namespace tarnwick
