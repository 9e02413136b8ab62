#include "screenreader.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusReply>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QHash>
#include <QJsonDocument>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <array>
#include <cstdio>
#include <unistd.h>

namespace tarnwick::bench {
namespace {

const QString kRegistry = QStringLiteral("org.a11y.atspi.Registry");
const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");
const QString kTable = QStringLiteral("org.a11y.atspi.Table");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kObjectEvents = QStringLiteral("org.a11y.atspi.Event.Object");
// ATSPI_STATE_SHOWING: the object is on screen.
constexpr uint kShowing = 25;
// Rows read at most when the list gets focus, should the view not tell which are in sight.
constexpr int kRowsInView = 100;
constexpr int kCallMs = 25000;
const QStringList kListRoles{QStringLiteral("tree"), QStringLiteral("tree table"),
                             QStringLiteral("table")};

// The object events a screen reader registers for, as the registry names them and as the
// signals they come as.
struct Subscription {
    const char* event;
    const char* signal;
};
constexpr std::array<Subscription, 7> kSubscriptions = {{
    {"object:children-changed", "ChildrenChanged"},
    {"object:property-change", "PropertyChange"},
    {"object:state-changed", "StateChanged"},
    {"object:text-changed", "TextChanged"},
    {"object:row-inserted", "RowInserted"},
    {"object:row-deleted", "RowDeleted"},
    {"object:model-changed", "ModelChanged"},
}};

struct ObjectRef {
    QString service;
    QString path;
};

ObjectRef ReadRef(const QDBusArgument& argument) {
    ObjectRef ref;
    QDBusObjectPath path;
    argument.beginStructure();
    argument >> ref.service >> path;
    argument.endStructure();
    ref.path = path.path();
    return ref;
}

QList<ObjectRef> ReadRefs(const QVariant& value) {
    QList<ObjectRef> refs;
    const QDBusArgument argument = value.value<QDBusArgument>();
    argument.beginArray();
    while (!argument.atEnd())
        refs << ReadRef(argument);
    argument.endArray();
    return refs;
}

void WriteLine(const QJsonObject& object) {
    const QByteArray line = QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stdout);
    std::fflush(stdout);
}

class ScreenReader : public QObject {
    Q_OBJECT
public:
    explicit ScreenReader(QDBusConnection bus) : m_bus(std::move(bus)) {
        m_timer.setInterval(1000);
        connect(&m_timer, &QTimer::timeout, this, &ScreenReader::askRowCount);
    }
    QString listen();
    QJsonObject readList();
    QJsonObject received() const;

public slots:
    void onEvent(const QDBusMessage& message) { ++m_events[message.member()]; }

private:
    QDBusMessage call(const ObjectRef& object, const QString& interface, const QString& method,
                      const QVariantList& arguments = {});
    QVariant property(const ObjectRef& object, const QString& interface, const QString& name);
    std::optional<ObjectRef> findList();
    std::optional<ObjectRef> findListIn(const ObjectRef& object, int depth);
    int readCellsInView(int rows, int columns);
    void askRowCount();

