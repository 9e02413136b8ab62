#include "common/listedpath.h"
#include "common/pathtext.h"

#include <QRandomGenerator>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <string_view>

using namespace tarnwick;

namespace {

const QChar kBackslash = u'\\';
const QChar kSlash = u'/';

QString Unit(char16_t unit) {
    return QString(QChar(unit));
}

QString Repeat(const QString& text, int times) {
    return text.repeated(times);
}

// Binary order of the 16-bit units, independent of QString's own comparison.
bool UnitsLess(const QString& a, const QString& b) {
    const std::u16string_view left(reinterpret_cast<const char16_t*>(a.utf16()),
                                   static_cast<std::size_t>(a.size()));
    const std::u16string_view right(reinterpret_cast<const char16_t*>(b.utf16()),
                                    static_cast<std::size_t>(b.size()));
    return left < right;
}

// Texts that have broken helpers elsewhere: nothing, half a character, NULs, very long names.
void AddBadTexts() {
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("lone high surrogate") << Unit(0xD800) << true;
    QTest::newRow("lone low surrogate at end") << (QStringLiteral("abc") + Unit(0xDC00)) << true;
    QTest::newRow("reversed surrogate pair") << (Unit(0xDC00) + Unit(0xD800)) << true;
    QTest::newRow("NUL only") << Unit(0) << true;
    QTest::newRow("NULs around separators")
        << (Unit(0) + kBackslash + Unit(0) + kSlash + Unit(0)) << true;
    QTest::newRow("10000-character name") << Repeat(QStringLiteral("a"), 10000) << false;
    QTest::newRow("10000 backslashes") << Repeat(QStringLiteral("\\"), 10000) << false;
    QTest::newRow("10000 slashes") << Repeat(QStringLiteral("/"), 10000) << false;
    QTest::newRow("long path of both separators")
        << Repeat(QStringLiteral("ab\\\\cd//"), 1250) << false;
    QTest::newRow("separators only, mixed") << QStringLiteral("\\/\\//\\") << false;
}

} // namespace

class TestPathText : public QObject {
    Q_OBJECT
private slots:
    void leafName_data();
    void leafName();
    void parentPath_data();
    void parentPath();
    void withoutTrailingSeparator_data();
    void withoutTrailingSeparator();
    void unsupportedCharacters_data();
    void unsupportedCharacters();
    void countOccurrences_data();
    void countOccurrences();
    void collapseBackslashes_data();
    void collapseBackslashes();

    void sortKnownOrders_data();
    void sortKnownOrders();
    void sortMatchesBinaryOrderOnRandomTexts_data();
    void sortMatchesBinaryOrderOnRandomTexts();
    void sortPumpsEveryRound_data();
    void sortPumpsEveryRound();
    void sortWithoutPump();
    void listedPathsOrderAsWholePaths_data();
    void listedPathsOrderAsWholePaths();

    void badInputSplitsConsistently_data();
    void badInputSplitsConsistently();
    void badInputCountsAndCollapses_data();
    void badInputCountsAndCollapses();
    void badInputSorts();
};

void TestPathText::leafName_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("leaf");

    QTest::newRow("folder path") << QStringLiteral("C:\\Data\\my photos") << kBackslash
                                 << QStringLiteral("my photos");
    QTest::newRow("trailing backslash")
        << QStringLiteral("C:\\Data\\my photos\\") << kBackslash << QString();
    QTest::newRow("no backslash") << QStringLiteral("my photos") << kBackslash
                                  << QStringLiteral("my photos");
    QTest::newRow("empty") << QString() << kBackslash << QString();
    QTest::newRow("drive root") << QStringLiteral("C:\\") << kBackslash << QString();
    QTest::newRow("drive root without separator")
        << QStringLiteral("C:") << kBackslash << QStringLiteral("C:");
    QTest::newRow("network share")
        << QStringLiteral("\\\\server\\share") << kBackslash << QStringLiteral("share");
    QTest::newRow("slash is a plain character with backslash")
        << QStringLiteral("C:\\a/b") << kBackslash << QStringLiteral("a/b");
    QTest::newRow("posix folder") << QStringLiteral("/home/ann/photos") << kSlash
                                  << QStringLiteral("photos");
    QTest::newRow("posix trailing slash") << QStringLiteral("/home/ann/") << kSlash << QString();
    QTest::newRow("posix root") << QStringLiteral("/") << kSlash << QString();
    QTest::newRow("posix name at root")
        << QStringLiteral("/tmp") << kSlash << QStringLiteral("tmp");
    QTest::newRow("backslash is a plain character with slash")
        << QStringLiteral("/home/a\\b") << kSlash << QStringLiteral("a\\b");
    QTest::newRow("NUL kept in leaf") << (QStringLiteral("a\\b") + Unit(0) + QStringLiteral("c"))
                                      << kBackslash << (QStringLiteral("b") + Unit(0) + "c");
}

