#pragma once

namespace tarnwick::cli {

struct CommandServices;
struct Request;
class Output;
class ProgressLine;

// `tarnwick --undo [--apply] [--json]`: gives the folders of the last recorded run their names
// back, each only if it is still the folder the run renamed; without --apply, says what it would
// do and renames nothing.
int RunUndo(const Request& request, CommandServices& services, Output& output,
            ProgressLine& progress);

} // namespace tarnwick::cli
