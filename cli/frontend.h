#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace tarnwick::cli {

struct CommandServices;

// The terminal front end: `tarnwick --case ...`, `tarnwick --undo ...`, --help and --version.
// arguments are the program's, its name first, as the host passed them. Returns the exit status.
int RunTerminal(const QList<QByteArray>& arguments, CommandServices& services);

// What --help prints: both front ends, with one example each.
QString HelpText();

} // namespace tarnwick::cli