void TestPathText::leafName() {
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(QString, leaf);
    const QString before = text;
    QCOMPARE(GetLeafName(text, separator), leaf);
    QCOMPARE(text, before);
}

void TestPathText::parentPath_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("parent");

    QTest::newRow("no backslash") << QStringLiteral("photos") << kBackslash << QString();
    QTest::newRow("empty") << QString() << kBackslash << QString();
    QTest::newRow("drive root") << QStringLiteral("C:\\") << kBackslash << QStringLiteral("C:\\");
    QTest::newRow("drive root with two backslashes")
        << QStringLiteral("C:\\\\") << kBackslash << QStringLiteral("C:\\\\");
    QTest::newRow("folder path") << QStringLiteral("C:\\Data\\my photos") << kBackslash
                                 << QStringLiteral("C:\\Data\\");
    QTest::newRow("trailing backslash kept whole")
        << QStringLiteral("C:\\Data\\my photos\\") << kBackslash
        << QStringLiteral("C:\\Data\\my photos\\");
    QTest::newRow("network share")
        << QStringLiteral("\\\\server\\share") << kBackslash << QStringLiteral("\\\\server\\");
    QTest::newRow("network server")
        << QStringLiteral("\\\\server") << kBackslash << QStringLiteral("\\\\");
    QTest::newRow("posix root") << QStringLiteral("/") << kSlash << QStringLiteral("/");
    QTest::newRow("posix doubled root") << QStringLiteral("//") << kSlash << QStringLiteral("//");
    QTest::newRow("posix folder") << QStringLiteral("/home/ann") << kSlash
                                  << QStringLiteral("/home/");
    QTest::newRow("posix relative name") << QStringLiteral("ann") << kSlash << QString();
    QTest::newRow("backslash path under slash")
        << QStringLiteral("C:\\Data\\x") << kSlash << QString();
}

void TestPathText::parentPath() {
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(QString, parent);
    QCOMPARE(GetParentPath(text, separator), parent);
}

void TestPathText::withoutTrailingSeparator_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("result");

    QTest::newRow("one trailing backslash")
        << QStringLiteral("C:\\Data\\x\\") << kBackslash << QStringLiteral("C:\\Data\\x");
    QTest::newRow("drive root keeps one of two")
        << QStringLiteral("C:\\\\") << kBackslash << QStringLiteral("C:\\");
    QTest::newRow("no trailing backslash")
        << QStringLiteral("C:\\Data\\x") << kBackslash << QStringLiteral("C:\\Data\\x");
    QTest::newRow("empty") << QString() << kBackslash << QString();
    QTest::newRow("lone backslash") << QStringLiteral("\\") << kBackslash << QString();
    QTest::newRow("posix root keeps one of two")
        << QStringLiteral("//") << kSlash << QStringLiteral("/");
    QTest::newRow("posix folder") << QStringLiteral("/home/ann/") << kSlash
                                  << QStringLiteral("/home/ann");
    QTest::newRow("other separator untouched")
        << QStringLiteral("/home/ann\\") << kSlash << QStringLiteral("/home/ann\\");
}

void TestPathText::withoutTrailingSeparator() {
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(QString, result);
    QCOMPARE(WithoutTrailingSeparator(text, separator), result);
}

