#include "common/pathtext.h"
#include "platform/posixfilesystem.h"
#include "tests/reliability/reliabilitysupport.h"
#include "transform/operations.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

const QStringList kOperations = {kUpper, kLower, kProper, kSentence};

QByteArray Converted(const QString& operation, const QByteArray& name) {
    return QFile::encodeName(ConvertName(*MatchOperation(operation), QFile::decodeName(name)));
}

QByteArray Group(qsizetype index) {
    return "g" + QByteArray::number(index).rightJustified(3, '0');
}

bool MakeFolder(const QByteArray& path) {
    return ::mkdir(path.constData(), 0755) == 0;
}

QByteArray Repeat(const char* piece, int times) {
    QByteArray text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

// A name "x<byte>x" for each byte from first to last but "/".
QList<QByteArray> EachByte(int first, int last) {
    QList<QByteArray> names;
    for (int byte = first; byte <= last; ++byte) {
        if (byte != '/')
            names << "x" + QByteArray(1, static_cast<char>(byte)) + "x";
    }
    return names;
}

// One name holding the characters from first to last, in UTF-8.
QByteArray Characters(char16_t first, char16_t last) {
    QByteArray name;
    for (char16_t code = first; code <= last; ++code)
        name += QString(QChar(code)).toUtf8();
    return name;
}

// A name "x<character>x" for each character from first to last, in UTF-8.
QList<QByteArray> EachCharacter(char16_t first, char16_t last) {
    QList<QByteArray> names;
    for (char16_t code = first; code <= last; ++code)
        names << "x" + QString(QChar(code)).toUtf8() + "x";
    return names;
}

// One name holding the bytes from first to last, "/" left out.
QByteArray AllBytes(int first, int last, const QByteArray& without = "/") {
    QByteArray name;
    for (int byte = first; byte <= last; ++byte) {
        if (!without.contains(static_cast<char>(byte)))
            name += static_cast<char>(byte);
    }
    return name;
}

// Whether the walk takes a name: one that leads back to its own bytes and holds no control
// character.
bool Walkable(const QByteArray& name) {
    const QString text = QFile::decodeName(name);
    return QFile::encodeName(text) == name && !HasUnsupportedCharacters(text, CodePage::Unicode);
}

// The relative folder paths of a tree given as raw names, root first.
QList<QByteArray> Paths(const QByteArray& root, const QList<QByteArray>& below) {
    QList<QByteArray> paths{root + '/'};
    for (const QByteArray& path : below)
        paths << root + '/' + path + '/';
    std::sort(paths.begin(), paths.end());
    return paths;
}

} // namespace

class TestHostileNames : public QObject {
    Q_OBJECT
private slots:
    void cleanupTestCase() { PrintTally("hostile names"); }

    void everyByte_data();
    void everyByte();
    void invalidUtf8();
    void invalidUtf8ChosenAsShown();
    void longNames_data();
    void longNames();
    void lookalikes_data();
    void lookalikes();
    void depthBeyondPathMax();
};

void TestHostileNames::everyByte_data() {
    QTest::addColumn<QList<QByteArray>>("names");
    QTest::addColumn<bool>("taken");

    QTest::newRow("control bytes 1-31: left out") << EachByte(1, 31) << false;
    QList<QByteArray> printable = EachByte(32, 126);
    printable.removeAll("x?x");
    QTest::newRow("printable bytes 32-126 but ? and /: renamed") << printable << true;
    QTest::newRow("question mark: renamed") << QList<QByteArray>{"x?x"} << true;
    QTest::newRow("DEL (127): left out") << EachByte(127, 127) << false;
    QTest::newRow("bytes 128-255 alone, not UTF-8: left out") << EachByte(128, 255) << false;
    QTest::newRow("characters 128-159 in UTF-8: left out") << EachCharacter(0x80, 0x9f) << false;
    QTest::newRow("characters 160-255 in UTF-8: renamed") << EachCharacter(0xa0, 0xff) << true;
    QTest::newRow("one name of every byte 1-255 but /: left out")
        << QList<QByteArray>{AllBytes(1, 255)} << false;
    QTest::newRow("one name of every byte 1-127 but /: left out")
        << QList<QByteArray>{AllBytes(1, 127)} << false;
    QTest::newRow("one name of every printable byte but ? and /: renamed")
        << QList<QByteArray>{AllBytes(32, 126, "/?")} << true;
    QTest::newRow("one name of the characters 160-255 in UTF-8: renamed")
        << QList<QByteArray>{Characters(0xa0, 0xff)} << true;
}

