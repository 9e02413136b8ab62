// Times the three stages a user waits for (adding, previewing, renaming) on generated trees,
// through the program's own window and handlers, side by side with the bare file-system floor.

#include "accessibility.h"
#include "bench.h"
#include "options.h"

#include <QAccessible>
#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <cstring>

namespace tarnwick::bench {

std::optional<Options> ParseOptions(const QStringList& arguments) {
    Options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool valued = i + 1 < arguments.size();
        if (argument == QStringLiteral("--quick"))
            options.quick = true;
        else if (argument == QStringLiteral("--json"))
            options.json = true;
        else if (argument == QStringLiteral("--repeats") && valued)
            options.repeats = std::max(1, arguments[++i].toInt());
        else if (argument == QStringLiteral("--stage") && valued)
            options.stages = arguments[++i].split(u',');
        else if (argument == QStringLiteral("--tree") && valued)
            options.trees = arguments[++i].split(u',');
        else if (argument == QStringLiteral("--dir") && valued)
            options.folder = arguments[++i];
        else if (argument == QStringLiteral("--accessibility"))
            options.accessibility = true;
        else if (argument == QStringLiteral("--accessibility-child") && valued)
            options.accessibilityChild = arguments[++i];
        else {
            std::fprintf(stderr, "usage: tarnwick-bench [--quick] [--json] [--repeats N] [--stage "
                                 "add,preview,run,journal] [--tree nested,flat] [--dir FOLDER] "
                                 "[--accessibility]\n");
            return std::nullopt;
        }
    }
    return options;
}

} // namespace tarnwick::bench

int main(int argc, char* argv[]) {
    using namespace tarnwick::bench;
    if (argc == 2 && !strcmp(argv[1], kScreenReaderSwitch)) {
        QCoreApplication application(argc, argv);
        return RunScreenReader();
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::optional<Options> options = ParseOptions(QCoreApplication::arguments());
    if (!options)
        return 2;
    // Kept until the measurement ends: the bridge stays on only while its bus and listener live.
    QProcess launcher;
    ScreenReaderProcess reader;
    const bool listened = options->accessibilityChild == QStringLiteral("on");
    if (listened) {
        const QString why = TurnOnAccessibilityBridge(launcher, reader);
        if (!why.isEmpty()) {
            QTextStream(stdout) << QJsonDocument(QJsonObject{{"skipped", why}}).toJson();
            return kNoBridge;
        }
    } else if (!options->accessibilityChild.isEmpty() && QAccessible::isActive()) {
        QTextStream(stdout)
            << QJsonDocument(QJsonObject{{"skipped", "the bridge was on"}}).toJson();
        return kNoBridge;
    }
    const int result = Bench(*options, listened ? &reader : nullptr).run();
    reader.stop();
    if (launcher.state() != QProcess::NotRunning) {
        launcher.terminate();
        launcher.waitForFinished();
    }
    return result;
}