void TestPathText::unsupportedCharacters_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("unsupported");

    QTest::newRow("empty") << QString() << false;
    QTest::newRow("letters digits blanks") << QStringLiteral("My Photos 2021") << false;
    QTest::newRow("punctuation of names")
        << QStringLiteral("a-b_c.d (e) [f] {g} ~!@#$%&'+,;=") << false;
    QTest::newRow("accented letters 160 and above")
        << QStringLiteral("caf\u00e9 \u00c0\u00c9\u00d6\u00fc\u00ff") << false;
    QTest::newRow("no-break space is code 160") << Unit(0x00A0) << false;
    QTest::newRow("tilde is code 126") << QStringLiteral("~") << false;
    QTest::newRow("space is code 32") << QStringLiteral(" ") << false;
    QTest::newRow("y with diaeresis is code 255") << Unit(0x00FF) << false;
    QTest::newRow("both separators") << QStringLiteral("C:\\a/b") << false;

    QTest::newRow("tab") << QStringLiteral("tab\there") << true;
    QTest::newRow("question mark") << QStringLiteral("what?") << true;
    QTest::newRow("NUL") << (QStringLiteral("a") + Unit(0)) << true;
    QTest::newRow("code 31") << Unit(31) << true;
    QTest::newRow("line feed") << QStringLiteral("a\nb") << true;
    QTest::newRow("carriage return") << QStringLiteral("a\rb") << true;
    QTest::newRow("delete is code 127") << Unit(0x007F) << true;
    QTest::newRow("euro sign is code 128") << QStringLiteral("\u20ac uro") << true;
    QTest::newRow("s with caron is code 154") << Unit(0x0161) << true;
    QTest::newRow("Y with diaeresis is code 159") << Unit(0x0178) << true;
    QTest::newRow("undefined byte 0x81") << Unit(0x0081) << true;
    QTest::newRow("C1 control outside the code page") << Unit(0x0080) << true;
    QTest::newRow("Cyrillic outside the code page")
        << QStringLiteral("\u0444\u043e\u0442\u043e") << true;
    QTest::newRow("CJK outside the code page") << QStringLiteral("\u5199\u771f") << true;
    QTest::newRow("surrogate pair") << QStringLiteral("\U0001F600") << true;
    QTest::newRow("lone surrogate") << Unit(0xDFFF) << true;
    QTest::newRow("unsupported at the very end")
        << (Repeat(QStringLiteral("x"), 9999) + QStringLiteral("\t")) << true;
}

void TestPathText::unsupportedCharacters() {
    QFETCH(QString, text);
    QFETCH(bool, unsupported);
    QCOMPARE(HasUnsupportedCharacters(text), unsupported);
}

void TestPathText::countOccurrences_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<int>("count");

    QTest::newRow("separators of a folder path incl. trailing")
        << QStringLiteral("C:\\Data\\my photos\\") << QStringLiteral("\\") << 3;
    QTest::newRow("drive root") << QStringLiteral("C:\\\\") << QStringLiteral("\\") << 2;
    QTest::newRow("network path") << QStringLiteral("\\\\server\\share\\docs\\")
                                  << QStringLiteral("\\") << 5;
    QTest::newRow("posix path") << QStringLiteral("/home/ann/") << QStringLiteral("/") << 3;
    QTest::newRow("posix root") << QStringLiteral("//") << QStringLiteral("/") << 2;
    QTest::newRow("overlapping pair in three")
        << QStringLiteral("aaa") << QStringLiteral("aa") << 2;
    QTest::newRow("overlapping pair in four")
        << QStringLiteral("\\\\\\\\") << QStringLiteral("\\\\") << 3;
    QTest::newRow("case-sensitive") << QStringLiteral("AaAa") << QStringLiteral("a") << 2;
    QTest::newRow("no match") << QStringLiteral("abc") << QStringLiteral("\\") << 0;
    QTest::newRow("find longer than text") << QStringLiteral("ab") << QStringLiteral("abc") << 0;
    QTest::newRow("empty text") << QString() << QStringLiteral("\\") << 0;
    QTest::newRow("empty find") << QStringLiteral("abc") << QString() << 0;
    QTest::newRow("both empty") << QString() << QString() << 0;
    QTest::newRow("NUL") << (Unit(0) + "a" + Unit(0) + Unit(0)) << Unit(0) << 3;
    QTest::newRow("match at the very end") << QStringLiteral("abcab") << QStringLiteral("ab") << 2;
    QTest::newRow("10000 separators")
        << Repeat(QStringLiteral("\\"), 10000) << QStringLiteral("\\") << 10000;
}

