// The stages with a screen reader listening and without, each side in a measuring child of its
// own under a private session bus and an X display.

#include "accessibility.h"
#include "bench.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QThread>

namespace tarnwick::bench {
namespace {

QString BusLauncherPath() {
    for (const char* path :
         {"/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher"}) {
        if (QFileInfo(QString::fromLatin1(path)).isExecutable())
            return QString::fromLatin1(path);
    }
    return QString();
}

// Starts Xvfb on a free display and gives its name; why not where it cannot.
QString StartXvfb(QProcess& xvfb, QString& display) {
    xvfb.start(QStringLiteral("Xvfb"),
               {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                QStringLiteral("1280x1024x24")});
    QByteArray number;
    while (!number.endsWith('\n') && xvfb.waitForReadyRead(10000))
        number += xvfb.readAllStandardOutput();
    if (number.trimmed().isEmpty())
        return QStringLiteral("no X display and Xvfb did not start");
    display = u':' + QString::fromLatin1(number.trimmed());
    return QString();
}

} // namespace

QString TurnOnAccessibilityBridge(QProcess& launcher, ScreenReaderProcess& reader) {
    const QString launcherPath = BusLauncherPath();
    if (launcherPath.isEmpty())
        return QStringLiteral("at-spi-bus-launcher is not installed");
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected())
        return QStringLiteral("no session bus");
    launcher.start(launcherPath, {QStringLiteral("--launch-immediately")});
    const QString busName = QStringLiteral("org.a11y.Bus");
    QElapsedTimer waited;
    waited.start();
    while (!session.interface()->isServiceRegistered(busName) && waited.elapsed() < 10000)
        QThread::msleep(20);
    if (!session.interface()->isServiceRegistered(busName))
        return QStringLiteral("the accessibility bus did not start");
    const QString why = reader.start();
    if (!why.isEmpty())
        return why;
    while (!QAccessible::isActive() && waited.elapsed() < 20000) {
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    // The bridge learns of the listener from a signal of the registry.
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    return QAccessible::isActive() ? QString()
                                   : QStringLiteral("Qt's accessibility bridge stayed off");
}

std::optional<QJsonObject> Bench::readerReadsList() {
    const std::optional<QJsonObject> answer = m_reader->ask("read");
    if (!check(answer && !answer->contains(QStringLiteral("error")),
               QStringLiteral("the screen reader read the list: %1")
                   .arg(answer ? answer->value(QStringLiteral("error")).toString()
                               : QStringLiteral("no answer"))))
        return std::nullopt;
    return answer;
}

void Bench::noteReader(const char* stage, const QJsonObject& before) {
    const std::optional<QJsonObject> after = m_reader->ask("count");
    if (!check(after.has_value(), QStringLiteral("the screen reader answered after the stage")))
        return;
    const auto grown = [&](const QJsonObject& from, const QJsonObject& to, const QString& key) {
        return qint64(to.value(key).toDouble() - from.value(key).toDouble());
    };
    QStringList kinds;
    const QJsonObject kindsBefore = before.value(QStringLiteral("kinds")).toObject();
    const QJsonObject kindsAfter = after->value(QStringLiteral("kinds")).toObject();
    for (const QString& kind : kindsAfter.keys()) {
        if (const qint64 count = grown(kindsBefore, kindsAfter, kind))
            kinds << QStringLiteral("%1 %2").arg(kind).arg(count);
    }
    m_notes << QStringLiteral("screen reader during %1: %2 events (%3), row count asked %4 times, "
                              "answered %5, slowest answer %6 ms; read %7 cells of %8 rows first")
                   .arg(QString::fromLatin1(stage))
                   .arg(grown(before, *after, QStringLiteral("events")))
                   .arg(kinds.isEmpty() ? QStringLiteral("none") : kinds.join(QStringLiteral(", ")))
                   .arg(grown(before, *after, QStringLiteral("row_counts_asked")))
                   .arg(grown(before, *after, QStringLiteral("row_counts_answered")))
                   .arg(after->value(QStringLiteral("slowest_answer_ms")).toDouble(), 0, 'f', 0)
                   .arg(before.value(QStringLiteral("cells_read")).toInt())
                   .arg(before.value(QStringLiteral("rows")).toInt());
}

void Bench::accessibilityRows() {
    const auto skip = [&](const QString& why) {
        m_notes << QStringLiteral("accessibility: skipped, %1").arg(why);
    };
    const QString runSession = QStandardPaths::findExecutable(QStringLiteral("dbus-run-session"));
    if (runSession.isEmpty())
        return skip(QStringLiteral("dbus-run-session is not installed"));
    // So that a measuring child that ends without a word counts as a failure, not as a machine
    // without a bus.
    if (QProcess::execute(runSession, {QStringLiteral("--"), QStringLiteral("true")}) != 0)
        return skip(QStringLiteral("dbus-run-session could not start a bus"));
    QString display = qEnvironmentVariable("DISPLAY");
    QProcess xvfb;
    if (display.isEmpty()) {
        const QString why = StartXvfb(xvfb, display);
        if (!why.isEmpty())
            return skip(why);
    }
    const auto stopXvfb = qScopeGuard([&] {
        xvfb.terminate();
        xvfb.waitForFinished();
    });
    QString why;
    const std::optional<std::vector<Row>> off =
        measureAccessibility(QStringLiteral("off"), runSession, display, why);
    const std::optional<std::vector<Row>> on =
        off ? measureAccessibility(QStringLiteral("on"), runSession, display, why) : std::nullopt;
    if (!on) {
        if (!why.isEmpty())
            skip(why);
        return;
    }
    for (const Row& withReader : *on) {
        for (const Row& without : *off) {
            if (without.stage == withReader.stage)
                m_rows.push_back({withReader.stage, withReader.tree,
                                  QStringLiteral("screen reader"), withReader.folders,
                                  withReader.medianMs, QStringLiteral("no reader"),
                                  without.medianMs, withReader.peakRssMb, 0});
        }
    }
}

namespace {

// The row of a measuring child's report that stands for its stage: the nested tree's, and for
// the preview the operation the run uses.
std::optional<Row> StageRow(const QJsonObject& report, const QString& stage) {
    for (const QJsonValue& value : report.value(QStringLiteral("rows")).toArray()) {
        const QJsonObject row = value.toObject();
        if (row.value(QStringLiteral("stage")).toString() != stage ||
            row.value(QStringLiteral("tree")).toString() != QStringLiteral("nested") ||
            (stage == QStringLiteral("preview") &&
             row.value(QStringLiteral("operation")).toString() != QStringLiteral("UPPER CASE")))
            continue;
        Row found;
        found.stage = stage;
        found.tree = row.value(QStringLiteral("tree")).toString();
        found.folders = row.value(QStringLiteral("folders")).toInt();
        found.medianMs = row.value(QStringLiteral("median_ms")).toDouble();
        found.peakRssMb = row.value(QStringLiteral("peak_rss_mb")).toDouble();
        return found;
    }
    return std::nullopt;
}

} // namespace

// Each side runs in a child of its own, under the same display and a private session bus, on the
// nested tree of --quick: the two differ in nothing but the screen reader. Gives the row of each
// stage measured.
std::optional<std::vector<Row>> Bench::measureAccessibility(const QString& side,
                                                            const QString& runSession,
                                                            const QString& display, QString& why) {
    const QStringList arguments{QStringLiteral("--"),
                                QCoreApplication::applicationFilePath(),
                                QStringLiteral("--accessibility-child"),
                                side,
                                QStringLiteral("--stage"),
                                m_options.stages.join(u','),
                                QStringLiteral("--tree"),
                                QStringLiteral("nested"),
                                QStringLiteral("--quick"),
                                QStringLiteral("--json"),
                                QStringLiteral("--repeats"),
                                QString::number(m_options.repeats)};
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.remove(QStringLiteral("AT_SPI_BUS_ADDRESS"));
    if (side == QStringLiteral("on"))
        environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    else
        environment.remove(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"));
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(runSession, arguments);
    child.waitForFinished(-1);
    const QJsonObject result = QJsonDocument::fromJson(child.readAllStandardOutput()).object();
    if (child.exitStatus() == QProcess::NormalExit && child.exitCode() == kNoBridge) {
        why = result.value(QStringLiteral("skipped")).toString();
        return std::nullopt;
    }
    const QString what = QStringLiteral("measured with the screen reader %1").arg(side);
    if (!check(!result.isEmpty(), QStringLiteral("%1: the child ended with %2 and no report")
                                      .arg(what)
                                      .arg(child.exitCode())))
        return std::nullopt;
    const int failures = result.value(QStringLiteral("failures")).toInt();
    check(failures == 0 && child.exitCode() == 0,
          QStringLiteral("%1: %2 checks failed").arg(what).arg(failures));
    for (const QJsonValue& note : result.value(QStringLiteral("notes")).toArray()) {
        if (note.toString().startsWith(QStringLiteral("screen reader")))
            m_notes << note.toString();
    }
    std::vector<Row> rows;
    for (const QString& stage : m_options.stages) {
        if (std::optional<Row> row = StageRow(result, stage))
            rows.push_back(*row);
    }
    if (rows.empty())
        why = QStringLiteral("the measuring child reported no stage");
    return rows.empty() ? std::nullopt : std::optional(rows);
}

} // namespace tarnwick::bench