// Each name in a folder of its own, so no two stand side by side; all four operations in a row.
// The walk takes a name only when it can be addressed and the ANSI code page holds it; what it
// leaves out is never touched.
void TestHostileNames::everyByte() {
    QFETCH(QList<QByteArray>, names);
    QFETCH(bool, taken);

    RawTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QByteArray base = QFile::encodeName(temporary.path()) + '/';
    QVERIFY(MakeFolder(base + "t"));
    for (qsizetype i = 0; i < names.size(); ++i) {
        QVERIFY(MakeFolder(base + "t/" + Group(i)));
        QVERIFY2(MakeFolder(base + "t/" + Group(i) + '/' + names[i]),
                 Printable(names[i]).constData());
    }
    Counted().hostileNames += static_cast<int>(names.size());

    for (const QByteArray& name : std::as_const(names))
        QVERIFY2(Walkable(name) == taken, Printable(name).constData());

    QByteArray root = "t";
    QList<QByteArray> current = names;
    for (const QString& operation : kOperations) {
        const QList<QByteArray> before = RawTree(base);
        PosixFileSystem fileSystem;
        Session session(fileSystem, operation);
        session.add(QFile::decodeName(base + root));
        session.run();

        root = Converted(operation, root);
        QList<QByteArray> below;
        qsizetype walked = 0;
        for (qsizetype i = 0; i < names.size(); ++i) {
            const QByteArray group = Converted(operation, Group(i));
            if (Walkable(current[i])) {
                current[i] = Converted(operation, current[i]);
                ++walked;
            }
            below << group << group + '/' + current[i];
        }
        CheckTree(before, RawTree(base), Paths(root, below));
        const SessionReport report = session.report();
        QCOMPARE(report.listed.size(), 1 + names.size() + walked);
        CheckErrors(report.errors, {});
        if (QTest::currentTestFailed())
            return;
    }
}

namespace {
// Each a name that is no UTF-8: a byte never in it, a lead byte without its follower, "/" in two
// bytes (overlong), a surrogate, a sequence cut short, five bytes, Latin-1.
const QList<QByteArray> kInvalid = {"bad\xff",      "\xc3\x28", "\xc0\xaf",
                                    "\xed\xa0\x80", "\xe2\x82", "\xf8\x88\x80\x80\x80",
                                    "caf\xe9"};
} // namespace

// Names that are no UTF-8 cannot be addressed: the walk leaves them out with everything below
// them, and no operation touches them; their neighbours are renamed as ever.
void TestHostileNames::invalidUtf8() {
    RawTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QByteArray base = QFile::encodeName(temporary.path()) + '/';
    QVERIFY(MakeFolder(base + "t"));
    QVERIFY(MakeFolder(base + "t/ok"));
    for (const QByteArray& name : kInvalid) {
        QVERIFY(MakeFolder(base + "t/" + name));
        QVERIFY(MakeFolder(base + "t/" + name + "/inner"));
    }
    Counted().hostileNames += static_cast<int>(kInvalid.size());

    QByteArray root = "t";
    QByteArray ok = "ok";
    for (const QString& operation : kOperations) {
        const QList<QByteArray> before = RawTree(base);
        PosixFileSystem fileSystem;
        Session session(fileSystem, operation);
        session.add(QFile::decodeName(base + root));
        session.run();

        root = Converted(operation, root);
        ok = Converted(operation, ok);
        QList<QByteArray> below{ok};
        for (const QByteArray& name : kInvalid)
            below << name << name + "/inner";
        CheckTree(before, RawTree(base), Paths(root, below));
        const SessionReport report = session.report();
        QCOMPARE(report.listed.size(), 2);
        CheckErrors(report.errors, {});
        if (QTest::currentTestFailed())
            return;
    }
}

// A browser shows such a name with U+FFFD in its place. Chosen so, the row names no folder:
// nothing is renamed, and the folder meant stays as it is.
void TestHostileNames::invalidUtf8ChosenAsShown() {
    RawTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QByteArray base = QFile::encodeName(temporary.path()) + '/';
    QVERIFY(MakeFolder(base + "t"));
    QVERIFY(MakeFolder(base + "t/ok"));
    for (const QByteArray& name : kInvalid) {
        QVERIFY(MakeFolder(base + "t/" + name));
        QVERIFY(MakeFolder(base + "t/" + name + "/inner"));
    }
    const QList<QByteArray> before = RawTree(base);

    PosixFileSystem fileSystem;
    Session session(fileSystem, kUpper);
    for (const QByteArray& name : kInvalid) {
        session.add(QFile::decodeName(base + "t/" + name));
        ++Counted().hostileNames;
    }
    session.run();

    CheckTree(before, RawTree(base), before);
    const SessionReport report = session.report();
    QCOMPARE(report.listed.size(), kInvalid.size());
    CheckErrors(report.errors, {});
}

