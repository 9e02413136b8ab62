#include "bench.h"

#include "measure.h"

#include "folders/addfolders.h"
#include "folders/folderlist.h"
#include "rename/journal.h"
#include "rename/renamerun.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace tarnwick::bench {

// The run with its journal against the same run without it, repeat by repeat in turn, so that
// both meet the disk in the same state: the journal's whole cost is its share of the run. Which
// goes first changes from repeat to repeat: the second meets the writeback the first left.
void Bench::journalRunStage(const Tree& tree) {
    FolderListModel& list = m_window->folderList();
    const QString journals = QFileInfo(tree.root).path() + QStringLiteral("/state/tarnwick");
    std::vector<double> with, without;
    double peak = 0;
    for (int repeat = 0; repeat <= m_options.repeats; ++repeat) {
        for (const bool second : {false, true}) {
            const bool recorded = second == (repeat % 2 == 0);
            list.removeAll();
            m_dialogs.chosenFolder = tree.root;
            // The program's peak over listing, previewing and the recorded run; the floors'
            // own steps never count in it.
            RestartPeak();
            PushButton3_Click(*m_window);
            m_window->previewRename();
            RunSurroundings run = SurroundingsOf(*m_window);
            if (recorded)
                run.journalFolder = journals;
            const double ms = TimeMs([&] { RunRenames(run); });
            peak = std::max(peak, ReadStatusMb("VmHWM:"));
            checkRun(tree);
            list.removeAll();
            if (!renameFloors(tree))
                return;
            if (repeat > 0)
                (recorded ? with : without).push_back(ms);
        }
    }
    WaitForJournals();
    check(!QDir(journals).entryList({QStringLiteral("*.done")}, QDir::Files).isEmpty(),
          QStringLiteral("run of %1: the journal kept the run").arg(tree.name));
    m_rows.push_back({"run, journal", tree.name, "UPPER CASE", tree.folders + 1, Median(with),
                      "run without journal", Median(without), peak, ReadStatusMb("VmRSS:")});
}

} // namespace tarnwick::bench
