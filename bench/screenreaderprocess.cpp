// The measuring child's side of the screen reader: its process, and the commands it is sent.

#include "screenreader.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QProcessEnvironment>
#include <QTimer>

namespace tarnwick::bench {

QString ScreenReaderProcess::start() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // A screen reader is no accessible application itself.
    environment.remove(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"));
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QCoreApplication::applicationFilePath(),
                    {QString::fromLatin1(kScreenReaderSwitch)});
    const std::optional<QByteArray> line = readLine(20000);
    const QJsonObject answer = line ? QJsonDocument::fromJson(*line).object() : QJsonObject();
    if (answer.value(QStringLiteral("listening")).toBool())
        return QString();
    stop();
    return answer.contains(QStringLiteral("error"))
               ? answer.value(QStringLiteral("error")).toString()
               : QStringLiteral("the screen reader did not start");
}

std::optional<QJsonObject> ScreenReaderProcess::ask(const char* command) {
    if (m_process.state() != QProcess::Running)
        return std::nullopt;
    m_process.write(QByteArray(command) + '\n');
    const std::optional<QByteArray> line = readLine(5 * 60 * 1000);
    if (!line)
        return std::nullopt;
    return QJsonDocument::fromJson(*line).object();
}

std::optional<QByteArray> ScreenReaderProcess::readLine(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    QEventLoop loop;
    QObject::connect(&m_process, &QProcess::readyReadStandardOutput, &loop, &QEventLoop::quit);
    QObject::connect(&m_process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer timeout;
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    timeout.start(100);
    while (!m_process.canReadLine() && m_process.state() != QProcess::NotRunning &&
           !deadline.hasExpired())
        loop.exec();
    if (!m_process.canReadLine())
        return std::nullopt;
    return m_process.readLine();
}

void ScreenReaderProcess::stop() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.write("quit\n");
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

} // namespace tarnwick::bench
