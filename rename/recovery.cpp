#include "rename/recovery.h"

#include "common/failure.h"
#include "common/pathtext.h"
#include "platform/filesystem.h"
#include "platform/userdialogs.h"
#include "rename/journalreader.h"
#include "rename/parententries.h"
#include "rename/renameengine.h"
#include "rename/renameplan.h"
#include "rename/runerrors.h"

#include <QCoreApplication>
#include <QHash>
#include <QLocale>
#include <QSet>
#include <algorithm>
#include <numeric>
#include <unistd.h>

namespace tarnwick {

namespace {

QString Translated(const char* text) {
    return QCoreApplication::translate("Tarnwick", text);
}

// Where a folder of the run is now, against what the run meant for it.
enum class State { Before, Intermediate, After, Elsewhere, Missing };

// One parent's entries as found before anything is renamed: by identity, and by name.
struct Listing {
    bool identitiesLast = false;
    QHash<FileIdentity, QString> byIdentity;
    QSet<QString> names;
};

// The folders of one unfinished run, each found on disk, and the choice carried out.
class UnfinishedRun {
public:
    UnfinishedRun(FileSystem& fileSystem, const JournalContents& contents)
        : m_fileSystem(fileSystem), m_separator(fileSystem.separator()), m_parents(fileSystem) {
        for (const JournalContents::Folder& folder : contents.folders) {
            const journal::Intent& intent = folder.intent;
            m_intents.push_back(&intent);
            m_states.push_back(State::Missing);
            m_bears.push_back(intent.before);
            m_byPath.insert(intent.parent + intent.before, m_intents.size() - 1);
        }
    }

    // Looks for every folder in its parent, parents before the folders below them.
    void assess() {
        std::vector<std::size_t> order(m_intents.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return m_intents[a]->parent.count(m_separator) <
                   m_intents[b]->parent.count(m_separator);
        });
        for (const std::size_t at : order)
            assess(at);
    }

    int count(State state) const {
        int counted = 0;
        for (std::size_t at = 0; at < m_states.size(); ++at)
            counted += m_states[at] == state && !unchanged(at);
        return counted;
    }
    int total() const {
        int counted = 0;
        for (std::size_t at = 0; at < m_intents.size(); ++at)
            counted += !unchanged(at);
        return counted;
    }

    // Every folder to its new name (forwards) or its name before (backwards, as undo goes).
    void carryOut(bool finish, QStringList& lines, int& renamed) {
        for (std::size_t step = 0; step < m_intents.size(); ++step) {
            const std::size_t at = finish ? step : m_intents.size() - 1 - step;
            const journal::Intent& intent = *m_intents[at];
            const State state = m_states[at];
            if (unchanged(at) || state == (finish ? State::After : State::Before))
                continue;
            const QString parent = resolve(intent.parent);
            if (state == State::Missing || state == State::Elsewhere) {
                lines << Translated("%1: %2").arg(
                    parent + intent.before,
                    Translated(state == State::Missing ? kNotFoundReason : kNotTheFolderReason));
                continue;
            }
            const QString& target = finish ? intent.after : intent.before;
            const std::optional<QString> why = rename(at, parent, target);
            if (why) {
                lines << Translated("%1: %2").arg(parent + m_bears[at], *why);
                continue;
            }
            m_bears[at] = target;
            m_states[at] = finish ? State::After : State::Before;
            ++renamed;
        }
    }

    // The folders bearing their new names, in run order, each under its parent as it was when the
    // run renamed it: what undo takes back.
    std::vector<RenamedFolder> renamedFolders() {
        std::vector<RenamedFolder> folders;
        const std::vector<QString> bears = m_bears;
        for (std::size_t at = 0; at < m_intents.size(); ++at)
            m_bears[at] = m_intents[at]->before;
        for (std::size_t at = 0; at < m_intents.size(); ++at) {
            const journal::Intent& intent = *m_intents[at];
            if (m_states[at] != State::After || unchanged(at))
                continue;
            folders.push_back({resolve(intent.parent), intent.before + m_separator,
                               intent.after + m_separator, intent.identity});
            m_bears[at] = intent.after;
        }
        m_bears = bears;
        return folders;
    }

private:
    bool unchanged(std::size_t at) const { return m_intents[at]->before == m_intents[at]->after; }