void TestPathText::countOccurrences() {
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(int, count);
    QCOMPARE(CountOccurrences(text, find), count);
}

void TestPathText::collapseBackslashes_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("collapsed");

    QTest::newRow("empty") << QString() << kBackslash << QString();
    QTest::newRow("nothing doubled")
        << QStringLiteral("C:\\Data\\x\\") << kBackslash << QStringLiteral("C:\\Data\\x\\");
    QTest::newRow("doubled inside") << QStringLiteral("C:\\Samples\\\\Photos\\\\") << kBackslash
                                    << QStringLiteral("C:\\Samples\\Photos\\");
    QTest::newRow("run of three becomes two")
        << QStringLiteral("a\\\\\\b") << kBackslash << QStringLiteral("a\\\\b");
    QTest::newRow("run of four becomes two")
        << QStringLiteral("a\\\\\\\\b") << kBackslash << QStringLiteral("a\\\\b");
    QTest::newRow("run of five becomes three")
        << QStringLiteral("a\\\\\\\\\\b") << kBackslash << QStringLiteral("a\\\\\\b");
    QTest::newRow("network path keeps its head")
        << QStringLiteral("\\\\server\\\\share\\docs\\") << kBackslash
        << QStringLiteral("\\\\server\\share\\docs\\");
    QTest::newRow("one leading backslash becomes two")
        << QStringLiteral("\\x\\\\y") << kBackslash << QStringLiteral("\\\\x\\y");
    QTest::newRow("four leading become two")
        << QStringLiteral("\\\\\\\\x") << kBackslash << QStringLiteral("\\\\x");
    QTest::newRow("lone backslash") << QStringLiteral("\\") << kBackslash << QStringLiteral("\\\\");
    QTest::newRow("backslashes only")
        << QStringLiteral("\\\\\\\\\\") << kBackslash << QStringLiteral("\\\\");
    QTest::newRow("slashes untouched with backslash")
        << QStringLiteral("a//b") << kBackslash << QStringLiteral("a//b");

    QTest::newRow("posix nothing doubled")
        << QStringLiteral("/home/ann/") << kSlash << QStringLiteral("/home/ann/");
    QTest::newRow("posix doubled inside")
        << QStringLiteral("/home//ann//") << kSlash << QStringLiteral("/home/ann/");
    QTest::newRow("posix two leading become one")
        << QStringLiteral("//server/share") << kSlash << QStringLiteral("/server/share");
    QTest::newRow("posix four leading become one")
        << QStringLiteral("////x") << kSlash << QStringLiteral("/x");
    QTest::newRow("posix root") << QStringLiteral("/") << kSlash << QStringLiteral("/");
    QTest::newRow("posix slashes only") << QStringLiteral("///") << kSlash << QStringLiteral("/");
    QTest::newRow("posix run of three inside")
        << QStringLiteral("a///b") << kSlash << QStringLiteral("a//b");
    QTest::newRow("posix relative")
        << QStringLiteral("Samples//Photos/") << kSlash << QStringLiteral("Samples/Photos/");
    QTest::newRow("backslashes untouched with slash")
        << QStringLiteral("\\\\a//b") << kSlash << QStringLiteral("\\\\a/b");
}

void TestPathText::collapseBackslashes() {
    QFETCH(QString, path);
    QFETCH(QChar, separator);
    QFETCH(QString, collapsed);
    QCOMPARE(CollapseBackslashes(path, separator), collapsed);
}

