#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace tarnwick::bench {

struct Options {
    bool quick = false;
    bool json = false;
    int repeats = 5;
    // Which trees the add and run stages measure.
    QStringList trees{QStringLiteral("nested"), QStringLiteral("flat")};
    QString folder;
    // Also time the stages on the nested tree of --quick with a screen reader listening and
    // without, each side in a child process of its own.
    bool accessibility = false;
    // Set in such a child: "on" (with the screen reader) or "off".
    QString accessibilityChild;
    QStringList stages{QStringLiteral("add"), QStringLiteral("preview"), QStringLiteral("run"),
                       QStringLiteral("command")};
};

// A measuring child's exit code when the bridge could not be turned on where it runs.
constexpr int kNoBridge = 3;

// The options of the command line (the program's name first); none, after a usage line on
// standard error, when an argument is not understood.
std::optional<Options> ParseOptions(const QStringList& arguments);

} // namespace tarnwick::bench
