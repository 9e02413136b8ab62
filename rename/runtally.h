#pragma once

#include <QLocale>
#include <QString>

namespace tarnwick {

// What a run or an undo did, counted in folders.
struct RunTally {
    // Folders that got a new name (an undo: their names back).
    int renamed = 0;
    // Listed folders that were to get one and were left as they were, each with its reason.
    int notRenamed = 0;
    // The run was asked to stop before its last folder.
    bool stopped = false;

    friend bool operator==(const RunTally&, const RunTally&) = default;
};

// The tally as a person reads it: "4,210 renamed, 3 not renamed", numbers as the locale writes
// them.
QString TallyWords(const RunTally& tally, const QLocale& locale = QLocale());

} // namespace tarnwick