void TestPathText::sortKnownOrders_data() {
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("sorted");

    QTest::newRow("no element") << QStringList() << QStringList();
    QTest::newRow("one element") << QStringList{QStringLiteral("x")}
                                 << QStringList{QStringLiteral("x")};
    QTest::newRow("10 before 9") << QStringList{QStringLiteral("9"), QStringLiteral("10")}
                                 << QStringList{QStringLiteral("10"), QStringLiteral("9")};
    QTest::newRow("upper before every lower")
        << QStringList{QStringLiteral("a"), QStringLiteral("Z"), QStringLiteral("b"),
                       QStringLiteral("A")}
        << QStringList{QStringLiteral("A"), QStringLiteral("Z"), QStringLiteral("a"),
                       QStringLiteral("b")};
    QTest::newRow("prefix first") << QStringList{QStringLiteral("abc"), QStringLiteral("ab"),
                                                 QString()}
                                  << QStringList{QString(), QStringLiteral("ab"),
                                                 QStringLiteral("abc")};
    QTest::newRow("duplicates kept") << QStringList{QStringLiteral("b"), QStringLiteral("a"),
                                                    QStringLiteral("b"), QStringLiteral("a")}
                                     << QStringList{QStringLiteral("a"), QStringLiteral("a"),
                                                    QStringLiteral("b"), QStringLiteral("b")};
    QTest::newRow("accented after ASCII")
        << QStringList{QStringLiteral("\u00e9"), QStringLiteral("z")}
        << QStringList{QStringLiteral("z"), QStringLiteral("\u00e9")};
    // By 16-bit units a surrogate pair (0xD83D...) sorts before U+FFFD, not after it.
    QTest::newRow("surrogates by unit, not by code point")
        << QStringList{Unit(0xFFFD), QStringLiteral("\U0001F600"), Unit(0xE000)}
        << QStringList{QStringLiteral("\U0001F600"), Unit(0xE000), Unit(0xFFFD)};
    QTest::newRow("sort keys of depth")
        << QStringList{QStringLiteral("0002 C:\\a\\b\\"), QStringLiteral("0010 C:\\a\\"),
                       QStringLiteral("0001 C:\\")}
        << QStringList{QStringLiteral("0001 C:\\"), QStringLiteral("0002 C:\\a\\b\\"),
                       QStringLiteral("0010 C:\\a\\")};
}

void TestPathText::sortKnownOrders() {
    QFETCH(QStringList, texts);
    QFETCH(QStringList, sorted);
    SortTextArray(texts, [] {});
    QCOMPARE(texts, sorted);
}

void TestPathText::sortMatchesBinaryOrderOnRandomTexts_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<quint32>("seed");
    for (const int count : {2, 3, 7, 64, 65, 1000, 4097}) {
        for (const quint32 seed : {1u, 2u, 3u})
            QTest::addRow("%d texts, seed %u", count, seed) << count << seed;
    }
}

void TestPathText::listedPathsOrderAsWholePaths_data() {
    QTest::addColumn<quint32>("seed");
    for (const quint32 seed : {1u, 2u, 3u, 4u})
        QTest::addRow("seed %u", seed) << seed;
}

// A path kept in two parts compares, counts and reads as the whole path, wherever it is cut.
void TestPathText::listedPathsOrderAsWholePaths() {
    QFETCH(quint32, seed);
    const char16_t alphabet[] = {u'a', u'b', u'/', 0xD83D, 0xDE00, 0xFFFF};
    QRandomGenerator random(seed);
    const auto text = [&] {
        QString made;
        for (int j = random.bounded(7); j > 0; --j)
            made.append(QChar(alphabet[random.bounded(int(std::size(alphabet)))]));
        return made;
    };
    const auto cut = [&](const QString& whole) {
        const qsizetype at = random.bounded(int(whole.size()) + 1);
        return ListedPath(whole.left(at), whole.mid(at));
    };
    for (int i = 0; i < 2000; ++i) {
        const QString a = text();
        const QString b = random.bounded(4) == 0 ? a : text();
        const ListedPath aCut = cut(a);
        const ListedPath bCut = cut(b);
        const int whole = a.compare(b);
        const auto order = aCut <=> bCut;
        QVERIFY2((whole < 0) == (order < 0) && (whole == 0) == (order == 0),
                 qPrintable(a + u'|' + b));
        QCOMPARE(aCut == bCut, a == b);
        QCOMPARE(aCut.toString(), a);
        QString buffer;
        QCOMPARE(aCut.joined(buffer), a);
        QCOMPARE(aCut.count(u'/'), a.count(u'/'));
    }
}

