// Adding with Qt's accessibility bridge on and off, each side in a measuring child of its own
// under a private session bus and an X display.

#include "accessibility.h"
#include "bench.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
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

QString TurnOnAccessibilityBridge(QProcess& launcher, QDBusConnection& listener) {
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
    const QDBusReply<QString> address = session.call(QDBusMessage::createMethodCall(
        busName, QStringLiteral("/org/a11y/bus"), busName, QStringLiteral("GetAddress")));
    if (!address.isValid())
        return QStringLiteral("the accessibility bus did not start");
    listener = QDBusConnection::connectToBus(address.value(), QStringLiteral("bench-listener"));
    for (const char* events : {"object:", "window:", "focus:"}) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("/org/a11y/atspi/registry"),
            QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("RegisterEvent"));
        call << QString::fromLatin1(events) << QStringList() << QString();
        if (listener.call(call).type() == QDBusMessage::ErrorMessage)
            return QStringLiteral("the accessibility registry took no listener");
    }
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
    const std::optional<Measured> off =
        measureAccessibility(QStringLiteral("off"), runSession, display, why);
    const std::optional<Measured> on =
        off ? measureAccessibility(QStringLiteral("on"), runSession, display, why) : std::nullopt;
    if (!on) {
        if (!why.isEmpty())
            skip(why);
        return;
    }
    m_rows.push_back(
        {"add", "nested", "bridge on", on->folders, on->ms, "bridge off", off->ms, on->peakMb, 0});
}

// Each side runs in a child of its own, under the same display and a private session bus, so the
// two differ in nothing but the bridge.
std::optional<Bench::Measured> Bench::measureAccessibility(const QString& side,
                                                           const QString& runSession,
                                                           const QString& display, QString& why) {
    QStringList arguments{QStringLiteral("--"),
                          QCoreApplication::applicationFilePath(),
                          QStringLiteral("--accessibility-child"),
                          side,
                          QStringLiteral("--stage"),
                          QStringLiteral("add"),
                          QStringLiteral("--json"),
                          QStringLiteral("--repeats"),
                          QString::number(m_options.repeats)};
    if (m_options.quick)
        arguments << QStringLiteral("--quick");
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
    if (!check(!result.isEmpty(), QStringLiteral("adding with the bridge %1: the child "
                                                 "ended with %2 and no report")
                                      .arg(side)
                                      .arg(child.exitCode())))
        return std::nullopt;
    const int failures = result.value(QStringLiteral("failures")).toInt();
    check(failures == 0 && child.exitCode() == 0,
          QStringLiteral("adding with the bridge %1: %2 checks failed").arg(side).arg(failures));
    for (const QJsonValue& value : result.value(QStringLiteral("rows")).toArray()) {
        const QJsonObject row = value.toObject();
        if (row.value(QStringLiteral("tree")) == QStringLiteral("nested") &&
            row.value(QStringLiteral("floor")) == QStringLiteral("find -type d"))
            return Measured{row.value(QStringLiteral("median_ms")).toDouble(),
                            row.value(QStringLiteral("peak_rss_mb")).toDouble(),
                            row.value(QStringLiteral("folders")).toInt()};
    }
    why = QStringLiteral("the measuring child reported no add row");
    return std::nullopt;
}

} // namespace tarnwick::bench
