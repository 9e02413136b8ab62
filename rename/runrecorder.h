#pragma once

#include "common/listedpath.h"
#include "platform/filesystem.h"
#include "rename/journal.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace tarnwick {

struct RenameOutcome;
struct RunSurroundings;

inline constexpr char kCannotRecordQuestion[] =
    QT_TRANSLATE_NOOP("Tarnwick", "The run cannot be recorded: %1. Rename anyway without a way "
                                  "to undo it after closing?");

// Records a run in its journal, ahead of its renames: before the first folder is renamed, every
// row as it stands is written and synced at once, so that a run cut short can be finished whole;
// once the rows changed at a pump, the row in hand is written again, with the rows after it,
// before it is renamed.
// What became of each folder is written as it goes and not waited for: after a crash every
// folder is looked at on disk anyway. Where the journal cannot be written, the user is asked once
// whether to go on without it. Records nothing where the surroundings name no journal folder.
class RunRecorder {
public:
    // retires: an undo's, the file name of the recorded run it takes back (LastRun::record()).
    RunRecorder(const RunSurroundings& run, journal::Kind kind, QString retires = {});
    ~RunRecorder();
    RunRecorder(const RunRecorder&) = delete;
    RunRecorder& operator=(const RunRecorder&) = delete;

    // Before the row's folder is renamed; false when the run is to stop there, the user having
    // refused to go on without a record.
    bool beforeRename(int row, const ListedPath& listed, const ListedPath& next,
                      FileIdentity identity);
    // A whole list of folders known at the start (an undo's), recorded at once.
    bool beforeAll(const std::vector<journal::Intent>& intents);
    // What became of the folder of the last beforeRename(), or of intent number index of
    // beforeAll().
    void renamed(const RenameOutcome& outcome, std::optional<std::size_t> index = std::nullopt);
    void left(std::optional<std::size_t> index = std::nullopt);
    // Intent number index of beforeAll() was carried out as written.
    void renamedAsMeant(std::size_t index);
    // The run ended; a run is kept as the last one (and its record named in the last run), an
    // undo retires the run it took back.
    void finish();

private:
    // A row written ahead has no intent, its folder being passed by.
    static constexpr std::uint32_t kNotMeant = UINT32_MAX;
    bool started();
    // The sequence number of intent index of beforeAll(), or of the row in hand; none where
    // nothing is recorded.
    std::optional<std::uint64_t> sequenceOf(std::optional<std::size_t> index) const;
    bool writeBatch(int row);
    // Writes the intent to rename now to next; returns its sequence number.
    std::uint64_t intend(const ListedPath& now, const ListedPath& next, FileIdentity identity,
                         QChar separator);
    // Asks whether to go on without a record; true when the user agrees.
    bool goOnWithout(const QString& why);

    const RunSurroundings& m_run;
    journal::Kind m_kind;
    QString m_retires;
    std::unique_ptr<JournalWriter> m_writer;
    bool m_off = false;
    // The user would not go on without a record.
    bool m_refused = false;
    // The rows written ahead, from m_first on: each one's intent's sequence number less the
    // batch's first (or kNotMeant), four bytes for lists of hundreds of thousands of rows.
    int m_first = 0;
    std::uint64_t m_firstSequence = 0;
    std::vector<std::uint32_t> m_batch;
    // The rows' changes() when they were written.
    std::uint64_t m_writtenAt = 0;
    std::optional<std::uint64_t> m_current;
    // The row in hand as it was recorded.
    ListedPath m_listed;
    ListedPath m_next;
    FileIdentity m_identity;
    bool m_unsettled = false;
    std::vector<std::uint64_t> m_sequences;
};

} // namespace tarnwick
