#include "common/ansi.h"

#include <QSet>
#include <QTest>

using namespace tarnwick;

class TestAnsi : public QObject {
    Q_OBJECT
private slots:
    void highBytes_data();
    void highBytes();
    void bytesOfTheirOwnValue_data();
    void bytesOfTheirOwnValue();
    void outsideBecomesQuestionMark_data();
    void outsideBecomesQuestionMark();
    void exactlyTwoHundredFiftySixCharacters();
    void everyByteRoundTrips();
    void textRoundTrips_data();
    void textRoundTrips();
    void codesOutsideTheTable();
};

void TestAnsi::highBytes_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("unit");

    const int table[32][2] = {{0x80, 0x20AC}, {0x81, 0x0081}, {0x82, 0x201A}, {0x83, 0x0192},
                              {0x84, 0x201E}, {0x85, 0x2026}, {0x86, 0x2020}, {0x87, 0x2021},
                              {0x88, 0x02C6}, {0x89, 0x2030}, {0x8A, 0x0160}, {0x8B, 0x2039},
                              {0x8C, 0x0152}, {0x8D, 0x008D}, {0x8E, 0x017D}, {0x8F, 0x008F},
                              {0x90, 0x0090}, {0x91, 0x2018}, {0x92, 0x2019}, {0x93, 0x201C},
                              {0x94, 0x201D}, {0x95, 0x2022}, {0x96, 0x2013}, {0x97, 0x2014},
                              {0x98, 0x02DC}, {0x99, 0x2122}, {0x9A, 0x0161}, {0x9B, 0x203A},
                              {0x9C, 0x0153}, {0x9D, 0x009D}, {0x9E, 0x017E}, {0x9F, 0x0178}};
    for (const auto& row : table) {
        const bool undefined = row[0] == row[1];
        QTest::addRow("0x%02X %s U+%04X", row[0], undefined ? "undefined," : "is", row[1])
            << row[0] << row[1];
    }
}

void TestAnsi::highBytes() {
    QFETCH(int, code);
    QFETCH(int, unit);
    QCOMPARE(ansi::CodeOf(QChar(char16_t(unit))), code);
    QCOMPARE(ansi::CharacterFor(code).unicode(), char16_t(unit));
}

void TestAnsi::bytesOfTheirOwnValue_data() {
    QTest::addColumn<int>("code");
    QTest::newRow("NUL") << 0x00;
    QTest::newRow("tab") << 0x09;
    QTest::newRow("space") << 0x20;
    QTest::newRow("question mark") << 0x3F;
    QTest::newRow("backslash") << 0x5C;
    QTest::newRow("DEL") << 0x7F;
    QTest::newRow("no-break space") << 0xA0;
    QTest::newRow("e acute") << 0xE9;
    QTest::newRow("y diaeresis") << 0xFF;
}

void TestAnsi::bytesOfTheirOwnValue() {
    QFETCH(int, code);
    QCOMPARE(ansi::CodeOf(QChar(char16_t(code))), code);
    QCOMPARE(ansi::CharacterFor(code).unicode(), char16_t(code));
}

void TestAnsi::outsideBecomesQuestionMark_data() {
    QTest::addColumn<int>("unit");
    QTest::newRow("U+0080, a C1 control that 0x80 does not stand for") << 0x0080;
    QTest::newRow("U+0082") << 0x0082;
    QTest::newRow("U+009F") << 0x009F;
    QTest::newRow("U+0100 A macron") << 0x0100;
    QTest::newRow("U+0130 I with dot above") << 0x0130;
    QTest::newRow("U+0444 Cyrillic ef") << 0x0444;
    QTest::newRow("U+5199 CJK") << 0x5199;
    QTest::newRow("U+D800 lone high surrogate") << 0xD800;
    QTest::newRow("U+DFFF lone low surrogate") << 0xDFFF;
    QTest::newRow("U+FFFD replacement character") << 0xFFFD;
    QTest::newRow("U+FFFF") << 0xFFFF;
    QTest::newRow("U+FF1F fullwidth question mark, no best fit") << 0xFF1F;
    QTest::newRow("U+2212 minus sign, no best fit") << 0x2212;
}

void TestAnsi::outsideBecomesQuestionMark() {
    QFETCH(int, unit);
    QCOMPARE(ansi::CodeOf(QChar(char16_t(unit))), 63);
    QCOMPARE(ansi::ToBytes(QString(QChar(char16_t(unit)))), QByteArray("?"));
}

// 256 characters have a byte of their own; every other unit of the 16-bit range becomes "?".
void TestAnsi::exactlyTwoHundredFiftySixCharacters() {
    QSet<int> codes;
    int mapped = 0;
    int aboveLatin1 = 0;
    for (int unit = 0; unit <= 0xFFFF; ++unit) {
        const int code = ansi::CodeOf(QChar(char16_t(unit)));
        QVERIFY(code >= 0 && code <= 255);
        if (code == 63 && unit != u'?')
            continue;
        ++mapped;
        codes.insert(code);
        if (unit > 0xFF)
            ++aboveLatin1;
    }
    QCOMPARE(mapped, 256);
    QCOMPARE(codes.size(), 256);
    QCOMPARE(aboveLatin1, 27);
}

void TestAnsi::everyByteRoundTrips() {
    QByteArray bytes;
    for (int code = 0; code <= 255; ++code) {
        QCOMPARE(ansi::CodeOf(ansi::CharacterFor(code)), code);
        bytes.append(char(code));
    }
    const QString text = ansi::FromBytes(bytes);
    QCOMPARE(text.size(), 256);
    QCOMPARE(ansi::ToBytes(text), bytes);
}

void TestAnsi::textRoundTrips_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("back");

    QTest::newRow("empty") << QString() << QByteArray() << QString();
    QTest::newRow("ASCII") << QStringLiteral("My Photos 2021") << QByteArray("My Photos 2021")
                           << QStringLiteral("My Photos 2021");
    QTest::newRow("euro and quotes")
        << QStringLiteral("\u20ac \u201cx\u201d") << QByteArray("\x80 \x93x\x94")
        << QStringLiteral("\u20ac \u201cx\u201d");
    QTest::newRow("Latin-1 letters")
        << QStringLiteral("caf\u00e9 \u00ff") << QByteArray("caf\xe9 \xff")
        << QStringLiteral("caf\u00e9 \u00ff");
    QTest::newRow("Cyrillic becomes question marks")
        << QStringLiteral("\u0444\u043e\u0442\u043e") << QByteArray("????")
        << QStringLiteral("????");
    QTest::newRow("surrogate pair is two question marks")
        << QStringLiteral("a\U0001F600b") << QByteArray("a??b") << QStringLiteral("a??b");
    QTest::newRow("NUL kept") << (QStringLiteral("a") + QChar(0) + QStringLiteral("b"))
                              << QByteArray("a\0b", 3)
                              << (QStringLiteral("a") + QChar(0) + QStringLiteral("b"));
}

void TestAnsi::textRoundTrips() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, back);
    QCOMPARE(ansi::ToBytes(text), bytes);
    QCOMPARE(ansi::FromBytes(bytes), back);
}

void TestAnsi::codesOutsideTheTable() {
    QCOMPARE(ansi::CharacterFor(-1), QChar(u'?'));
    QCOMPARE(ansi::CharacterFor(256), QChar(u'?'));
    QCOMPARE(ansi::CharacterFor(-32768), QChar(u'?'));
}

QTEST_APPLESS_MAIN(TestAnsi)
#include "tst_ansi.moc"
