#include "rename/namekey.h"

#include "common/ansi.h"

#include <QTest>
#include <algorithm>

using namespace tarnwick;

namespace {

QString Unit(char16_t unit) {
    return QString(QChar(unit));
}

const QString kY = Unit(0x00FF); // code 255, dropped by the first step
const QString kEuro = Unit(0x20AC);

} // namespace

class TestNameKey : public QObject {
    Q_OBJECT
private slots:
    void cleanFileName_data();
    void cleanFileName();
    void rawBytesKey_data();
    void rawBytesKey();
    void removals_data();
    void removals();
    void keyNeverHoldsRemovedCharacters_data();
    void keyNeverHoldsRemovedCharacters();
    void sameFilename_data();
    void sameFilename();
};

void TestNameKey::cleanFileName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("key");

    QTest::newRow("plain name") << QStringLiteral("Photos") << QStringLiteral("Photos");
    QTest::newRow("case kept") << QStringLiteral("pHoToS") << QStringLiteral("pHoToS");
    QTest::newRow("leading and trailing spaces")
        << QStringLiteral("  Photos  ") << QStringLiteral("Photos");
    QTest::newRow("inner spaces kept")
        << QStringLiteral("my  photos") << QStringLiteral("my  photos");
    QTest::newRow("tabs at the ends, inside the spaces")
        << QStringLiteral(" \tPhotos\t ") << QStringLiteral("Photos");
    QTest::newRow("tab inside") << QStringLiteral("Pho\ttos") << QStringLiteral("Photos");
    QTest::newRow("line feed and CR") << QStringLiteral("Pho\r\ntos") << QStringLiteral("Photos");
    QTest::newRow("NUL inside") << (QStringLiteral("Ph") + Unit(0) + QStringLiteral("otos"))
                                << QStringLiteral("Photos");
    QTest::newRow("code 31") << (QStringLiteral("Photos") + Unit(31)) << QStringLiteral("Photos");
    QTest::newRow("delete, code 127")
        << (QStringLiteral("Photos") + Unit(0x7F)) << QStringLiteral("Photos");
    QTest::newRow("euro sign, code 128")
        << (QStringLiteral("Photos") + kEuro) << QStringLiteral("Photos");
    QTest::newRow("trade mark sign, code 153")
        << (QStringLiteral("Photos") + Unit(0x2122)) << QStringLiteral("Photos");
    QTest::newRow("Y diaeresis, code 159")
        << (Unit(0x0178) + QStringLiteral("Photos")) << QStringLiteral("Photos");
    QTest::newRow("undefined byte 0x81")
        << (Unit(0x0081) + QStringLiteral("Photos")) << QStringLiteral("Photos");
    QTest::newRow("code 255 inside")
        << (QStringLiteral("Pho") + kY + QStringLiteral("tos")) << QStringLiteral("Photos");
    QTest::newRow("code 160 kept") << (QStringLiteral("a") + Unit(0xA0) + QStringLiteral("b"))
                                   << (QStringLiteral("a") + Unit(0xA0) + QStringLiteral("b"));
    QTest::newRow("accented letters kept")
        << QStringLiteral("caf\u00e9 \u00c0") << QStringLiteral("caf\u00e9 \u00c0");
    QTest::newRow("Cyrillic photo")
        << QStringLiteral("\u0444\u043e\u0442\u043e") << QStringLiteral("????");
    QTest::newRow("Cyrillic mum") << QStringLiteral("\u043c\u0430\u043c\u0430")
                                  << QStringLiteral("????");
    QTest::newRow("CJK") << QStringLiteral("\u5199\u771f") << QStringLiteral("??");
    QTest::newRow("surrogate pair is two units")
        << QStringLiteral("a\U0001F600") << QStringLiteral("a??");
    QTest::newRow("lone surrogate") << Unit(0xD800) << QStringLiteral("?");
    QTest::newRow("separators stay") << QStringLiteral("a\\b/c") << QStringLiteral("a\\b/c");
    QTest::newRow("empty") << QString() << QString();
    // The raw-bytes step comes first, so these end empty and do not take the raw-bytes form.
    QTest::newRow("euro sign only") << kEuro << QString();
    QTest::newRow("codes 127 to 159 only")
        << (Unit(0x201A) + Unit(0x0192) + Unit(0x2026) + Unit(0x0178)) << QString();
    QTest::newRow("NUL only") << Unit(0) << QString();
    QTest::newRow("tabs between spaces") << QStringLiteral(" \t ") << QString();
    QTest::newRow("10000 letters")
        << QStringLiteral("a").repeated(10000) << QStringLiteral("a").repeated(10000);
    QTest::newRow("10000 euro signs") << kEuro.repeated(10000) << QString();
}

