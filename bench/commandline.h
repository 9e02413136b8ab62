#pragma once

#include "bench.h"

#include <functional>
#include <vector>

namespace tarnwick::bench {

// The command line as a whole process: `tarnwick --case upper --apply` and then `--case lower
// --apply` on a tree of its own in base (breadth and depth as the nested tree), beside the
// whole-process floor of the same work. check says whether each run left the names it should.
std::vector<Row> CommandLineRows(const QString& base, int depth, int repeats,
                                 const std::function<bool(bool, const QString&)>& check);

} // namespace tarnwick::bench
