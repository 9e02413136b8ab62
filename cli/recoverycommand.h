#pragma once

namespace tarnwick::cli {

struct CommandServices;
class Output;
struct Request;

// Settles the runs the journal says were interrupted (their process gone) before the command's
// own work, with the checks and the report of the window's recovery: on a terminal it asks, once
// each, whether to finish the run, take it back or leave it for later; with --recover it does as
// told without asking; in a script it never acts and never waits, but says in one line on standard
// error that a run waits and how to settle it. The report goes to standard error; only --recover
// alone (Kind::Recover) writes a summary on standard output. Returns the command's status for
// Kind::Recover (1 when a folder was left as it is), else kAllDone.
int SettleInterruptedRuns(const Request& request, CommandServices& services, Output& output);

} // namespace tarnwick::cli