void TestNameKey::cleanFileName() {
    QFETCH(QString, name);
    QFETCH(QString, key);
    QCOMPARE(CleanFileName(name), key);
    QCOMPARE(CleanFileName(name, QString()), key);
}

// A name of spaces and code-255 characters only leaves nothing after the first two steps and is
// keyed by its bytes, two to a unit, low byte first; an odd last byte is a unit of its own.
void TestNameKey::rawBytesKey_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("key");

    QTest::newRow("one space") << QStringLiteral(" ") << Unit(0x0020);
    QTest::newRow("one code-255 character") << kY << Unit(0x00FF);
    QTest::newRow("two code-255 characters") << kY + kY << Unit(0xFFFF);
    QTest::newRow("space then code 255") << QStringLiteral(" ") + kY << Unit(0xFF20);
    QTest::newRow("code 255 then space") << kY + QStringLiteral(" ") << Unit(0x20FF);
    QTest::newRow("odd count") << kY + QStringLiteral(" ") + kY << Unit(0x20FF) + Unit(0x00FF);
    // A pair of spaces forms U+2020, the character for code 134, which the later steps delete.
    QTest::newRow("two spaces") << QStringLiteral("  ") << QString();
    QTest::newRow("three spaces") << QStringLiteral("   ") << Unit(0x0020);
    QTest::newRow("10000 code-255 characters") << kY.repeated(10000) << Unit(0xFFFF).repeated(5000);
    QTest::newRow("10001 spaces") << QStringLiteral(" ").repeated(10001) << Unit(0x0020);
}

void TestNameKey::rawBytesKey() {
    QFETCH(QString, name);
    QFETCH(QString, key);
    QCOMPARE(CleanFileName(name), key);
}

void TestNameKey::removals_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("removals");
    QTest::addColumn<QString>("key");

    QTest::newRow("empty removals")
        << QStringLiteral("old copy") << QString() << QStringLiteral("old copy");
    QTest::newRow("one piece") << QStringLiteral("old photos copy") << QStringLiteral("copy")
                               << QStringLiteral("old photos ");
    QTest::newRow("every occurrence")
        << QStringLiteral("a-b-c") << QStringLiteral("-") << QStringLiteral("abc");
    QTest::newRow("piece kept with its blanks")
        << QStringLiteral("my old copy") << QStringLiteral("copy, old") << QStringLiteral("my ");
    QTest::newRow("blank piece skipped")
        << QStringLiteral("a b") << QStringLiteral(" ") << QStringLiteral("a b");
    QTest::newRow("empty pieces skipped")
        << QStringLiteral("a,b") << QStringLiteral(",,") << QStringLiteral("a,b");
    QTest::newRow("case-sensitive")
        << QStringLiteral("copy") << QStringLiteral("Copy") << QStringLiteral("copy");
    QTest::newRow("whole name removed")
        << QStringLiteral("abc") << QStringLiteral("abc") << QString();
    QTest::newRow("after the raw-bytes step") << kY << kY << QString();
}

void TestNameKey::removals() {
    QFETCH(QString, name);
    QFETCH(QString, removals);
    QFETCH(QString, key);
    QCOMPARE(CleanFileName(name, removals), key);
}

void TestNameKey::keyNeverHoldsRemovedCharacters_data() {
    QTest::addColumn<QString>("name");
    QString everyCode;
    for (int code = 0; code <= 255; ++code)
        everyCode.append(ansi::CharacterFor(code));
    QTest::newRow("every character of the code page") << everyCode;
    QString reversed = everyCode;
    std::reverse(reversed.begin(), reversed.end());
    QTest::newRow("every character, reversed") << reversed;
    QTest::newRow("lone surrogates and NULs")
        << (Unit(0xDC00) + Unit(0) + Unit(0xD800) + Unit(0) + Unit(0xDFFF));
    QTest::newRow("separators only") << QStringLiteral("\\/\\\\//");
    QTest::newRow("spaces and code 255 mixed") << QStringLiteral(" ").repeated(7) + kY.repeated(3);
}

