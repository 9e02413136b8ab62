#include "app/form1.h"
#include "app/translations.h"
#include "common/errortrap.h"
#include "common/labels.h"
#include "common/product.h"
#include "platform/filesystem.h"
#include "platform/posixnames.h"
#include "tests/support/fakedialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>
#include <QTreeView>
#include <QXmlStreamReader>
#include <cerrno>

using namespace tarnwick;

namespace {

const QStringList kLanguages = {QStringLiteral("de"), QStringLiteral("es"), QStringLiteral("fr")};

struct Message {
    QString context;
    QString source;
    QString comment;
    bool numerus = false;
};

QList<Message> ReadMessages(const QString& tsFile) {
    QFile file(tsFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Message> messages;
    QString context;
    QXmlStreamReader xml(&file);
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.name() == u"message")
            messages.append(
                {context, {}, {}, xml.attributes().value(QStringLiteral("numerus")) == u"yes"});
        else if (xml.name() == u"source")
            messages.last().source = xml.readElementText();
        else if (xml.name() == u"comment")
            messages.last().comment = xml.readElementText();
    }
    return messages;
}

// The placeholders of a text, each once, in order: "%1", "%n".
QStringList Placeholders(const QString& text) {
    QStringList found;
    static const QRegularExpression placeholder(QStringLiteral("%(?:[0-9]+|n)"));
    for (const QRegularExpressionMatch& match : placeholder.globalMatch(text))
        found << match.captured();
    found.sort();
    found.removeDuplicates();
    return found;
}

// A translation installed for the time of one test.
struct Installed {
    QTranslator translator;
    explicit Installed(const QString& language) {
        if (!language.isEmpty() && translator.load(TranslationFile(language)))
            QCoreApplication::installTranslator(&translator);
    }
    ~Installed() { QCoreApplication::removeTranslator(&translator); }
};

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    void everyTextIsTranslatedWithItsPlaceholders_data();
    void everyTextIsTranslatedWithItsPlaceholders();
    void languageChosen_data();
    void languageChosen();
    void errorMessageKeepsItsForm_data();
    void errorMessageKeepsItsForm();
    void captionsFitTheirControls_data();
    void captionsFitTheirControls();
};

void TestTranslations::everyTextIsTranslatedWithItsPlaceholders_data() {
    QTest::addColumn<QString>("language");
    for (const QString& language : kLanguages)
        QTest::newRow(qPrintable(language)) << language;
}

void TestTranslations::everyTextIsTranslatedWithItsPlaceholders() {
    QFETCH(QString, language);
    QTranslator translator;
    QVERIFY(translator.load(TranslationFile(language)));
    const QList<Message> messages =
        ReadMessages(QStringLiteral(TARNWICK_TRANSLATIONS_DIR "/tarnwick_%1.ts").arg(language));
    QVERIFY(messages.size() > 40);
    for (const Message& message : messages) {
        const QByteArray context = message.context.toUtf8();
        const QByteArray source = message.source.toUtf8();
        const QByteArray comment = message.comment.toUtf8();
        // Every plural form the language has, for a message that has them.
        for (int n : message.numerus ? QList<int>{1, 2, 5, 21} : QList<int>{-1}) {
            const QString translated =
                translator.translate(context.constData(), source.constData(),
                                     comment.isEmpty() ? nullptr : comment.constData(), n);
            QVERIFY2(!translated.isEmpty(), source.constData());
            QCOMPARE(Placeholders(translated), Placeholders(message.source));
        }
    }
}

