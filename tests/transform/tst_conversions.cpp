#include "transform/conversions.h"

#include <QTest>
#include <array>

using namespace tarnwick;

namespace {

enum Conversion { Upper, Lower, Proper, Sentence };

const std::array<Conversion, 4> kAllConversions = {Upper, Lower, Proper, Sentence};

const char* NameOf(Conversion conversion) {
    switch (conversion) {
    case Upper:
        return "upper";
    case Lower:
        return "lower";
    case Proper:
        return "proper";
    case Sentence:
        return "sentence";
    }
    return "?";
}

QString Convert(Conversion conversion, const QString& text) {
    switch (conversion) {
    case Upper:
        return ToUpperCase(text);
    case Lower:
        return ToLowerCase(text);
    case Proper:
        return ToProperCase(text);
    case Sentence:
        return ToSentenceCase(text);
    }
    return text;
}

QString Unit(char16_t unit) {
    return QString(QChar(unit));
}

void Row(const char* name, Conversion conversion, const QString& input, const QString& result) {
    QTest::addRow("%s: %s", NameOf(conversion), name) << int(conversion) << input << result;
}

} // namespace

class TestConversions : public QObject {
    Q_OBJECT
private slots:
    void workedExamples_data();
    void workedExamples();
    void edgeCases_data();
    void edgeCases();
    void lettersBeyondAsciiMapUnitForUnit_data();
    void lettersBeyondAsciiMapUnitForUnit();
    void dottedCapitalIStaysOneUnit();
    void everyUnitKeepsItsLength();
    void digitsAndPunctuationNeverChange();
    void badInputKeepsLength_data();
    void badInputKeepsLength();
};

void TestConversions::workedExamples_data() {
    QTest::addColumn<int>("conversion");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("result");

    Row("my Photos 2021", Upper, QStringLiteral("my Photos 2021"),
        QStringLiteral("MY PHOTOS 2021"));
    Row("My Photos 2021", Lower, QStringLiteral("My Photos 2021"),
        QStringLiteral("my photos 2021"));
    Row("my holiday photos", Proper, QStringLiteral("my holiday photos"),
        QStringLiteral("My Holiday Photos"));
    Row("HELLO WORLD", Proper, QStringLiteral("HELLO WORLD"), QStringLiteral("Hello World"));
    Row("o'neil-smith files", Proper, QStringLiteral("o'neil-smith files"),
        QStringLiteral("O'neil-smith Files"));
    Row("old_backup.bak copy", Proper, QStringLiteral("old_backup.bak copy"),
        QStringLiteral("Old_backup.bak Copy"));
    Row("2nd edition", Proper, QStringLiteral("2nd edition"), QStringLiteral("2nd Edition"));
    Row("hELLO wORLD. bYE", Sentence, QStringLiteral("hELLO wORLD. bYE"),
        QStringLiteral("Hello world. bye"));
    Row("2ND EDITION", Sentence, QStringLiteral("2ND EDITION"), QStringLiteral("2nd edition"));
    Row("my Holiday Photos", Sentence, QStringLiteral("my Holiday Photos"),
        QStringLiteral("My holiday photos"));
}

void TestConversions::workedExamples() {
    QFETCH(int, conversion);
    QFETCH(QString, input);
    QFETCH(QString, result);
    QCOMPARE(Convert(Conversion(conversion), input), result);
}

