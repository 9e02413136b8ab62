#pragma once

namespace tarnwick::cli {

struct CommandServices;
struct Request;
class Output;
class ProgressLine;

// Exit statuses of the terminal front end.
enum ExitStatus {
    kAllDone = 0,
    kSomeNotDone = 1,
    kBadUsage = 2,
    // 128 + SIGINT, as a shell reports a command stopped by Ctrl+C.
    kStopped = 130,
    // 128 + SIGPIPE: the reader of standard output went away.
    kOutputClosed = 141,
};

// `tarnwick --case OPERATION [--no-subfolders] [--apply] [--json] FOLDER...`: adds, previews and,
// with --apply, renames; without it, shows what --apply would do and renames nothing.
int RunCase(const Request& request, CommandServices& services, Output& output,
            ProgressLine& progress);

} // namespace tarnwick::cli