void TestTranslations::languageChosen_data() {
    QTest::addColumn<QStringList>("uiLanguages");
    QTest::addColumn<QString>("messagesLocale");
    QTest::addColumn<QString>("language");
    QTest::newRow("German") << QStringList{"de-DE"} << "de_DE.UTF-8"
                            << "de";
    QTest::newRow("Austrian German, as German") << QStringList{"de_AT"} << "de_AT.UTF-8"
                                                << "de";
    QTest::newRow("Mexican Spanish, as Spanish") << QStringList{"es-MX", "es"} << "es_MX.UTF-8"
                                                 << "es";
    QTest::newRow("English stays English") << QStringList{"en-US"} << "en_US.UTF-8"
                                           << "";
    QTest::newRow("English first, then German") << QStringList{"en-GB", "de-DE"} << "en_GB.UTF-8"
                                                << "";
    QTest::newRow("German first, then English") << QStringList{"de", "en"} << "en_US.UTF-8"
                                                << "de";
    QTest::newRow("untranslated Dutch, then French") << QStringList{"nl-NL", "fr"} << "nl_NL.UTF-8"
                                                     << "fr";
    QTest::newRow("untranslated Dutch alone") << QStringList{"nl-NL"} << "nl_NL.UTF-8"
                                              << "";
    QTest::newRow("C locale, whatever LANGUAGE says") << QStringList{"de"} << "C"
                                                      << "";
    QTest::newRow("C.UTF-8") << QStringList{"fr"} << "C.UTF-8"
                             << "";
    QTest::newRow("POSIX") << QStringList{"es"} << "POSIX"
                           << "";
    QTest::newRow("no locale at all") << QStringList{"de"} << ""
                                      << "";
}

void TestTranslations::languageChosen() {
    QFETCH(QStringList, uiLanguages);
    QFETCH(QString, messagesLocale);
    QFETCH(QString, language);
    const auto hasTranslation = [](const QString& candidate) {
        return QFile::exists(TranslationFile(candidate));
    };
    QCOMPARE(ChooseLanguage(uiLanguages, messagesLocale, hasTranslation), language);
}

void TestTranslations::errorMessageKeepsItsForm_data() {
    everyTextIsTranslatedWithItsPlaceholders_data();
}

// Support reads the place and the line of every screenshot, in whatever language it comes.
void TestTranslations::errorMessageKeepsItsForm() {
    QFETCH(QString, language);
    const Installed installed(language);
    const Failure failure = posix::FailureFromErrno(EACCES);
    QVERIFY(failure.plain() != u"Permission denied");
    const QString label = QString::fromUtf16(kPreviewRenameLabel);
    const QString message = ErrorTrap::message(failure.description(), label, 104);

    QVERIFY(message.startsWith(failure.description() + QStringLiteral("\r\n") + label));
    const QStringList rest =
        message.mid(failure.description().size() + 2 + label.size()).split(QStringLiteral("\r\r"));
    QCOMPARE(rest.size(), 2);
    QVERIFY2(rest[0].contains(u"104") && !rest[0].contains(u"at line"), qPrintable(rest[0]));
    QVERIFY(!rest[0].contains(u'\r') && !rest[0].contains(u'\n'));
    QVERIFY(rest[1].endsWith(QString::fromUtf16(product::kSupportEmail)));
    QVERIFY(!rest[1].startsWith(u"Please email"));
}

void TestTranslations::captionsFitTheirControls_data() {
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << QString();
    everyTextIsTranslatedWithItsPlaceholders_data();
}

// The window's layout is fixed: a caption that needs more room than its control is cut.
void TestTranslations::captionsFitTheirControls() {
    QFETCH(QString, language);
    const Installed installed(language);
    test::FakeUserDialogs dialogs;
    Form1 window(
        {dialogs, HostFileSystem(), QStringLiteral(TARNWICK_PROGRAM_DIR), [] { return 1; }});
    window.Form_Load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(dialogs.messages.size(), 0);
    QVERIFY(!window.skin().styleSheet().isEmpty());

    for (QAbstractButton* control : window.findChildren<QAbstractButton*>()) {
        QVERIFY2(control->sizeHint().width() <= control->width(),
                 qPrintable(QStringLiteral("%1: %2 wide, %3 needed")
                                .arg(control->text())
                                .arg(control->width())
                                .arg(control->sizeHint().width())));
    }
    for (QGroupBox* frame : {window.Frame1, window.Frame2})
        QVERIFY2(frame->minimumSizeHint().width() <= frame->width(), qPrintable(frame->title()));
    QVERIFY2(window.Combo1->sizeHint().width() <= window.Combo1->width(),
             qPrintable(window.Combo1->currentText()));
    QHeaderView* header = window.ListView1->header();
    for (int section = 0; section < header->count(); ++section)
        QVERIFY(header->sectionSizeHint(section) <= header->sectionSize(section));
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
