// The three stages a user waits for, each through the window's own handlers, beside its floors.

#include "bench.h"
#include "floors.h"
#include "measure.h"

#include "folders/addfolders.h"
#include "folders/folderlist.h"
#include "platform/memory.h"
#include "rename/renamerun.h"
#include "transform/conversions.h"

#include <QAccessible>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTreeView>

namespace tarnwick::bench {

void Bench::addStage(const Tree& tree) {
    FolderListModel& list = m_window->folderList();
    std::vector<double> times, finds, walks, dents;
    double peak = 0;
    for (int repeat = 0; repeat <= m_options.repeats; ++repeat) {
        list.removeAll();
        // The floors first, while the list is empty: the paths they keep are theirs, and must
        // not count against the program's peak.
        const double findMs = FindMs(tree.root);
        const std::string root = QFile::encodeName(tree.root).toStdString();
        std::vector<std::string> paths;
        const double walkMs = TimeMs([&] { paths = BareWalk(root); });
        const std::size_t walked = std::exchange(paths, {}).size();
        const double dentsMs = TimeMs([&] { paths = BareGetdentsWalk(root); });
        const std::size_t dented = std::exchange(paths, {}).size();
        m_dialogs.chosenFolder = tree.root;
        RestartPeak();
        const double ms = TimeMs([&] { PushButton3_Click(*m_window); });
        peak = std::max(peak, ReadStatusMb("VmHWM:"));
        check(list.count() == tree.folders + 1, QStringLiteral("add %1: %2 rows for %3 folders")
                                                    .arg(tree.name)
                                                    .arg(list.count())
                                                    .arg(tree.folders + 1));
        check(walked == std::size_t(tree.folders) && dented == walked,
              QStringLiteral("bare walks of %1").arg(tree.name));
        if (repeat == 0)
            continue; // warm-up
        times.push_back(ms);
        finds.push_back(findMs);
        walks.push_back(walkMs);
        dents.push_back(dentsMs);
    }
    const double rss = ReadStatusMb("VmRSS:");
    const double median = Median(times);
    m_rows.push_back(
        {"add", tree.name, {}, tree.folders, median, "find -type d", Median(finds), peak, rss});
    m_rows.push_back(
        {"add", tree.name, {}, tree.folders, median, "readdir walk", Median(walks), peak, rss});
    m_rows.push_back(
        {"add", tree.name, {}, tree.folders, median, "getdents64", Median(dents), peak, rss});
    if (!m_options.accessibilityChild.isEmpty())
        checkReadable();
}

// What a screen reader reads of the list after adding: its row count and a cell's text.
void Bench::checkReadable() {
    QCoreApplication::processEvents();
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(m_window->ListView1);
    QAccessibleTableInterface* table = view ? view->tableInterface() : nullptr;
    const FolderListModel& list = m_window->folderList();
    const int last = list.count() - 1;
    QAccessibleInterface* cell = table && last >= 0 ? table->cellAt(last, 0) : nullptr;
    check(table && table->rowCount() == list.count() && cell &&
              cell->text(QAccessible::Name) == list.text(last, 0),
          QStringLiteral("the list read through its accessible interface"));
}

void Bench::previewStage(const Tree& tree) {
    FolderListModel& list = m_window->folderList();
    // The program's peak so far: the addition's. The floor's own names never count in it.
    double peak = ReadStatusMb("VmHWM:");
    for (int operation = 0; operation < m_window->Combo1->count(); ++operation) {
        {
            const QSignalBlocker quiet(m_window->Combo1);
            m_window->Combo1->setCurrentIndex(operation);
        }
        const std::optional<Operation> chosen = MatchOperation(m_window->Combo1->currentText());
        if (!check(chosen.has_value(), QStringLiteral("an operation of the box")))
            continue;
        std::vector<double> times, floors;
        for (int repeat = 0; repeat <= m_options.repeats; ++repeat) {
            const double ms = TimeMs([&] { m_window->previewRename(); });
            if (repeat > 0)
                times.push_back(ms);
        }
        peak = std::max(peak, ReadStatusMb("VmHWM:"));
        const double rss = ReadStatusMb("VmRSS:");
        // The floor after the program's repeats, not between them: the memory its names took is
        // given back before the next operation, whose warm-up then finds the program's own.
        for (int repeat = 0; repeat <= m_options.repeats; ++repeat) {
            const double ms = previewFloorMs(*chosen);
            if (repeat > 0)
                floors.push_back(ms);
        }
        RestartPeak();
        check(list.count() > 0 && !list.text(0, 1).isEmpty(),
              QStringLiteral("preview of %1").arg(tree.name));
        m_rows.push_back({"preview", tree.name, m_window->Combo1->currentText().section(u' ', -2),
                          list.count(), Median(times), "case mapping", Median(floors), peak, rss});
    }
    const QSignalBlocker quiet(m_window->Combo1);
    m_window->Combo1->setCurrentIndex(0);
}

// The preview's floor over the rows as listed, checked against what the preview wrote.
double Bench::previewFloorMs(Operation operation) {
    const FolderListModel& list = m_window->folderList();
    std::vector<QString> newNames(list.entries().size());
    const double ms = TimeMs([&] { ConvertNames(list.entries(), operation, newNames); });
    const int last = list.count() - 1;
    check(last >= 0 && WithoutTrailingSeparator(list.text(last, 1)).endsWith(newNames.back()),
          QStringLiteral("the preview's floor converts the names the preview does"));
    return ms;
}

void Bench::runStage(const Tree& tree) {
    FolderListModel& list = m_window->folderList();
    std::vector<double> times, once, twice;
    double peak = 0;
    for (int repeat = 0; repeat <= m_options.repeats; ++repeat) {
        // The list filled as a user fills it, every repeat: the benchmark keeps no copy of it.
        list.removeAll();
        m_dialogs.chosenFolder = tree.root;
        // Listed, previewed and renamed: the program's peak over all three.
        RestartPeak();
        PushButton3_Click(*m_window);
        m_window->previewRename();
        const double ms = TimeMs([&] { PushButton2_Click(*m_window); });
        peak = std::max(peak, ReadStatusMb("VmHWM:"));
        checkRun(tree);
        list.removeAll();
        const std::optional<RenameFloors> floors = renameFloors(tree);
        if (!floors)
            return;
        if (repeat == 0)
            continue;
        times.push_back(ms);
        once.push_back(floors->onceMs);
        twice.push_back(floors->twiceMs);
    }
    const double median = Median(times);
    const double rss = ReadStatusMb("VmRSS:");
    m_rows.push_back({"run", tree.name, "UPPER CASE", tree.folders + 1, median, "2 x renameat2",
                      Median(twice), peak, rss});
    m_rows.push_back({"run", tree.name, "UPPER CASE", tree.folders + 1, median, "1 x renameat2",
                      Median(once), peak, rss});
}

// The floors rename every folder of the upper-cased tree back to its generated name, deepest
// first: once directly, and (after the tree is upper-cased again) through the intermediate name,
// as the program's detour does. The last leaves the tree as generated for the next repeat.
std::optional<Bench::RenameFloors> Bench::renameFloors(const Tree& tree) {
    RenameFloors floors;
    bool ok = true;
    {
        std::optional<std::vector<RenameStep>> steps = StepsBack(tree);
        if (!check(
                steps.has_value(),
                QStringLiteral("run of %1: a name on disk that was not generated").arg(tree.name)))
            return std::nullopt;
        const std::vector<RenameStep> back = std::move(*steps);
        floors.onceMs = TimeMs([&] { ok = RenameBackOnce(back); });
        ok = ok && RenameForwardOnce(back);
        floors.twiceMs = TimeMs([&] { ok = ok && RenameBackTwice(back); });
    }
    // The steps were the benchmark's own: their pages go back before the program is measured
    // again, or the program's next peak would stand on them.
    ReturnFreedMemory();
    check(ok && QFileInfo::exists(tree.root), QStringLiteral("floor reset of %1").arg(tree.name));
    return floors;
}

// After a run: every folder of the tree on disk is in upper case, and every row names one of them.
void Bench::checkRun(const Tree& tree) {
    const FolderListModel& list = m_window->folderList();
    const QString base = QFileInfo(tree.root).path() + u'/';
    const QString upperRoot = base + ToUpperCase(tree.name);
    qsizetype onDisk = 0;
    bool allUpper = true;
    std::size_t onDiskHashes = qHash(upperRoot + u'/');
    CountUpperFolders(upperRoot, onDisk, allUpper, onDiskHashes);
    check(onDisk == tree.folders && allUpper,
          QStringLiteral("run of %1: %2 of %3 folders upper case")
              .arg(tree.name)
              .arg(onDisk)
              .arg(tree.folders));
    // Every row names an upper-case folder that is there; the sum of the rows' hashes
    // matching the disk's tells that no folder is listed twice in place of another.
    bool columnMatches = list.count() == tree.folders + 1;
    std::size_t listedHashes = 0;
    for (int i = 0; columnMatches && i < list.count(); ++i) {
        const QString now = list.text(i, 0);
        const QString relative = now.mid(base.size());
        columnMatches = now.startsWith(base) && relative == ToUpperCase(relative) &&
                        QFileInfo(now).isDir() && list.text(i, 1).isEmpty();
        listedHashes += qHash(now);
    }
    check(columnMatches && listedHashes == onDiskHashes,
          QStringLiteral("run of %1: the list shows the names on disk").arg(tree.name));
}

} // namespace tarnwick::bench
