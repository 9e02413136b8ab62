#include "transform/operations.h"

#include <QTest>

using namespace tarnwick;

Q_DECLARE_METATYPE(std::optional<Operation>)

namespace QTest {
template <> char* toString(const std::optional<Operation>& operation) {
    return operation
               ? qstrdup(QByteArray::number(int(*operation)).prepend("operation ").constData())
               : qstrdup("no operation");
}
} // namespace QTest

namespace {

const std::optional<Operation> kNone;

} // namespace

class TestOperations : public QObject {
    Q_OBJECT
private slots:
    void boxEntries();
    void matching_data();
    void matching();
    void eachEntrySelectsItsOwnConversion_data();
    void eachEntrySelectsItsOwnConversion();
};

void TestOperations::boxEntries() {
    QCOMPARE(OperationTexts(),
             (QStringList{QStringLiteral("Change case of folder(s) to UPPER CASE"),
                          QStringLiteral("Change case of folder(s) to lower case"),
                          QStringLiteral("Change case of folder(s) to Proper Case"),
                          QStringLiteral("Change case of folder(s) to Sentence case")}));
}

void TestOperations::matching_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<Operation>>("operation");

    const QStringList entries = OperationTexts();
    const Operation byEntry[] = {Operation::UpperCase, Operation::LowerCase, Operation::ProperCase,
                                 Operation::SentenceCase};
    for (int i = 0; i < 4; ++i) {
        QTest::addRow("entry %d as shown", i + 1) << entries[i] << std::optional(byEntry[i]);
        QTest::addRow("entry %d in upper case", i + 1)
            << entries[i].toUpper() << std::optional(byEntry[i]);
        QTest::addRow("entry %d in lower case", i + 1)
            << entries[i].toLower() << std::optional(byEntry[i]);
    }
    QTest::newRow("key phrase alone, mixed case")
        << QStringLiteral("sEnTeNcE cAsE") << std::optional(Operation::SentenceCase);
    QTest::newRow("key phrase inside a word")
        << QStringLiteral("xproper casex") << std::optional(Operation::ProperCase);

    QTest::newRow("upper and lower: upper wins, named second")
        << QStringLiteral("lower case or UPPER CASE") << std::optional(Operation::UpperCase);
    QTest::newRow("lower and proper: lower wins")
        << QStringLiteral("Proper Case, lower case") << std::optional(Operation::LowerCase);
    QTest::newRow("proper and sentence: proper wins")
        << QStringLiteral("Sentence case / Proper Case") << std::optional(Operation::ProperCase);
    QTest::newRow("all four: upper wins")
        << QStringLiteral("sentence case proper case lower case upper case")
        << std::optional(Operation::UpperCase);

    QTest::newRow("empty text of a box with no selection") << QString() << kNone;
    QTest::newRow("no key phrase") << QStringLiteral("Change case of folder(s)") << kNone;
    QTest::newRow("hyphen instead of blank") << QStringLiteral("upper-case") << kNone;
    QTest::newRow("no blank") << QStringLiteral("UPPERCASE") << kNone;
    QTest::newRow("two blanks") << QStringLiteral("lower  case") << kNone;
    QTest::newRow("no-break space") << QStringLiteral("lower\u00a0case") << kNone;
    QTest::newRow("tab") << QStringLiteral("upper\tcase") << kNone;
    QTest::newRow("part of a phrase") << QStringLiteral("upper cas") << kNone;
    QTest::newRow("lone surrogate and NUL") << (QString(QChar(0xD800)) + QChar(0)) << kNone;
    QTest::newRow("10000 characters, phrase at the end")
        << (QStringLiteral("x").repeated(10000) + QStringLiteral("Lower Case"))
        << std::optional(Operation::LowerCase);
}

void TestOperations::matching() {
    QFETCH(QString, text);
    QFETCH(std::optional<Operation>, operation);
    QCOMPARE(MatchOperation(text), operation);
}

void TestOperations::eachEntrySelectsItsOwnConversion_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("converted");
    // One name that each conversion turns into something different.
    QTest::newRow("upper") << QStringLiteral("Change case of folder(s) to UPPER CASE")
                           << QStringLiteral("HELLO WORLD");
    QTest::newRow("lower") << QStringLiteral("Change case of folder(s) to lower case")
                           << QStringLiteral("hello world");
    QTest::newRow("proper") << QStringLiteral("Change case of folder(s) to Proper Case")
                            << QStringLiteral("Hello World");
    QTest::newRow("sentence") << QStringLiteral("Change case of folder(s) to Sentence case")
                              << QStringLiteral("Hello world");
}

void TestOperations::eachEntrySelectsItsOwnConversion() {
    QFETCH(QString, entry);
    QFETCH(QString, converted);
    const std::optional<Operation> operation = MatchOperation(entry);
    QVERIFY(operation);
    QCOMPARE(ConvertName(*operation, QStringLiteral("hELLO wORLD")), converted);
}

QTEST_APPLESS_MAIN(TestOperations)
#include "tst_operations.moc"
