#include "rename/journalformat.h"
#include "rename/journalreader.h"

#include <QTest>

using namespace tarnwick;

// The journal's records as the reader takes them back, without a disk.
class TestJournalFormat : public QObject {
    Q_OBJECT
private slots:
    void intentsReadAsWritten_data();
    void intentsReadAsWritten();
};

void TestJournalFormat::intentsReadAsWritten_data() {
    QTest::addColumn<QStringList>("parents");
    QTest::addColumn<QString>("name");
    QTest::addColumn<quint64>("identities");
    QTest::newRow("one parent") << QStringList{"/m/", "/m/", "/m/"} << "caf\u00e9" << quint64(0);
    QTest::newRow("one parent, one shared text")
        << QStringList(3, QStringLiteral("/m/")) << "x" << quint64(0);
    QTest::newRow("a parent again after another")
        << QStringList{"/m/", "/m/x/", "/m/"} << "x" << quint64(0);
    QTest::newRow("empty parent first") << QStringList{"", "", "/"} << "a" << quint64(0);
    QTest::newRow("beyond Latin-1")
        << QStringList{"/\u65e5\u672c/", "/\u65e5\u672c/"} << "\u0100\U0001F600" << quint64(0);
    QTest::newRow("unpaired surrogate")
        << QStringList{"/\xff/", "/\xff/"} << QString(QChar(0xD800)) + "z" << quint64(0);
    // Numbers of ten bytes, the most a record makes room for, and long names of two bytes a unit.
    QTest::newRow("identities of sixty-four bits")
        << QStringList{"/m/", "/n/"} << QString(300, u'\u0101') << quint64(UINT64_MAX - 8);
}

// Each intent comes back as written, whether its texts took one byte a unit or two and whether
// it shared its parent with the one before; stretches renamed as meant, told in one record each,
// mark their folders and no other.
void TestJournalFormat::intentsReadAsWritten() {
    QFETCH(QStringList, parents);
    QFETCH(QString, name);
    QFETCH(quint64, identities);
    // The checksum's known values: one step of eight bytes and a tail, and several steps.
    QCOMPARE(journal::Crc32("123456789", 9), 0xCBF43926u);
    QCOMPARE(journal::Crc32("The quick brown fox jumps over the lazy dog", 43), 0x414FA339u);
    QByteArray data;
    journal::Encoder encoder(data);
    encoder.preamble();
    encoder.header({journal::Kind::Run, 7, "boot", 1});
    std::vector<journal::Intent> written;
    for (const QString& parent : parents) {
        const auto at = static_cast<std::uint64_t>(written.size());
        written.push_back({at,
                           parent,
                           name + parent,
                           name.toUpper(),
                           {identities + at, identities + at + 1},
                           at % 2 == 0});
        encoder.intent(written.back());
    }
    encoder.ready();
    for (std::uint64_t sequence = 0; sequence < written.size(); ++sequence) {
        if (sequence != 1)
            encoder.renamedAsMeant(sequence);
    }
    encoder.finished();
    QString why;
    const std::optional<JournalContents> read = ParseJournal(data, u'/', &why);
    QVERIFY2(read, qPrintable(why));
    QVERIFY(read->finished);
    QCOMPARE(read->folders.size(), written.size());
    for (std::size_t at = 0; at < written.size(); ++at) {
        QVERIFY(read->folders[at].intent == written[at]);
        QCOMPARE(read->folders[at].renamed, at != 1);
    }
    QCOMPARE(read->renamed.size(), written.size() - 1);
}

QTEST_GUILESS_MAIN(TestJournalFormat)
#include "tst_journalformat.moc"
