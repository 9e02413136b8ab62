#include "common/errortrap.h"

#include <QTest>
#include <stdexcept>

using namespace tarnwick;

class TestErrorTrap : public QObject {
    Q_OBJECT
private slots:
    void messageIsExact();
    void failingStepIsReportedAndHandlerGoesOn();
    void reportNamesLastStepReached();
    void systemTextOnlyWhereItSaysMore_data();
    void systemTextOnlyWhereItSaysMore();
};

void TestErrorTrap::messageIsExact() {
    const QString expected =
        QStringLiteral("Path not found\r\nin Brisquel2021/08/31.Form1.PreviewRename at line 104"
                       "\r\rPlease email screenshot of this message to support@tarnwick.example");
    QCOMPARE(ErrorTrap::message(QStringLiteral("Path not found"),
                                QStringLiteral("in Brisquel2021/08/31.Form1.PreviewRename "), 104),
             expected);
}

void TestErrorTrap::failingStepIsReportedAndHandlerGoesOn() {
    QStringList reports;
    ErrorTrap trap(QStringLiteral("in X.Y "), [&](const QString& m) { reports << m; });
    QList<int> ran;
    QVERIFY(trap.step(100, [&] { ran << 100; }));
    QVERIFY(!trap.step(102, [&] {
        ran << 102;
        throw Failure(70, QStringLiteral("Permission denied"));
    }));
    QVERIFY(!trap.step(104, [&] { throw std::runtime_error("boom"); }));
    QVERIFY(trap.step(106, [&] { ran << 106; }));
    QCOMPARE(ran, (QList<int>{100, 102, 106}));
    QCOMPARE(reports.size(), 2);
    QVERIFY(reports[0].startsWith(QStringLiteral("Permission denied\r\nin X.Y at line 102\r\r")));
    QVERIFY(reports[1].startsWith(QStringLiteral("boom\r\nin X.Y at line 104\r\r")));
}

void TestErrorTrap::reportNamesLastStepReached() {
    QString report;
    ErrorTrap trap(QStringLiteral("in A.B "), [&](const QString& m) { report = m; });
    trap.reach(150);
    trap.report(QStringLiteral("File already exists"));
    QVERIFY(report.startsWith(QStringLiteral("File already exists\r\nin A.B at line 150\r\r")));
}

void TestErrorTrap::systemTextOnlyWhereItSaysMore_data() {
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("systemText");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("description");
    const QString photos = "/media/usb/Photos";
    QTest::newRow("the same words")
        << "Permission denied"
        << "Permission denied" << photos << "Permission denied: /media/usb/Photos";
    QTest::newRow("the same words in other case")
        << "Permission denied"
        << "permission denied" << photos << "Permission denied: /media/usb/Photos";
    QTest::newRow("fewer of the same words")
        << "File already exists"
        << "File exists" << photos << "File already exists: /media/usb/Photos";
    QTest::newRow("the same in other words")
        << "Path not found"
        << "No such file or directory" << photos << "Path not found: /media/usb/Photos";
    QTest::newRow("more than the plain words")
        << "Permission denied"
        << "Read-only file system" << photos
        << "Permission denied: /media/usb/Photos (Read-only file system)";
    QTest::newRow("a narrower cause")
        << "Path not found"
        << "Not a directory" << photos << "Path not found: /media/usb/Photos (Not a directory)";
    QTest::newRow("the system's words in the path")
        << "Permission denied"
        << "Read-only file system"
        << "/read-only/file system"
        << "Permission denied: /read-only/file system (Read-only file system)";
    QTest::newRow("nothing from the system")
        << "Path not found" << QString() << photos << "Path not found: /media/usb/Photos";
}

// The system's text is added in parentheses only where it tells the user more.
void TestErrorTrap::systemTextOnlyWhereItSaysMore() {
    QFETCH(QString, plain);
    QFETCH(QString, systemText);
    QFETCH(QString, path);
    QFETCH(QString, description);
    const Failure failure(70, plain, systemText);
    const Failure named = failure.about(path);
    QCOMPARE(named.description(), description);
    QCOMPARE(QString::fromUtf8(named.what()), description);
    QCOMPARE(failure.description(), description.section(u':', 0, 0) +
                                        description.mid(description.indexOf(path) + path.size()));
    QCOMPARE(named.about(QStringLiteral("/elsewhere")).description(), description);
}

QTEST_APPLESS_MAIN(TestErrorTrap)
#include "tst_errortrap.moc"
