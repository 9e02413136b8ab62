// Times the three stages a user waits for (adding, previewing, renaming) on generated trees,
// through the program's own window and handlers, side by side with the bare file-system floor.

#include "app/form1.h"
#include "folders/addfolders.h"
#include "folders/folderlist.h"
#include "platform/filesystem.h"
#include "platform/memory.h"
#include "platform/userdialogs.h"
#include "rename/renamerun.h"
#include "transform/conversions.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

using namespace tarnwick;

namespace {

struct Options {
    bool quick = false;
    bool json = false;
    int repeats = 5;
    // Which trees the add and run stages measure.
    QStringList trees{QStringLiteral("nested"), QStringLiteral("flat")};
    QString folder;
    // Also time adding with the accessibility bridge on and off, each in a child process.
    bool accessibility = false;
    // Set in such a child: "on" or "off".
    QString accessibilityChild;
    QStringList stages{QStringLiteral("add"), QStringLiteral("preview"), QStringLiteral("run")};
};

// A measuring child's exit code when the bridge could not be turned on where it runs.
constexpr int kNoBridge = 3;

struct Tree {
    QString name;
    QString root;    // without a trailing separator
    int folders = 0; // below the root
};

struct Row {
    QString stage;
    QString tree;
    QString operation;
    int folders = 0;
    double medianMs = 0;
    QString floorName;
    double floorMs = 0;
    double peakRssMb = 0;
    double rssMb = 0;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double ReadStatusMb(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

// Measures the program's peak from here on. What the benchmark held before (its floors' paths) is
// given back first and the high-water mark starts again from what the process holds now, so that
// the benchmark's own memory never counts as the program's. Where the mark cannot be reset it
// goes on counting from the start of the process.
void RestartPeak() {
    ReturnFreedMemory();
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

QString GeneratedName(int index) {
    return QStringLiteral("mY FoLdEr %1").arg(index, 4, 10, QLatin1Char('0'));
}

bool MakeFolder(const QString& path) {
    return ::mkdir(QFile::encodeName(path).constData(), 0755) == 0;
}

void MakeNested(const QString& folder, int breadth, int depth, int& count) {
    if (depth == 0)
        return;
    for (int i = 0; i < breadth; ++i) {
        const QString child = folder + u'/' + GeneratedName(i);
        if (!MakeFolder(child))
            qFatal("cannot create %s", qPrintable(child));
        ++count;
        MakeNested(child, breadth, depth - 1, count);
    }
}

Tree MakeTree(const QString& base, const QString& name, int breadth, int depth) {
    Tree tree{name, base + u'/' + name, 0};
    if (!MakeFolder(tree.root))
        qFatal("cannot create %s", qPrintable(tree.root));
    MakeNested(tree.root, breadth, depth, tree.folders);
    return tree;
}

template <class Work> double TimeMs(Work&& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

// The floor of listing: a bare breadth-first opendir/readdir walk that keeps every path.
std::size_t BareWalk(const std::string& root) {
    std::deque<std::string> queue{root};
    std::vector<std::string> found;
    while (!queue.empty()) {
        const std::string folder = std::move(queue.front());
        queue.pop_front();
        DIR* dir = ::opendir(folder.c_str());
        if (!dir)
            continue;
        while (const dirent* entry = ::readdir(dir)) {
            if (entry->d_type != DT_DIR || !strcmp(entry->d_name, ".") ||
                !strcmp(entry->d_name, ".."))
                continue;
            std::string path = folder + '/' + entry->d_name;
            found.push_back(path);
            queue.push_back(std::move(path));
        }
        ::closedir(dir);
    }
    return found.size();
}

// The floor below readdir: getdents64 straight into a large buffer, the kind taken from d_type;
// still keeping every path, as the add must.
std::size_t BareGetdentsWalk(const std::string& root) {
    std::vector<std::string> found;
    std::deque<std::string> queue{root};
    alignas(8) static char buffer[1 << 16];
    while (!queue.empty()) {
        const std::string folder = std::move(queue.front());
        queue.pop_front();
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            continue;
        for (;;) {
            const long got = ::syscall(SYS_getdents64, fd, buffer, sizeof buffer);
            if (got <= 0)
                break;
            for (long at = 0; at < got;) {
                struct Entry {
                    ino64_t inode;
                    off64_t next;
                    unsigned short length;
                    unsigned char type;
                    char name[1];
                };
                const auto* entry = reinterpret_cast<const Entry*>(buffer + at);
                at += entry->length;
                if (entry->type != DT_DIR || !strcmp(entry->name, ".") ||
                    !strcmp(entry->name, ".."))
                    continue;
                std::string path = folder + '/' + entry->name;
                found.push_back(path);
                queue.push_back(std::move(path));
            }
        }
        ::close(fd);
    }
    return found.size();
}

double FindMs(const QString& root) {
    return TimeMs([&] {
        QProcess find;
        find.setStandardOutputFile(QProcess::nullDevice());
        find.start(QStringLiteral("find"), {root, QStringLiteral("-type"), QStringLiteral("d")});
        find.waitForFinished(-1);
    });
}

// Counts the folders below folder and whether each name is in upper case, and adds up the hashes
// of their paths as the list writes them (with a trailing separator), keeping none of them: what
// the benchmark holds would count against the program's peak.
void CountUpperFolders(const QString& folder, qsizetype& folders, bool& allUpper,
                       std::size_t& pathHashes) {
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        ++folders;
        allUpper = allUpper && name == ToUpperCase(name);
        const QString path = folder + u'/' + name;
        pathHashes += qHash(path + u'/');
        CountUpperFolders(path, folders, allUpper, pathHashes);
    }
}

// The browser answers with the tree being measured; nothing else is ever asked.
class ScriptedDialogs : public UserDialogs {
public:
    MessageAnswer showMessage(const QString& text, const QString&, MessageButtons,
                              MessageIcon) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        ++messages;
        return MessageAnswer::Ok;
    }
    QString browseForFolder(QObject*, const QString&, const QString&) override {
        return std::exchange(chosenFolder, QString());
    }
    bool openFolder(const QString&) override { return false; }
    bool openWebAddress(const QString&) override { return false; }

    QString chosenFolder;
    int messages = 0;
};

// The accessibility bus as a desktop with a screen reader has it: at-spi's bus launcher on the
// session bus and a listener registered for the events a screen reader follows, so the bridge
// sends them. Run inside dbus-run-session; returns why not, or nothing once the bridge is on.
QString TurnOnAccessibilityBridge(QProcess& launcher, QDBusConnection& listener) {
    const QString launcherPath = [] {
        for (const char* path :
             {"/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher"}) {
            if (QFileInfo(QString::fromLatin1(path)).isExecutable())
                return QString::fromLatin1(path);
        }
        return QString();
    }();
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

class Bench {
public:
    explicit Bench(Options options) : m_options(std::move(options)) {}
    int run();

private:
    void addStage(const Tree& tree);
    void previewStage(const Tree& tree);
    void runStage(const Tree& tree);
    bool check(bool ok, const QString& what);
    void checkReadable();
    void accessibilityRows();
    void report() const;

    Options m_options;
    ScriptedDialogs m_dialogs;
    std::optional<Form1> m_window;
    std::vector<Row> m_rows;
    QStringList m_notes;
    int m_failures = 0;
};

bool Bench::check(bool ok, const QString& what) {
    if (!ok) {
        ++m_failures;
        std::fprintf(stderr, "check failed: %s\n", qPrintable(what));
    }
    return ok;
}

void Bench::addStage(const Tree& tree) {
    FolderListModel& list = m_window->folderList();
    std::vector<double> times, finds, walks, dents;
    double peak = 0;
    for (int repeat = 0; repeat <= m_options.repeats; ++repeat) {
        list.removeAll();
        // The floors first, while the list is empty: the paths they keep are theirs, and must
        // not count against the program's peak.
        const double findMs = FindMs(tree.root);
        std::size_t walked = 0;
        const double walkMs =
            TimeMs([&] { walked = BareWalk(QFile::encodeName(tree.root).toStdString()); });
        std::size_t dented = 0;
        const double dentsMs =
            TimeMs([&] { dented = BareGetdentsWalk(QFile::encodeName(tree.root).toStdString()); });
        m_dialogs.chosenFolder = tree.root;
        RestartPeak();
        const double ms = TimeMs([&] { PushButton3_Click(*m_window); });
        peak = std::max(peak, ReadStatusMb("VmHWM:"));
        check(list.count() == tree.folders + 1, QStringLiteral("add %1: %2 rows for %3 folders")
                                                    .arg(tree.name)
                                                    .arg(list.count())
                                                    .arg(tree.folders + 1));
        check(walked == std::size_t(tree.folders) && dented == walked,
              QStringLiteral("bare walks of %1").arg(tree.name));
        if (repeat == 0)
            continue; // warm-up
        times.push_back(ms);
        finds.push_back(findMs);
        walks.push_back(walkMs);
        dents.push_back(dentsMs);
    }
    const double rss = ReadStatusMb("VmRSS:");
    m_rows.push_back({"add",
                      tree.name,
                      {},
                      tree.folders,
                      Median(times),
                      "find -type d",
                      Median(finds),
                      peak,
                      rss});
    m_rows.push_back({"add",
                      tree.name,
                      {},
                      tree.folders,
                      Median(times),
                      "readdir walk",
                      Median(walks),
                      peak,
                      rss});
    m_rows.push_back({"add",
                      tree.name,
                      {},
                      tree.folders,
                      Median(times),
                      "getdents64",
                      Median(dents),
                      peak,
                      rss});
    if (!m_options.accessibilityChild.isEmpty())
        checkReadable();
}

// What a screen reader reads of the list after adding: its row count and a cell's text.
void Bench::checkReadable() {
    QCoreApplication::processEvents();
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(m_window->ListView1);
    QAccessibleTableInterface* table = view ? view->tableInterface() : nullptr;
    const FolderListModel& list = m_window->folderList();
    const int last = list.count() - 1;
    QAccessibleInterface* cell = table && last >= 0 ? table->cellAt(last, 0) : nullptr;
    check(table && table->rowCount() == list.count() && cell &&
              cell->text(QAccessible::Name) == list.text(last, 0),
          QStringLiteral("the list read through its accessible interface"));
}

void Bench::previewStage(const Tree& tree) {
    FolderListModel& list = m_window->folderList();
    for (int operation = 0; operation < m_window->Combo1->count(); ++operation) {
        {
            const QSignalBlocker quiet(m_window->Combo1);
            m_window->Combo1->setCurrentIndex(operation);
        }
        std::vector<double> times;
        for (int repeat = 0; repeat <= m_options.repeats; ++repeat) {
            const double ms = TimeMs([&] { m_window->previewRename(); });
            if (repeat > 0)
                times.push_back(ms);
        }
        check(list.count() > 0 && !list.text(0, 1).isEmpty(),
              QStringLiteral("preview of %1").arg(tree.name));
        m_rows.push_back({"preview",
                          tree.name,
                          m_window->Combo1->currentText().section(u' ', -2),
                          list.count(),
                          Median(times),
                          {},
                          0,
                          ReadStatusMb("VmHWM:"),
                          ReadStatusMb("VmRSS:")});
    }
    const QSignalBlocker quiet(m_window->Combo1);
    m_window->Combo1->setCurrentIndex(0);
}

void Bench::runStage(const Tree& tree) {
    FolderListModel& list = m_window->folderList();
    const QString base = QFileInfo(tree.root).path() + u'/';
    const QString upperRoot = base + ToUpperCase(tree.name);

    // The floor renames every folder back to its generated name, deepest first, the same two
    // steps a folder: so it is also what resets the tree between repeats. Its steps are read from
    // the upper-cased tree on disk while the list is empty, so the benchmark keeps no paths of its
    // own while the program's peak is measured. Each name goes back through the index it was
    // generated with ("MY FOLDER 0042" was GeneratedName(42)), the root to the tree's own name;
    // a name that is neither leaves no steps at all.
    struct Step {
        std::string from, middle, to;
    };
    const auto floorSteps = [&]() -> std::optional<std::vector<Step>> {
        const auto step = [](const QString& parent, const QString& upper,
                             const QString& generated) {
            const QString from = parent + upper;
            return Step{QFile::encodeName(from).toStdString(),
                        QFile::encodeName(from + QStringLiteral("9999999")).toStdString(),
                        QFile::encodeName(parent + generated).toStdString()};
        };
        std::vector<Step> back;
        back.reserve(static_cast<std::size_t>(tree.folders) + 1);
        back.push_back(step(base, ToUpperCase(tree.name), tree.name));
        // Walked a depth at a time from the steps themselves, each depth in path order, so that
        // nothing but the steps is kept. Each depth is turned around once walked and the whole at
        // the end: the deepest come first and every depth keeps its path order, as in the list.
        for (std::size_t first = 0; first < back.size();) {
            const std::size_t last = back.size();
            for (std::size_t at = first; at < last; ++at) {
                const QString folder = QFile::decodeName(back[at].from.c_str()) + u'/';
                for (const QString& name :
                     QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
                    bool isIndex = false;
                    const int index = name.section(u' ', -1).toInt(&isIndex);
                    if (!isIndex || name != ToUpperCase(GeneratedName(index)))
                        return std::nullopt;
                    back.push_back(step(folder, name, GeneratedName(index)));
                }
            }
            std::reverse(back.begin() + first, back.begin() + last);
            first = last;
        }
        std::reverse(back.begin(), back.end());
        return back;
    };

    std::vector<double> times, floors;
    double peak = 0;
    for (int repeat = 0; repeat <= m_options.repeats; ++repeat) {
        // The list filled as a user fills it, every repeat: the benchmark keeps no copy of it.
        list.removeAll();
        m_dialogs.chosenFolder = tree.root;
        // Listed, previewed and renamed: the program's peak over all three.
        RestartPeak();
        PushButton3_Click(*m_window);
        m_window->previewRename();
        const double ms = TimeMs([&] { PushButton2_Click(*m_window); });
        peak = std::max(peak, ReadStatusMb("VmHWM:"));
        qsizetype onDisk = 0;
        bool allUpper = true;
        std::size_t onDiskHashes = qHash(upperRoot + u'/');
        CountUpperFolders(upperRoot, onDisk, allUpper, onDiskHashes);
        check(onDisk == tree.folders && allUpper,
              QStringLiteral("run of %1: %2 of %3 folders upper case")
                  .arg(tree.name)
                  .arg(onDisk)
                  .arg(tree.folders));
        // Every row names an upper-case folder that is there; the sum of the rows' hashes
        // matching the disk's tells that no folder is listed twice in place of another.
        bool columnMatches = list.count() == tree.folders + 1;
        std::size_t listedHashes = 0;
        for (int i = 0; columnMatches && i < list.count(); ++i) {
            const QString now = list.text(i, 0);
            const QString relative = now.mid(base.size());
            columnMatches = now.startsWith(base) && relative == ToUpperCase(relative) &&
                            QFileInfo(now).isDir() && list.text(i, 1).isEmpty();
            listedHashes += qHash(now);
        }
        check(columnMatches && listedHashes == onDiskHashes,
              QStringLiteral("run of %1: the list shows the names on disk").arg(tree.name));

        list.removeAll();
        bool floorOk = true;
        double floorMs = 0;
        {
            std::optional<std::vector<Step>> steps = floorSteps();
            if (!check(steps.has_value(),
                       QStringLiteral("run of %1: a name on disk that was not generated")
                           .arg(tree.name)))
                return;
            const std::vector<Step> back = std::move(*steps);
            floorMs = TimeMs([&] {
                for (const Step& step : back) {
                    floorOk &= ::renameat2(AT_FDCWD, step.from.c_str(), AT_FDCWD,
                                           step.middle.c_str(), RENAME_NOREPLACE) == 0;
                    floorOk &= ::renameat2(AT_FDCWD, step.middle.c_str(), AT_FDCWD, step.to.c_str(),
                                           RENAME_NOREPLACE) == 0;
                }
            });
        }
        // The steps were the benchmark's own: their pages go back before the program is measured
        // again, or the program's next peak would stand on them.
        ReturnFreedMemory();
        check(floorOk && QFileInfo::exists(tree.root),
              QStringLiteral("floor reset of %1").arg(tree.name));
        if (repeat == 0)
            continue;
        times.push_back(ms);
        floors.push_back(floorMs);
    }
    m_rows.push_back({"run", tree.name, "UPPER CASE", tree.folders + 1, Median(times),
                      "2 x renameat2", Median(floors), peak, ReadStatusMb("VmRSS:")});
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
        xvfb.start(QStringLiteral("Xvfb"),
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                    QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                    QStringLiteral("1280x1024x24")});
        QByteArray number;
        while (!number.endsWith('\n') && xvfb.waitForReadyRead(10000))
            number += xvfb.readAllStandardOutput();
        if (number.trimmed().isEmpty())
            return skip(QStringLiteral("no X display and Xvfb did not start"));
        display = u':' + QString::fromLatin1(number.trimmed());
    }
    const auto stopXvfb = qScopeGuard([&] {
        xvfb.terminate();
        xvfb.waitForFinished();
    });

    struct Measured {
        double ms = 0;
        double peakMb = 0;
        int folders = 0;
    };
    // Each side runs in a child of its own, under the same display and a private session bus,
    // so the two differ in nothing but the bridge.
    const auto measure = [&](const QString& side, QString& why) -> std::optional<Measured> {
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
            environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"),
                               QStringLiteral("1"));
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
        check(
            failures == 0 && child.exitCode() == 0,
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
    };
    QString why;
    const std::optional<Measured> off = measure(QStringLiteral("off"), why);
    const std::optional<Measured> on = off ? measure(QStringLiteral("on"), why) : std::nullopt;
    if (!on) {
        if (!why.isEmpty())
            skip(why);
        return;
    }
    m_rows.push_back(
        {"add", "nested", "bridge on", on->folders, on->ms, "bridge off", off->ms, on->peakMb, 0});
}

void Bench::report() const {
    if (m_options.json) {
        QJsonArray rows;
        for (const Row& row : m_rows) {
            rows.append(
                QJsonObject{{"stage", row.stage},
                            {"tree", row.tree},
                            {"operation", row.operation},
                            {"folders", row.folders},
                            {"median_ms", row.medianMs},
                            {"floor", row.floorName},
                            {"floor_median_ms", row.floorMs},
                            {"ratio", row.floorMs > 0 ? row.medianMs / row.floorMs : 0},
                            {"us_per_folder", row.medianMs * 1000 / std::max(1, row.folders)},
                            {"rss_mb", row.rssMb},
                            {"peak_rss_mb", row.peakRssMb}});
        }
        QTextStream(stdout) << QJsonDocument(
                                   QJsonObject{{"repeats", m_options.repeats},
                                               {"quick", m_options.quick},
                                               {"rows", rows},
                                               {"notes", QJsonArray::fromStringList(m_notes)},
                                               {"failures", m_failures}})
                                   .toJson();
        return;
    }
    QTextStream out(stdout);
    out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9 %10\n")
               .arg("stage", -8)
               .arg("tree", -7)
               .arg("operation", -14)
               .arg("folders", 8)
               .arg("median ms", 10)
               .arg("floor", -13)
               .arg("floor ms", 9)
               .arg("ratio", 6)
               .arg("RSS MB", 7)
               .arg("peak RSS MB", 12);
    for (const Row& row : m_rows) {
        const QString ratio = row.floorMs > 0 ? QString::number(row.medianMs / row.floorMs, 'f', 2)
                                              : QStringLiteral("-");
        out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9 %10\n")
                   .arg(row.stage, -8)
                   .arg(row.tree, -7)
                   .arg(row.operation, -14)
                   .arg(row.folders, 8)
                   .arg(row.medianMs, 10, 'f', 1)
                   .arg(row.floorName, -13)
                   .arg(row.floorMs, 9, 'f', 1)
                   .arg(ratio, 6)
                   .arg(row.rssMb, 7, 'f', 1)
                   .arg(row.peakRssMb, 12, 'f', 1);
    }
    for (const QString& note : m_notes)
        out << note << u'\n';
    out << QStringLiteral("median of %1 repeats after a warm-up; %2\n")
               .arg(m_options.repeats)
               .arg(m_failures ? QStringLiteral("%1 CHECKS FAILED").arg(m_failures)
                               : QStringLiteral("every stage left the expected names on disk"));
}

int Bench::run() {
    std::optional<QTemporaryDir> temporary;
    QString base = m_options.folder;
    if (base.isEmpty()) {
        temporary.emplace(QDir::tempPath() + QStringLiteral("/tarnwick-bench-XXXXXX"));
        base = temporary->path();
    } else {
        QDir().mkpath(base);
        base = QDir(base).absolutePath();
    }
    const int depth = m_options.quick ? 4 : 5;
    const int flat = m_options.quick ? 1000 : 10000;
    const Tree nested = MakeTree(base, QStringLiteral("nested"), 10, depth);
    const Tree flatTree = MakeTree(base, QStringLiteral("flat"), flat, 1);

    m_window.emplace(Form1Dependencies{m_dialogs, HostFileSystem(), base, {}});
    m_window->Form_Load();
    m_window->show();
    QCoreApplication::processEvents();

    const auto wanted = [&](const char* stage) {
        return m_options.stages.contains(QLatin1String(stage));
    };
    const auto measured = [&](const Tree& tree) { return m_options.trees.contains(tree.name); };
    if (wanted("add")) {
        for (const Tree* tree : {&nested, &flatTree})
            if (measured(*tree))
                addStage(*tree);
    }
    if (wanted("preview")) {
        // The list as a user has it after adding the nested tree.
        m_window->folderList().removeAll();
        RestartPeak();
        m_dialogs.chosenFolder = nested.root;
        PushButton3_Click(*m_window);
        previewStage(nested);
    }
    if (wanted("run")) {
        for (const Tree* tree : {&nested, &flatTree})
            if (measured(*tree))
                runStage(*tree);
    }
    if (m_options.accessibility && m_options.accessibilityChild.isEmpty())
        accessibilityRows();
    m_window->folderList().removeAll();
    check(m_dialogs.messages == 0, QStringLiteral("no message was shown"));
    report();
    if (!m_options.folder.isEmpty()) {
        QDir(nested.root).removeRecursively();
        QDir(flatTree.root).removeRecursively();
    }
    return m_failures ? 1 : 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Options options;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QStringLiteral("--quick"))
            options.quick = true;
        else if (argument == QStringLiteral("--json"))
            options.json = true;
        else if (argument == QStringLiteral("--repeats") && i + 1 < arguments.size())
            options.repeats = std::max(1, arguments[++i].toInt());
        else if (argument == QStringLiteral("--stage") && i + 1 < arguments.size())
            options.stages = arguments[++i].split(u',');
        else if (argument == QStringLiteral("--tree") && i + 1 < arguments.size())
            options.trees = arguments[++i].split(u',');
        else if (argument == QStringLiteral("--dir") && i + 1 < arguments.size())
            options.folder = arguments[++i];
        else if (argument == QStringLiteral("--accessibility"))
            options.accessibility = true;
        else if (argument == QStringLiteral("--accessibility-child") && i + 1 < arguments.size())
            options.accessibilityChild = arguments[++i];
        else {
            std::fprintf(stderr, "usage: tarnwick-bench [--quick] [--json] [--repeats N] [--stage "
                                 "add,preview,run] [--tree nested,flat] [--dir FOLDER] "
                                 "[--accessibility]\n");
            return 2;
        }
    }
    // Kept until the measurement ends: the bridge stays on only while its bus and listener live.
    QProcess launcher;
    QDBusConnection listener(QStringLiteral("bench-listener"));
    if (options.accessibilityChild == QStringLiteral("on")) {
        const QString why = TurnOnAccessibilityBridge(launcher, listener);
        if (!why.isEmpty()) {
            QTextStream(stdout) << QJsonDocument(QJsonObject{{"skipped", why}}).toJson();
            return kNoBridge;
        }
    } else if (!options.accessibilityChild.isEmpty() && QAccessible::isActive()) {
        QTextStream(stdout)
            << QJsonDocument(QJsonObject{{"skipped", "the bridge was on"}}).toJson();
        return kNoBridge;
    }
    const int result = Bench(options).run();
    if (launcher.state() != QProcess::NotRunning) {
        launcher.terminate();
        launcher.waitForFinished();
    }
    return result;
}