    QDBusConnection m_bus;
    std::optional<ObjectRef> m_list;
    QHash<QString, qint64> m_events;
    QTimer m_timer;
    bool m_asking = false;
    QElapsedTimer m_askedAt;
    qint64 m_asked = 0;
    qint64 m_answered = 0;
    // The slowest answer since the list was last read.
    double m_slowestMs = 0;
};

QString ScreenReader::listen() {
    for (const Subscription& subscription : kSubscriptions) {
        if (!m_bus.connect(QString(), QString(), kObjectEvents,
                           QString::fromLatin1(subscription.signal), this,
                           SLOT(onEvent(QDBusMessage))))
            return QStringLiteral("cannot listen for %1").arg(subscription.signal);
    }
    for (const Subscription& subscription : kSubscriptions) {
        QDBusMessage registration =
            QDBusMessage::createMethodCall(kRegistry, QStringLiteral("/org/a11y/atspi/registry"),
                                           kRegistry, QStringLiteral("RegisterEvent"));
        registration << QString::fromLatin1(subscription.event) << QStringList() << QString();
        if (m_bus.call(registration).type() == QDBusMessage::ErrorMessage)
            return QStringLiteral("the accessibility registry took no listener");
    }
    return QString();
}

QDBusMessage ScreenReader::call(const ObjectRef& object, const QString& interface,
                                const QString& method, const QVariantList& arguments) {
    QDBusMessage message =
        QDBusMessage::createMethodCall(object.service, object.path, interface, method);
    message.setArguments(arguments);
    return m_bus.call(message, QDBus::Block, kCallMs);
}

QVariant ScreenReader::property(const ObjectRef& object, const QString& interface,
                                const QString& name) {
    const QDBusMessage reply = call(object, kProperties, QStringLiteral("Get"), {interface, name});
    return reply.arguments().isEmpty() ? QVariant()
                                       : reply.arguments().first().value<QDBusVariant>().variant();
}

// The window's folder list: the one table of the application's windows shown as a tree or a table
// (the operation box's drop-down list is a list). Nothing below a table is walked: its cells are
// read only as a screen reader reads them.
std::optional<ObjectRef> ScreenReader::findListIn(const ObjectRef& object, int depth) {
    const QDBusMessage children = call(object, kAccessible, QStringLiteral("GetChildren"));
    if (children.arguments().isEmpty() || depth > 12)
        return std::nullopt;
    for (const ObjectRef& child : ReadRefs(children.arguments().first())) {
        const QDBusMessage role = call(child, kAccessible, QStringLiteral("GetRoleName"));
        const QDBusMessage interfaces = call(child, kAccessible, QStringLiteral("GetInterfaces"));
        if (interfaces.arguments().value(0).toStringList().contains(kTable)) {
            if (kListRoles.contains(role.arguments().value(0).toString()))
                return child;
            continue;
        }
        if (std::optional<ObjectRef> found = findListIn(child, depth + 1))
            return found;
    }
    return std::nullopt;
}

// The application appears on the registry's desktop once its bridge has embedded it.
std::optional<ObjectRef> ScreenReader::findList() {
    const ObjectRef desktop{kRegistry, QStringLiteral("/org/a11y/atspi/accessible/root")};
    QElapsedTimer waited;
    waited.start();
    do {
        const QDBusMessage applications = call(desktop, kAccessible, QStringLiteral("GetChildren"));
        for (const ObjectRef& application : ReadRefs(applications.arguments().value(0))) {
            if (std::optional<ObjectRef> found = findListIn(application, 0))
                return found;
        }
        QThread::msleep(100);
    } while (waited.elapsed() < 20000);
    return std::nullopt;
}

int ScreenReader::readCellsInView(int rows, int columns) {
    int cells = 0;
    for (int row = 0; row < std::min(rows, kRowsInView); ++row) {
        for (int column = 0; column < columns; ++column) {
            const QDBusMessage at =
                call(*m_list, kTable, QStringLiteral("GetAccessibleAt"), {row, column});
            if (at.arguments().isEmpty())
                return cells;
            const ObjectRef cell = ReadRef(at.arguments().first().value<QDBusArgument>());
            const QDBusMessage state = call(cell, kAccessible, QStringLiteral("GetState"));
            const QList<uint> words =
                qdbus_cast<QList<uint>>(state.arguments().value(0).value<QDBusArgument>());
            if (words.isEmpty() || !(words.first() & (1u << kShowing)))
                return cells;
            property(cell, kAccessible, QStringLiteral("Name"));
            ++cells;
        }
    }
    return cells;
}

QJsonObject ScreenReader::readList() {
    if (!m_list)
        m_list = findList();
    if (!m_list)
        return {{"error", "no folder list on the accessibility bus"}};
    const int rows = property(*m_list, kTable, QStringLiteral("NRows")).toInt();
    const int columns = property(*m_list, kTable, QStringLiteral("NColumns")).toInt();
    const int cells = readCellsInView(rows, columns);
    m_slowestMs = 0;
    m_timer.start();
    QJsonObject answer = received();
    answer.insert(QStringLiteral("rows"), rows);
    answer.insert(QStringLiteral("cells_read"), cells);
    return answer;
}

// Once a second, as a screen reader keeps its idea of the list current; never two at a time.
void ScreenReader::askRowCount() {
    if (m_asking || !m_list)
        return;
    m_asking = true;
    ++m_asked;
    QDBusMessage message = QDBusMessage::createMethodCall(m_list->service, m_list->path,
                                                          kProperties, QStringLiteral("Get"));
    message << kTable << QStringLiteral("NRows");
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(message, kCallMs), this);
    m_askedAt.start();
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        if (!watcher->isError())
            ++m_answered;
        m_slowestMs = std::max(m_slowestMs, m_askedAt.nsecsElapsed() / 1e6);
        watcher->deleteLater();
        m_asking = false;
    });
}

QJsonObject ScreenReader::received() const {
    QJsonObject kinds;
    qint64 events = 0;
    for (auto kind = m_events.cbegin(); kind != m_events.cend(); ++kind) {
        kinds.insert(kind.key(), kind.value());
        events += kind.value();
    }
    return {{"events", events},
            {"kinds", kinds},
            {"row_counts_asked", m_asked},
            {"row_counts_answered", m_answered},
            {"slowest_answer_ms", m_slowestMs}};
}

} // namespace

namespace {

// The accessibility bus of the session, as at-spi's bus launcher gives it out.
std::optional<QDBusConnection> ConnectAccessibilityBus(QString& why) {
    QDBusConnection session = QDBusConnection::sessionBus();
    const QString busName = QStringLiteral("org.a11y.Bus");
    const QDBusReply<QString> address = session.call(QDBusMessage::createMethodCall(
        busName, QStringLiteral("/org/a11y/bus"), busName, QStringLiteral("GetAddress")));
    if (!address.isValid()) {
        why = QStringLiteral("the accessibility bus is not there");
        return std::nullopt;
    }
    QDBusConnection bus =
        QDBusConnection::connectToBus(address.value(), QStringLiteral("screen-reader"));
    if (!bus.isConnected()) {
        why = QStringLiteral("cannot connect to the accessibility bus");
        return std::nullopt;
    }
    return bus;
}

} // namespace

int RunScreenReader() {
    QString why;
    const std::optional<QDBusConnection> bus = ConnectAccessibilityBus(why);
    if (!bus) {
        WriteLine({{"error", why}});
        return 1;
    }
    ScreenReader reader(*bus);
    why = reader.listen();
    if (!why.isEmpty()) {
        WriteLine({{"error", why}});
        return 1;
    }
    WriteLine({{"listening", true}});
    QSocketNotifier commands(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&commands, &QSocketNotifier::activated, [&] {
        char buffer[256];
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0)
            return QCoreApplication::exit(0); // the measuring child has gone
        pending.append(buffer, got);
        for (qsizetype end; (end = pending.indexOf('\n')) >= 0;) {
            const QByteArray command = pending.left(end).trimmed();
            pending.remove(0, end + 1);
            if (command == "read")
                WriteLine(reader.readList());
            else if (command == "count")
                WriteLine(reader.received());
            else
                return QCoreApplication::exit(0);
        }
    });
    return QCoreApplication::exec();
}

} // namespace tarnwick::bench

#include "screenreader.moc"