void TestHostileNames::longNames_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QList<int>>("lines");

    const QByteArray a248(248, 'a');
    const QByteArray a249(249, 'a');
    const QByteArray a255(255, 'a');
    const QByteArray A255(255, 'A');
    QTest::newRow("248 bytes: the intermediate name just fits")
        << a248 << kUpper << QByteArray(248, 'A') << QList<int>{};
    // Refused at the detour, the rename goes straight to the new name, which never replaces.
    QTest::newRow("249 bytes: the intermediate name too long, renamed directly")
        << a249 << kUpper << QByteArray(249, 'A') << QList<int>{};
    QTest::newRow("255 bytes, UPPER CASE") << a255 << kUpper << A255 << QList<int>{};
    QTest::newRow("255 bytes, lower case") << A255 << kLower << a255 << QList<int>{};
    QTest::newRow("255 bytes, Proper Case")
        << a255 << kProper << "A" + QByteArray(254, 'a') << QList<int>{};
    QTest::newRow("255 digits: the name unchanged, the intermediate too long")
        << QByteArray(255, '7') << kUpper << QByteArray(255, '7') << QList<int>{};
    // 127 times U+0250 are 254 bytes; their upper case, U+2C6F, takes 381.
    QTest::newRow("254 bytes whose upper case needs 381: neither name fits")
        << Repeat("\xc9\x90", 127) << kUpper << Repeat("\xc9\x90", 127) << QList<int>{152};
}

// Chosen in the browser, which takes any folder, also one the walk would leave out.
void TestHostileNames::longNames() {
    QFETCH(QByteArray, name);
    QFETCH(QString, operation);
    QFETCH(QByteArray, after);
    QFETCH(QList<int>, lines);

    RawTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QByteArray base = QFile::encodeName(temporary.path()) + '/';
    QVERIFY(MakeFolder(base + "t"));
    QVERIFY(MakeFolder(base + "t/" + name));
    ++Counted().hostileNames;
    const QList<QByteArray> before = RawTree(base);

    PosixFileSystem fileSystem;
    Session session(fileSystem, operation);
    session.add(QFile::decodeName(base + "t/" + name));
    session.run();

    CheckTree(before, RawTree(base), Paths("t", {after}));
    const SessionReport report = session.report();
    QCOMPARE(report.listed.size(), 1);
    CheckErrors(report.errors, lines, "Path/File access error");
}

void TestHostileNames::lookalikes_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("twins");
    QTest::addColumn<bool>("chosenEach");

    // Each stands beside the others in other letter case: none may take a name the others bear,
    // so only the one already bearing its new name keeps it without a rename.
    QTest::newRow("only in letter case") << QStringList{"docs", "Docs", "DOCS"} << true << false;
    // The new name is free as written but not letter case aside.
    QTest::newRow("only in letter case, two") << QStringList{"docs", "Docs"} << true << false;
    QTest::newRow("only in letter case, Cyrillic")
        << QStringList{"фото", "Фото", "ФОТО"} << true << true;
    // The same name key, told apart by the name itself.
    QTest::newRow("only in blanks at their ends")
        << QStringList{"docs", " docs", "docs ", " docs ", "  docs  "} << false << false;
    QTest::newRow("only in characters Windows-1252 lacks")
        << QStringList{"фото", "мама", "ΑΒΓ", "ŁÓDŹ"} << false << true;
}

