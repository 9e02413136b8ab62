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

QTEST_APPLESS_MAIN(TestErrorTrap)
#include "tst_errortrap.moc"
