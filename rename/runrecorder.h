#pragma once

#include "common/listedpath.h"
#include "platform/filesystem.h"
#include "rename/journal.h"

#include <QString>
#include <array>
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
// a row that changed at a pump since it was written is written again, with the rows after it,
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
    // A row written ahead: twelve bytes, for lists of hundreds of thousands of rows. The hash in
    // two halves keeps the struct four-byte aligned.
    struct Journaled {
        std::array<std::uint32_t, 2> hash{};
        // Its intent's sequence number less the batch's first; kNotMeant where it has none.
        std::uint32_t offset = kNotMeant;
    };
    static constexpr std::uint32_t kNotMeant = UINT32_MAX;
    // A parent's path last hashed, with its hash: the rows below one parent share its text.
    struct HashedText {
        QString text;
        std::uint64_t hash = 0;
        std::uint64_t of(const QString& now);
    };
    // What a row said when it was written: a change at a pump shows as another hash.
    std::array<std::uint32_t, 2> rowHash(const ListedPath& now, const ListedPath& next,
                                         FileIdentity identity);
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
    // The rows written ahead, from m_first on, as they stood.
    int m_first = 0;
    std::uint64_t m_firstSequence = 0;
    std::vector<Journaled> m_batch;
    // The parents of the row now and of its new path.
    std::array<HashedText, 2> m_heads;
    std::optional<std::uint64_t> m_current;
    // The row in hand as it was recorded.
    ListedPath m_listed;
    ListedPath m_next;
    FileIdentity m_identity;
    bool m_unsettled = false;
    std::vector<std::uint64_t> m_sequences;
};

} // namespace tarnwick
