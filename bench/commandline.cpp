#include "commandline.h"

#include "measure.h"
#include "trees.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace tarnwick::bench {

namespace {

// Runs a program beside this one and waits for it; its exit code, or -1.
int RunBeside(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

// Both directions, each through the program: its time, and whether each left what it should.
double TimeBoth(const QString& program, const QStringList& prefix, const QString& base,
                const QString& name, qsizetype expected, bool& ok) {
    const QString upperRoot = base + u'/' + name.toUpper();
    const QString lowerRoot = base + u'/' + name.toLower();
    int upperExit = -1, lowerExit = -1;
    qsizetype folders = 0;
    bool allUpper = true;
    std::size_t hashes = 0;
    const double upperMs = TimeMs([&] {
        upperExit = RunBeside(program, prefix + QStringList{QStringLiteral("upper"), lowerRoot});
    });
    CountUpperFolders(upperRoot, folders, allUpper, hashes);
    const double lowerMs = TimeMs([&] {
        lowerExit = RunBeside(program, prefix + QStringList{QStringLiteral("lower"), upperRoot});
    });
    ok = upperExit == 0 && lowerExit == 0 && allUpper && folders == expected &&
         QFileInfo(lowerRoot).isDir();
    return upperMs + lowerMs;
}

} // namespace

std::vector<Row> CommandLineRows(const QString& base, int depth, int repeats,
                                 const std::function<bool(bool, const QString&)>& check) {
    const QString name = QStringLiteral("cli");
    const Tree tree = MakeTree(base, name, 10, depth);
    const QString program = QStringLiteral(TARNWICK_PROGRAM);
    const QString floor = QStringLiteral(TARNWICK_FLOOR_PROGRAM);
    std::vector<double> times, floors;
    for (int repeat = 0; repeat <= repeats; ++repeat) {
        bool ok = false;
        const double ms = TimeBoth(program, {QStringLiteral("--apply"), QStringLiteral("--case")},
                                   base, name, tree.folders, ok);
        check(ok, QStringLiteral("tarnwick --case upper, then lower, --apply on %1").arg(name));
        const double floorMs = TimeBoth(floor, {}, base, name, tree.folders, ok);
        check(ok, QStringLiteral("the floor of the command line on %1").arg(name));
        if (repeat == 0)
            continue; // warm-up
        times.push_back(ms);
        floors.push_back(floorMs);
    }
    QDir(base + u'/' + name).removeRecursively();
    return {{QStringLiteral("command"), name, QStringLiteral("upper+lower"), tree.folders,
             Median(times), QStringLiteral("find -depth + 1 x renameat2"), Median(floors), 0, 0}};
}

} // namespace tarnwick::bench