// Names one key cannot tell apart, side by side, each with a subfolder, through all four
// operations. Names the walk leaves out (outside the ANSI code page) are chosen one by one.
void TestHostileNames::lookalikes() {
    QFETCH(QStringList, names);
    QFETCH(bool, twins);
    QFETCH(bool, chosenEach);

    RawTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QString base = temporary.path() + u'/';
    for (const QString& name : names)
        QVERIFY(QDir().mkpath(base + "t/" + name + "/sub"));
    Counted().hostileNames += static_cast<int>(names.size());

    QString root = QStringLiteral("t");
    QStringList current = names;
    QString sub = QStringLiteral("sub");
    for (const QString& operation : kOperations) {
        const QList<QByteArray> before = RawTree(base);
        PosixFileSystem fileSystem;
        Session session(fileSystem, operation);
        if (chosenEach) {
            for (const QString& name : std::as_const(current))
                session.add(base + root + u'/' + name);
        } else {
            session.add(base + root);
        }
        session.run();

        const Operation op = *MatchOperation(operation);
        if (!chosenEach)
            root = ConvertName(op, root);
        sub = ConvertName(op, sub);
        int refused = 0;
        QStringList expected{root + u'/'};
        for (QString& name : current) {
            const QString converted = ConvertName(op, name);
            if (!twins)
                name = converted;
            else if (converted != name)
                ++refused;
            expected << root + u'/' + name + u'/' << root + u'/' + name + u'/' + sub + u'/';
        }
        CheckTree(before, RawTree(base), Bytes(expected));
        CheckErrors(session.report().errors, QList<int>(refused, 152), "File already exists");
        if (QTest::currentTestFailed())
            return;
    }
}

// A chain of folders whose paths pass PATH_MAX, made through descriptors as no path could.
// The walk lists what is shorter than its bound and goes no deeper; rows typed in deeper still
// are renamed while their parent can be reached, else reported: never lost.
void TestHostileNames::depthBeyondPathMax() {
    RawTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    const QByteArray base = QFile::encodeName(temporary.path()) + '/';
    QVERIFY(MakeFolder(base + "t"));
    const QByteArray level(100, 'd');
    constexpr int kLevels = 45;
    int fd = ::open((base + "t").constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    QVERIFY(fd >= 0);
    for (int i = 0; i < kLevels; ++i) {
        QVERIFY(::mkdirat(fd, level.constData(), 0755) == 0);
        const int next = ::openat(fd, level.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        fd = next;
        QVERIFY(fd >= 0);
    }
    ::close(fd);
    Counted().hostileNames += kLevels;

    // The relative path of each level, and which of them the walk lists: those whose parent,
    // with its separator, is shorter than the bound.
    QList<QByteArray> levels;
    QByteArray path = "t/";
    int walked = 0;
    for (int i = 0; i < kLevels; ++i) {
        path += level + '/';
        levels << path;
        if (base.size() + path.size() <= PATH_MAX)
            ++walked;
    }
    QVERIFY(base.size() + levels.last().size() > PATH_MAX);
    QVERIFY(walked > 3 && walked < kLevels);

    const QByteArray upper(100, 'D');
    {
        const QList<QByteArray> before = RawTree(base);
        PosixFileSystem fileSystem;
        Session session(fileSystem, kUpper);
        session.add(QFile::decodeName(base + "t"));
        session.run();
        QCOMPARE(session.report().listed.size(), 1 + walked);
        QList<QByteArray> expected{"T/"};
        for (int i = 0; i < kLevels; ++i) {
            QByteArray renamed = levels[i];
            renamed.replace(0, 2, "T/");
            for (int j = 0; j < std::min(i + 1, walked); ++j)
                renamed.replace(2 + 101 * j, 100, upper);
            expected << renamed;
        }
        CheckTree(before, RawTree(base), expected);
        CheckErrors(session.report().errors, {});
    }

    // Typed in: the first level too deep to be named itself, whose parent still can be, and the
    // deepest of all.
    qsizetype reachable = 0;
    while (base.size() + levels[reachable].size() - 1 < PATH_MAX)
        ++reachable;
    QVERIFY(reachable + 1 < levels.size());
    const QList<QByteArray> before = RawTree(base);
    PosixFileSystem fileSystem;
    Session session(fileSystem, kUpper);
    QByteArray reachablePath = levels[reachable];
    QByteArray deepestPath = levels.last();
    for (QByteArray* row : {&reachablePath, &deepestPath}) {
        row->replace(0, 2, "T/");
        for (int j = 0; j < walked; ++j)
            row->replace(2 + 101 * j, 100, upper);
        session.window.list.appendRow(QFile::decodeName(base + *row));
    }
    session.window.previewRename();
    session.run();

    QList<QByteArray> expected = before;
    const qsizetype at = expected.indexOf(reachablePath);
    QVERIFY(at >= 0);
    for (qsizetype i = at; i < expected.size(); ++i)
        expected[i].replace(reachablePath.size() - 101, 100, upper);
    std::sort(expected.begin(), expected.end());
    CheckTree(before, RawTree(base), expected);
    CheckErrors(session.report().errors, {130}, "Path not found");
}

QTEST_GUILESS_MAIN(TestHostileNames)
#include "tst_hostilenames.moc"