    QString intermediate(std::size_t at) const {
        return m_intents[at]->after + QString::fromUtf16(kIntermediateSuffix);
    }

    // The path a recorded path leads to now: each folder on the way that the run renamed is
    // followed to the name it bears.
    QString resolve(const QString& path) const {
        QString result;
        qsizetype start = 0;
        for (qsizetype at = path.indexOf(m_separator); at >= 0;
             at = path.indexOf(m_separator, at + 1)) {
            const auto folder = m_byPath.constFind(path.left(at));
            if (folder != m_byPath.constEnd())
                result += m_bears[*folder];
            else
                result.append(QStringView(path).sliced(start, at - start));
            result += m_separator;
            start = at + 1;
        }
        return result.append(QStringView(path).sliced(start));
    }

    Listing& listing(const QString& parent) {
        const auto known = m_listings.find(parent);
        if (known != m_listings.end())
            return *known;
        Listing listing;
        try {
            const std::unique_ptr<OpenFolder> open = m_fileSystem.open(parent);
            listing.identitiesLast = open && open->identitiesLast();
            for (const DirectoryEntry& entry : m_fileSystem.list(parent).entries) {
                if (entry.kind != EntryKind::Folder)
                    continue;
                listing.byIdentity.insert(entry.identity, entry.name);
                listing.names.insert(entry.name);
            }
        } catch (const Failure&) {
            // Nothing found there: each of its folders is told as not found.
        }
        return *m_listings.insert(parent, std::move(listing));
    }

    void assess(std::size_t at) {
        const journal::Intent& intent = *m_intents[at];
        const QString parent = resolve(intent.parent);
        Listing& found = listing(parent);
        const QString between = intermediate(at);
        if (found.identitiesLast && intent.identity != FileIdentity{}) {
            const auto name = found.byIdentity.constFind(intent.identity);
            const QString bears = name == found.byIdentity.constEnd() ? QString() : *name;
            m_states[at] = bears.isNull()           ? State::Missing
                           : bears == intent.after  ? State::After
                           : bears == intent.before ? State::Before
                           : bears == between       ? State::Intermediate
                                                    : State::Elsewhere;
            if (!bears.isNull())
                m_bears[at] = bears;
        } else if (found.names.contains(intent.before)) {
            // Where identities do not last, the names tell, the earliest of the run's names
            // first: a later one beside it can only be a placeholder left half way.
            m_states[at] = State::Before;
        } else if (found.names.contains(between)) {
            m_states[at] = State::Intermediate, m_bears[at] = between;
        } else {
            m_states[at] = found.names.contains(intent.after) ? State::After : State::Missing;
            m_bears[at] = intent.after;
        }
    }

    // Renames the folder to target: from the temporary name at once (it differs from either name
    // beyond letter case), else through the engine, as a run would, known by its identity. Why
    // not, when it was not.
    std::optional<QString> rename(std::size_t at, const QString& parent, const QString& target) {
        const QString& from = m_bears[at];
        if (m_states[at] == State::Intermediate) {
            const Result<std::optional<QString>> found = m_parents.find(parent);
            if (!found || !*found)
                return found ? PathNotFound().description() : found.failure().description();
            const Result<void> done = m_parents.rename(**found, from, target);
            return done ? std::nullopt : std::optional<QString>(done.failure().description());
        }
        const RenameOutcome outcome =
            RenameFilesWild(m_fileSystem, m_parents, {}, ListedPath(parent, from + m_separator),
                            ListedPath(parent, target + m_separator), m_intents[at]->identity);
        return outcome.renamed() ? std::nullopt : std::optional<QString>(outcome.reason);
    }