void TestNameKey::keyNeverHoldsRemovedCharacters() {
    QFETCH(QString, name);
    const QString key = CleanFileName(name);
    for (const QChar unit : key) {
        const int code = ansi::CodeOf(unit);
        QVERIFY2(code >= 32 && (code < 127 || code > 159),
                 qPrintable(QStringLiteral("U+%1 in the key").arg(unit.unicode(), 4, 16)));
    }
    QVERIFY(key.size() <= name.size());
}

void TestNameKey::sameFilename_data() {
    QTest::addColumn<QString>("candidate");
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<bool>("same");

    const QChar backslash = u'\\';
    const QChar slash = u'/';
    QTest::newRow("same name") << QStringLiteral("Photos") << QStringLiteral("Photos") << slash
                               << true;
    QTest::newRow("other letter case")
        << QStringLiteral("Photos") << QStringLiteral("photos") << slash << false;
    QTest::newRow("reference with drive and parent")
        << QStringLiteral("Photos") << QStringLiteral("C:\\Data\\Photos") << backslash << true;
    QTest::newRow("reference with posix parent")
        << QStringLiteral("Photos") << QStringLiteral("/home/ann/Photos") << slash << true;
    QTest::newRow("parent matches, leaf does not")
        << QStringLiteral("Photos") << QStringLiteral("/Photos/Other") << slash << false;
    QTest::newRow("backslash path under slash is one leaf")
        << QStringLiteral("Photos") << QStringLiteral("C:\\Data\\Photos") << slash << false;
    QTest::newRow("reference still ending in its separator")
        << QStringLiteral("Photos") << QStringLiteral("/data/Photos/") << slash << false;
    QTest::newRow("differ by outer spaces")
        << QStringLiteral("  Photos ") << QStringLiteral("/data/Photos") << slash << true;
    QTest::newRow("differ by a tab")
        << QStringLiteral("Pho\ttos") << QStringLiteral("/d/Photos") << slash << true;
    QTest::newRow("differ by a euro sign")
        << (QStringLiteral("Photos") + kEuro) << QStringLiteral("/d/Photos") << slash << true;
    QTest::newRow("differ by code 255")
        << (kY + QStringLiteral("Photos")) << QStringLiteral("/d/Photos") << slash << true;
    QTest::newRow("different Cyrillic names, same key")
        << QStringLiteral("\u0444\u043e\u0442\u043e")
        << QStringLiteral("/d/\u043c\u0430\u043c\u0430") << slash << true;
    QTest::newRow("different names of codes 127-159 only")
        << kEuro << (QStringLiteral("/d/") + Unit(0x201A) + Unit(0x2122)) << slash << true;
    QTest::newRow("accent matters")
        << QStringLiteral("caf\u00e9") << QStringLiteral("/d/cafe") << slash << false;
    QTest::newRow("raw bytes, same bytes") << kY << (QStringLiteral("/d/") + kY) << slash << true;
    QTest::newRow("raw bytes, other order")
        << (QStringLiteral(" ") + kY) << (QStringLiteral("/d/") + kY + QStringLiteral(" ")) << slash
        << false;
    QTest::newRow("raw bytes, one space against code 255")
        << QStringLiteral(" ") << (QStringLiteral("/d/") + kY) << slash << false;
    QTest::newRow("10000 characters, same")
        << QStringLiteral("n").repeated(10000)
        << QStringLiteral("/d/") + QStringLiteral("n").repeated(10000) << slash << true;
    QTest::newRow("10000 characters, last differs")
        << QStringLiteral("n").repeated(10000)
        << QStringLiteral("/d/") + QStringLiteral("n").repeated(9999) + u'N' << slash << false;
    QTest::newRow("both empty") << QString() << QString() << slash << true;
}

void TestNameKey::sameFilename() {
    QFETCH(QString, candidate);
    QFETCH(QString, reference);
    QFETCH(QChar, separator);
    QFETCH(bool, same);
    QCOMPARE(IsSameFilename(candidate, reference, separator), same);
    // The test is symmetric in the names' leaves.
    QCOMPARE(IsSameFilename(GetLeafName(reference, separator), candidate, separator), same);
}

QTEST_APPLESS_MAIN(TestNameKey)
#include "tst_namekey.moc"