void TestConversions::edgeCases_data() {
    QTest::addColumn<int>("conversion");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("result");

    for (const Conversion conversion : kAllConversions)
        Row("empty", conversion, QString(), QString());
    for (const Conversion conversion : kAllConversions)
        Row("digits and punctuation", conversion, QStringLiteral("2021 (1).-_!,;'[]{}~#"),
            QStringLiteral("2021 (1).-_!,;'[]{}~#"));

    Row("one character", Upper, QStringLiteral("a"), QStringLiteral("A"));
    Row("one character", Lower, QStringLiteral("A"), QStringLiteral("a"));
    Row("one character", Proper, QStringLiteral("a"), QStringLiteral("A"));
    Row("one character", Sentence, QStringLiteral("a"), QStringLiteral("A"));

    Row("two blanks between words", Proper, QStringLiteral("hello  world"),
        QStringLiteral("Hello  World"));
    Row("leading blank", Proper, QStringLiteral(" hello WORLD"), QStringLiteral(" Hello World"));
    Row("leading blank", Sentence, QStringLiteral(" hello WORLD"), QStringLiteral(" hello world"));
    Row("leading digit", Sentence, QStringLiteral("9 LIVES"), QStringLiteral("9 lives"));
    Row("trailing blank", Proper, QStringLiteral("ab "), QStringLiteral("Ab "));
    Row("blanks only", Proper, QStringLiteral("   "), QStringLiteral("   "));
    Row("tab separates", Proper, QStringLiteral("one\ttwo"), QStringLiteral("One\tTwo"));
    Row("carriage return separates", Proper, QStringLiteral("one\rtwo"),
        QStringLiteral("One\rTwo"));
    Row("line feed does not separate", Proper, QStringLiteral("one\ntwo"),
        QStringLiteral("One\ntwo"));
    Row("run of mixed separators", Proper, QStringLiteral("a \t\r b"), QStringLiteral("A \t\r B"));
    Row("no capital after hyphen underscore stop apostrophe", Proper,
        QStringLiteral("a-b_c.d'e,f(g)h[i]j9k"), QStringLiteral("A-b_c.d'e,f(g)h[i]j9k"));
    Row("no capital after no-break space", Proper, QStringLiteral("a\u00a0b"),
        QStringLiteral("A\u00a0b"));
    Row("sentence ends do not restart", Sentence, QStringLiteral("one. two! three? four\nfive"),
        QStringLiteral("One. two! three? four\nfive"));
    Row("NUL is not a separator", Proper, QStringLiteral("a") + Unit(0) + QStringLiteral("b"),
        QStringLiteral("A") + Unit(0) + QStringLiteral("b"));
    Row("10000 characters", Proper, QStringLiteral("aB c\t").repeated(2000),
        QStringLiteral("Ab C\t").repeated(2000));
    Row("mixed case", Upper, QStringLiteral("aBc-xYz"), QStringLiteral("ABC-XYZ"));
    Row("mixed case", Lower, QStringLiteral("aBc-xYz"), QStringLiteral("abc-xyz"));
}

void TestConversions::edgeCases() {
    QFETCH(int, conversion);
    QFETCH(QString, input);
    QFETCH(QString, result);
    QCOMPARE(Convert(Conversion(conversion), input), result);
}

void TestConversions::lettersBeyondAsciiMapUnitForUnit_data() {
    QTest::addColumn<int>("conversion");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("result");

    Row("accented first letter", Upper, QStringLiteral("\u00e9lan"), QStringLiteral("\u00c9LAN"));
    Row("accented first letter", Proper, QStringLiteral("\u00e9lan vital"),
        QStringLiteral("\u00c9lan Vital"));
    Row("accented first letter", Sentence, QStringLiteral("\u00e9LAN VITAL"),
        QStringLiteral("\u00c9lan vital"));
    Row("accented capitals", Lower, QStringLiteral("\u00c9T\u00c9"),
        QStringLiteral("\u00e9t\u00e9"));
    Row("Cyrillic", Proper, QStringLiteral("\u0444\u043e\u0442\u043e \u043c\u0430\u043c\u0430"),
        QStringLiteral("\u0424\u043e\u0442\u043e \u041c\u0430\u043c\u0430"));
    Row("Greek", Upper, QStringLiteral("\u03c3\u03bf\u03c6\u03af\u03b1"),
        QStringLiteral("\u03a3\u039f\u03a6\u038a\u0391"));
    Row("y diaeresis leaves Latin-1", Upper, Unit(0x00FF), Unit(0x0178));
    Row("micro sign", Upper, Unit(0x00B5), Unit(0x039C));
    Row("dotless i", Upper, Unit(0x0131), QStringLiteral("I"));
    Row("sharp s stays one unit", Upper, QStringLiteral("stra\u00dfe"),
        QStringLiteral("STRA\u00dfE"));
    Row("capital sharp s", Lower, Unit(0x1E9E), Unit(0x00DF));
    Row("n preceded by apostrophe stays one unit", Upper, Unit(0x0149), Unit(0x0149));
    Row("fi ligature stays one unit", Upper, Unit(0xFB01), Unit(0xFB01));
    Row("I with dot above", Upper, Unit(0x0130), Unit(0x0130));
    Row("I with dot above first", Sentence, QStringLiteral("\u0130STANBUL"),
        QStringLiteral("\u0130stanbul"));
    Row("title-case digraph", Upper, Unit(0x01C5), Unit(0x01C4));
    Row("title-case digraph", Lower, Unit(0x01C5), Unit(0x01C6));
    Row("surrogate pair left whole", Upper, QStringLiteral("\U00010428"),
        QStringLiteral("\U00010428"));
    Row("surrogate pair left whole", Lower, QStringLiteral("\U00010400"),
        QStringLiteral("\U00010400"));
    Row("lone surrogate first", Sentence, Unit(0xD801) + QStringLiteral("ABC"),
        Unit(0xD801) + QStringLiteral("abc"));
}

