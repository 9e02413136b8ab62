#include "folders/rowvector.h"
#include "platform/filesystem.h"
#include "rename/lastrun.h"
#include "rename/renamerun.h"
#include "tests/reliability/killtree.h"
#include "tests/support/fakedialogs.h"

#include <QString>
#include <cstdio>

// A run of the whole kill tree below a root, recorded in a journal folder, for a test to kill at
// any moment: "journaldriver ROOT/ JOURNALFOLDER". Says "ready" once the rows are listed, just
// before the run starts, and "done" after it.
int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fputs("usage: journaldriver ROOT/ JOURNALFOLDER\n", stderr);
        return 2;
    }
    using namespace tarnwick;
    const QString root = QString::fromLocal8Bit(argv[1]);
    FileSystem& fileSystem = HostFileSystem();
    RowVector rows;
    test::ListKillTree(fileSystem, root, rows);
    test::FakeUserDialogs dialogs;
    LastRun lastRun;
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    const RunSurroundings run{
        rows, fileSystem, dialogs, QStringLiteral("Tarnwick"),     {}, lastRun,
        {},   {},         {},      QString::fromLocal8Bit(argv[2])};
    const std::optional<RunTally> tally = RunRenames(run);
    std::printf("done %d\n", tally ? tally->renamed : -1);
    return dialogs.messages.isEmpty() ? 0 : 1;
}