    FileSystem& m_fileSystem;
    QChar m_separator;
    ParentEntries m_parents;
    std::vector<const journal::Intent*> m_intents;
    std::vector<State> m_states;
    // The name each folder bears now, as far as is known.
    std::vector<QString> m_bears;
    // Each folder by the path it was recorded under.
    QHash<QString, std::size_t> m_byPath;
    QHash<QString, Listing> m_listings;
};

// The question, with the run's figures in the user's way of writing numbers.
QString Question(const UnfinishedRun& run) {
    const QLocale locale;
    const int intermediate = run.count(State::Intermediate);
    return Translated(kUnfinishedRunQuestion)
        .arg(locale.toString(run.count(State::Before) + intermediate), locale.toString(run.total()),
             locale.toString(intermediate));
}

// After the choice: a run finished is kept as the last run, so that it can be undone; one taken
// back, or an undo finished, leaves nothing to undo.
void Settle(HeldJournal& file, const JournalContents& contents, UnfinishedRun& run, bool finished,
            const QString& folder, QChar separator) {
    const bool isUndo = contents.header.kind == journal::Kind::Undo;
    // A run cut short before its first rename leaves the last run's record as it was.
    const std::vector<RenamedFolder> renamed =
        finished ? run.renamedFolders() : std::vector<RenamedFolder>();
    if (finished && !isUndo && !renamed.empty()) {
        QString why;
        if (std::unique_ptr<JournalWriter> writer =
                JournalWriter::start(folder, journal::Kind::Run, &why)) {
            for (const RenamedFolder& done : renamed) {
                const QString before = WithoutTrailingSeparator(done.before, separator);
                const QString after = WithoutTrailingSeparator(done.after, separator);
                const std::uint64_t sequence =
                    writer->intend({0, done.parent, before, after, done.identity, true});
                writer->renamed(sequence, done.parent, before, after, done.identity);
            }
            writer->finish(true, &why);
        }
    } else if (finished && isUndo && !renamed.empty()) {
        // The run the undo took back, and no other: another copy may keep its own.
        QString why;
        const int folderFd = OpenJournalFolder(folder, false, &why);
        if (folderFd >= 0) {
            RemoveFinishedJournal(folderFd, contents.retires);
            ::close(folderFd);
        }
    }
    file.remove();
}

// Offers one unfinished run and carries out the choice.
void Recover(HeldJournal& file, const JournalContents& contents, FileSystem& fileSystem,
             UserDialogs& dialogs, const QString& title, const QString& folder,
             const TellUser& tellLeft, RecoveryTally& tally) {
    UnfinishedRun run(fileSystem, contents);
    run.assess();
    bool finish = true;
    if (run.count(State::Before) + run.count(State::Intermediate) > 0) {
        ++tally.offered;
        const int choice = dialogs.askWithButtons(
            Question(run), title,
            {Translated(kFinishRunButton), Translated(kTakeBackButton), Translated(kLaterButton)});
        if (choice != 0 && choice != 1)
            return;
        finish = choice == 0;
        QStringList lines;
        run.carryOut(finish, lines, tally.renamed);
        tally.leftAlone += static_cast<int>(lines.size());
        if (!lines.isEmpty() && tellLeft) {
            tellLeft(Translated(kRecoveryLeftHeading));
            for (const QString& line : lines)
                tellLeft(line);
        } else if (!lines.isEmpty()) {
            ShowErrorMessage(dialogs, RunErrors::summary(lines, Translated(kRecoveryLeftHeading)));
        }
    }
    Settle(file, contents, run, finish, folder, fileSystem.separator());
}

} // namespace

RecoveryTally RecoverUnfinishedRuns(FileSystem& fileSystem, UserDialogs& dialogs,
                                    const QString& title, const QString& folder,
                                    const TellUser& tellLeft) {
    RecoveryTally tally;
    QString why;
    const int folderFd = OpenJournalFolder(folder, false, &why);
    if (folderFd < 0)
        return tally;
    for (const QString& name : JournalFiles(folderFd, kOpenSuffix)) {
        HeldJournal file(folderFd, name);
        // Another copy of the program is still writing it.
        if (file.inUse())
            continue;
        const std::optional<JournalContents> contents = file.read(fileSystem.separator(), &why);
        if (!contents) {
            ++tally.keptAside;
            const QString aside = file.keepAside();
            dialogs.showMessage(
                Translated(kJournalKeptAsideMessage).arg(folder + u'/' + aside, why), title,
                MessageButtons::Ok, MessageIcon::Warning);
            continue;
        }
        Recover(file, *contents, fileSystem, dialogs, title, folder, tellLeft, tally);
    }
    ::close(folderFd);
    return tally;
}

} // namespace tarnwick
