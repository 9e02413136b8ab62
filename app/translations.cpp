#include "app/translations.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tarnwick {

namespace {

QString MessagesLocale() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return value;
    }
    return {};
}

bool IsCLocale(const QString& locale) {
    return locale.isEmpty() || locale == u"C" || locale == u"POSIX" || locale.startsWith(u"C.");
}

void Install(QCoreApplication& application, const QString& file, const QString& folder = {}) {
    auto* translator = new QTranslator(&application);
    if (translator->load(file, folder))
        application.installTranslator(translator);
    else
        delete translator;
}

} // namespace

QString ChooseLanguage(const QStringList& uiLanguages, const QString& messagesLocale,
                       const std::function<bool(const QString& language)>& hasTranslation) {
    if (IsCLocale(messagesLocale))
        return {};
    for (QString language : uiLanguages) {
        language.replace(u'-', u'_');
        const QString base = language.section(u'_', 0, 0);
        if (IsCLocale(language) || base == u"en")
            return {};
        for (const QString& candidate : {language, base}) {
            if (hasTranslation(candidate))
                return candidate;
        }
    }
    return {};
}

QString Translated(const char* text) {
    return QCoreApplication::translate("Tarnwick", text);
}

QString TranslationFile(const QString& language) {
    return QStringLiteral(":/i18n/tarnwick_%1.qm").arg(language);
}

void InstallTranslations(QCoreApplication& application) {
    const QString language = ChooseLanguage(
        QLocale::system().uiLanguages(), MessagesLocale(),
        [](const QString& candidate) { return QFile::exists(TranslationFile(candidate)); });
    if (language.isEmpty())
        return;
    Install(application, TranslationFile(language));
    Install(application, QStringLiteral("qtbase_") + language,
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

} // namespace tarnwick