void TestPathText::sortMatchesBinaryOrderOnRandomTexts() {
    QFETCH(int, count);
    QFETCH(quint32, seed);
    // Few distinct units, so that long shared prefixes and duplicates occur often.
    const char16_t alphabet[] = {u'0', u'1',   u'9',   u'A',   u'Z',   u'a',   u'z',   u'\\', u'/',
                                 0,    0x00E9, 0xD83D, 0xDE00, 0xDC00, 0xE000, 0xFFFD, 0xFFFF};
    QRandomGenerator random(seed);
    QStringList texts;
    for (int i = 0; i < count; ++i) {
        QString text;
        const int length = random.bounded(6);
        for (int j = 0; j < length; ++j)
            text.append(QChar(alphabet[random.bounded(int(std::size(alphabet)))]));
        texts << text;
    }
    QStringList expected = texts;
    std::sort(expected.begin(), expected.end(), UnitsLess);

    SortTextArray(texts, [] {});
    QCOMPARE(texts.size(), expected.size());
    QCOMPARE(texts, expected);
}

void TestPathText::sortPumpsEveryRound_data() {
    QTest::addColumn<int>("count");
    for (const int count : {0, 1, 2, 3, 4, 5, 8, 9, 1000, 1025})
        QTest::addRow("%d texts", count) << count;
}

void TestPathText::sortPumpsEveryRound() {
    QFETCH(int, count);
    QStringList texts;
    for (int i = count; i > 0; --i)
        texts << QString::number(i);
    QStringList expected = texts;
    std::sort(expected.begin(), expected.end(), UnitsLess);

    int pumps = 0;
    SortTextArray(texts, [&] { ++pumps; });
    const int rounds = count <= 1 ? 1 : int(std::ceil(std::log2(double(count))));
    QVERIFY2(pumps >= rounds,
             qPrintable(QStringLiteral("%1 pumps for %2 texts").arg(pumps).arg(count)));
    QCOMPARE(texts, expected);
}

void TestPathText::sortWithoutPump() {
    QStringList texts{QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("a")};
    SortTextArray(texts);
    QCOMPARE(texts, (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
}

void TestPathText::badInputSplitsConsistently_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("unsupported");
    AddBadTexts();
}

void TestPathText::badInputSplitsConsistently() {
    QFETCH(QString, text);
    QFETCH(bool, unsupported);
    QCOMPARE(HasUnsupportedCharacters(text), unsupported);
    for (const QChar separator : {kBackslash, kSlash}) {
        const QString leaf = GetLeafName(text, separator);
        const QString parent = GetParentPath(text, separator);
        QCOMPARE(parent + leaf, text);
        QVERIFY(!leaf.contains(separator));
        QVERIFY(parent.isEmpty() || parent.endsWith(separator));
        const QString stripped = WithoutTrailingSeparator(text, separator);
        QCOMPARE(stripped.size(), text.size() - (text.endsWith(separator) ? 1 : 0));
        QVERIFY(text.startsWith(stripped));
    }
}

void TestPathText::badInputCountsAndCollapses_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("unsupported");
    AddBadTexts();
}

void TestPathText::badInputCountsAndCollapses() {
    QFETCH(QString, text);
    for (const QChar separator : {kBackslash, kSlash}) {
        QCOMPARE(CountOccurrences(text, QString(separator)), int(text.count(separator)));

        const QString collapsed = CollapseBackslashes(text, separator);
        // Collapsing only drops separators; every other unit survives in order.
        QString textRest = text, collapsedRest = collapsed;
        textRest.remove(separator);
        collapsedRest.remove(separator);
        QCOMPARE(collapsedRest, textRest);
        if (text.startsWith(separator)) {
            const int head = separator == kBackslash ? 2 : 1;
            QVERIFY(collapsed.startsWith(QString(head, separator)));
            QVERIFY(collapsed.size() == head || collapsed[head] != separator);
        } else {
            QVERIFY(collapsed.size() <= text.size());
        }
    }
}

void TestPathText::badInputSorts() {
    QStringList texts{Unit(0xD800),
                      QString(),
                      Unit(0),
                      Repeat(QStringLiteral("a"), 10000),
                      Repeat(QStringLiteral("\\"), 10000),
                      Unit(0xDC00) + Unit(0xD800),
                      Repeat(QStringLiteral("a"), 9999)};
    QStringList expected = texts;
    std::sort(expected.begin(), expected.end(), UnitsLess);
    SortTextArray(texts, [] {});
    QCOMPARE(texts, expected);
}

QTEST_APPLESS_MAIN(TestPathText)
#include "tst_pathtext.moc"