void TestConversions::lettersBeyondAsciiMapUnitForUnit() {
    QFETCH(int, conversion);
    QFETCH(QString, input);
    QFETCH(QString, result);
    const QString converted = Convert(Conversion(conversion), input);
    QCOMPARE(converted.size(), input.size());
    QCOMPARE(converted, result);
}

// Its full lower case is two characters ("i" and a combining dot); one unit must come out, and
// Proper Case must build on the lower-cased text while Sentence case keeps the capital as it is.
void TestConversions::dottedCapitalIStaysOneUnit() {
    const QString capital = Unit(0x0130);
    const QString lowered = ToLowerCase(capital);
    QCOMPARE(lowered.size(), 1);
    QVERIFY2(lowered == QStringLiteral("i") || lowered == capital, qPrintable(lowered));
    const QString word = capital + QStringLiteral("STANBUL");
    QCOMPARE(ToProperCase(word), ToUpperCase(lowered) + QStringLiteral("stanbul"));
    QCOMPARE(ToSentenceCase(word), capital + QStringLiteral("stanbul"));
    QCOMPARE(ToLowerCase(word), lowered + QStringLiteral("stanbul"));
}

void TestConversions::everyUnitKeepsItsLength() {
    for (int unit = 0; unit <= 0xFFFF; ++unit) {
        const QString text = Unit(char16_t(unit)) + QStringLiteral("x ") + Unit(char16_t(unit));
        for (const Conversion conversion : kAllConversions) {
            const QString converted = Convert(conversion, text);
            if (converted.size() != text.size())
                QFAIL(qPrintable(QStringLiteral("%1 of U+%2 has length %3")
                                     .arg(QLatin1StringView(NameOf(conversion)))
                                     .arg(unit, 4, 16, QChar(u'0'))
                                     .arg(converted.size())));
        }
    }
}

void TestConversions::digitsAndPunctuationNeverChange() {
    for (int unit = 0; unit <= 0xFFFF; ++unit) {
        const QChar character{char16_t(unit)};
        if (!character.isDigit() && !character.isPunct())
            continue;
        const QString text(3, character);
        for (const Conversion conversion : kAllConversions) {
            if (Convert(conversion, text) != text)
                QFAIL(qPrintable(QStringLiteral("%1 changed U+%2")
                                     .arg(QLatin1StringView(NameOf(conversion)))
                                     .arg(unit, 4, 16, QChar(u'0'))));
        }
    }
}

void TestConversions::badInputKeepsLength_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("lone high surrogate") << Unit(0xD800);
    QTest::newRow("lone low surrogate") << Unit(0xDC00);
    QTest::newRow("NUL only") << Unit(0);
    QTest::newRow("10000-character name") << QStringLiteral("aB c\t").repeated(2000);
    QTest::newRow("separators only") << QStringLiteral("\\/").repeated(5000);
}

void TestConversions::badInputKeepsLength() {
    QFETCH(QString, text);
    for (const Conversion conversion : kAllConversions)
        QCOMPARE(Convert(conversion, text).size(), text.size());
    // Case mapping can neither add nor remove a separator.
    for (const Conversion conversion : kAllConversions)
        QCOMPARE(Convert(conversion, text).count(u'\\'), text.count(u'\\'));
}

QTEST_APPLESS_MAIN(TestConversions)
#include "tst_conversions.moc"
