#include "folders/subfolderwalk.h"

#include "common/failure.h"
#include "common/listedpath.h"
#include "common/pathtext.h"
#include "platform/filesystem.h"

#include <QHash>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

namespace tarnwick {

namespace {

constexpr int kHiddenSystemFolder = attribute::kDirectory | attribute::kSystem | attribute::kHidden;
constexpr int kHiddenSystemJunction = kHiddenSystemFolder | attribute::kReparsePoint;

void Pump(const std::function<void()>& pump) {
    if (pump)
        pump();
}

// A folder that can no longer be opened fails as opening it would: path not found.
bool PassesAttributeTest(FileSystem& fileSystem, const QString& folder, std::optional<int> bits) {
    if (!bits)
        throw PathNotFound();
    if (*bits != kHiddenSystemFolder && *bits != kHiddenSystemJunction)
        return true;
    return fileSystem.isRoot(folder);
}

bool IsFolderBits(std::optional<int> bits) {
    return bits && (*bits & attribute::kDirectory);
}

bool IsTakenName(const QString& name, const HostRules& rules) {
    // An empty name could only re-enter its own parent. Where names pass through the ANSI code
    // page a "?" may stand for a character lost on the way, and the name would find nothing.
    return !name.isEmpty() && rules.shorterThan(name, rules.nameBound) &&
           !HasUnsupportedCharacters(name, rules.codePage) &&
           !(rules.codePage == CodePage::Ansi && name.contains(u'?')) && name != u"." &&
           name != u"..";
}

bool MeansUnreadable(const Failure& failure) {
    return failure.number() == failure_code::kPermissionDenied ||
           failure.number() == failure_code::kPathNotFound;
}

// A folder met in a listing: its path and what the listing told of it. Below the first level each
// path is its parent's path, shared by its siblings, and its name.
struct FoundFolder {
    ListedPath path;
    int attributes = 0;
    bool link = false;
    FileIdentity identity{};
};

// The folders the caller passed in are paths alone: what they are is asked of the disk.
const ListedPath& PathOf(const ListedPath& folder) {
    return folder;
}
const ListedPath& PathOf(const WalkedFolder& folder) {
    return folder.path;
}
const ListedPath& PathOf(const FoundFolder& folder) {
    return folder.path;
}
template <class Entry> constexpr bool kFromListing = std::is_same_v<Entry, FoundFolder>;

void Append(std::vector<ListedPath>& to, FoundFolder& folder) {
    to.push_back(std::move(folder.path));
}
void Append(std::vector<WalkedFolder>& to, FoundFolder& folder) {
    to.push_back({std::move(folder.path), folder.identity});
}
void Append(std::vector<FoundFolder>& to, FoundFolder& folder) {
    to.push_back(std::move(folder));
}

// Each failure of a path removes the first entry still equal to it. Those removals always fall on
// entries already walked, so taking the first occurrences in one pass at the end gives the same
// collection as removing at once, without shifting the list once per failure.
template <class Entry>
void RemoveFirstOccurrences(std::vector<Entry>& folders, QHash<QString, qsizetype>& removals) {
    if (removals.isEmpty())
        return;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const auto pending = removals.find(PathOf(folders[i]).toString());
        if (pending != removals.end() && *pending > 0) {
            --*pending;
            continue;
        }
        if (kept != i)
            folders[kept] = std::move(folders[i]);
        ++kept;
    }
    folders.erase(folders.begin() + static_cast<std::ptrdiff_t>(kept), folders.end());
}

class Walker {
public:
    Walker(FileSystem& fileSystem, const std::function<void()>& pump, const FailureReport& report,
           const std::function<void(int)>& progress = {},
           const std::function<bool()>& stopRequested = {})
        : m_fileSystem(fileSystem), m_rules(fileSystem.rules()), m_pump(pump), m_report(report),
          m_progress(progress), m_stopRequested(stopRequested) {}

    // The walk; returns where in folders the entries its merge phase appended begin. Those were
    // vetted there, so a caller's merge takes them as they are.
    template <class Entry> qsizetype walk(std::vector<Entry>& folders, bool includeAllLevels) {
        ErrorTrap trap(QString::fromUtf16(kGetSubDirectoriesLabel), m_report);
        trap.reach(WalkStep::Start);
        std::vector<FoundFolder> found;
        QHash<QString, qsizetype> removals;
        // Indices and copies only: pump lets other handlers run, and nothing here may point into
        // storage they could change.
        const std::size_t listed = folders.size();
        // Each folder of the level is walked once at most: grown once, not rehashed as it fills.
        m_walked.reserve(m_walked.size() + static_cast<qsizetype>(listed));
        for (std::size_t i = 0; i < listed && !stopped(); ++i)
            trap.step(WalkStep::ExamineEntry,
                      [&] { walkFolder(folders[i], found, removals, trap); });
        trap.step(WalkStep::RemoveUnreadable, [&] { RemoveFirstOccurrences(folders, removals); });

        qsizetype examined = static_cast<qsizetype>(found.size());
        trap.step(WalkStep::Descend, [&] {
            if (includeAllLevels && !found.empty() && !stopped())
                examined = walk(found, true);
        });
        const qsizetype appended = static_cast<qsizetype>(folders.size());
        merge(folders, found, examined, trap);
        return appended;
    }

private:
    // Asked before each folder is listed; once asked to stop, stays stopped, so the levels above
    // list nothing more either.
    bool stopped() {
        if (!m_stopped && m_stopRequested)
            m_stopped = m_stopRequested();
        return m_stopped;
    }

    // One folder of the list phase: its subfolders join found, in the host's listing order. One
    // that cannot be read is counted for removal; any other failure ends its walk and nothing
    // more.
    template <class Entry>
    void walkFolder(const Entry& entry, std::vector<FoundFolder>& found,
                    QHash<QString, qsizetype>& removals, ErrorTrap& trap) {
        // Joined where the last folder's path was: most folders have no subfolders, and theirs is
        // let go at once.
        const QString& folder = PathOf(entry).joined(m_joined);
        // A folder met in a listing is known from it; one passed in is asked about, and the same
        // answer serves the folder test and the attribute test.
        std::optional<int> bits;
        if constexpr (kFromListing<Entry>)
            bits = m_rules.listingsTellKinds ? entry.attributes : m_fileSystem.attributes(folder);
        else
            bits = m_fileSystem.attributes(folder);
        if (!IsFolderBits(bits))
            return;
        trap.reach(WalkStep::CheckPathLength);
        if (!m_rules.shorterThan(folder, m_rules.pathBound))
            return;
        trap.reach(WalkStep::PumpBeforeListing);
        Pump(m_pump);
        // Asked to stop while the window worked: this folder is not begun.
        if (stopped())
            return;
        try {
            trap.reach(WalkStep::TestAttributes);
            if (!PassesAttributeTest(m_fileSystem, folder, bits))
                return;
            trap.reach(WalkStep::ListSubfolders);
            // A link met below a chosen folder is listed, never walked into: no loops, and
            // nothing renamed outside the tree that was chosen.
            if constexpr (kFromListing<Entry>) {
                if (entry.link)
                    return;
            }
            const FolderListing listing =
                m_fileSystem.list(folder, kFromListing<Entry> ? FileSystem::Through::NoLink
                                                              : FileSystem::Through::Link);
            if (!walkedFirst(listing.identity, PathOf(entry), folder)) {
                ++removals[folder];
                return;
            }
            takeSubfolders(listing, folder, found);
        } catch (const Failure& failure) {
            if (MeansUnreadable(failure))
                ++removals[folder];
        }
    }

    // Reached a second time under another path (a bind mount of a folder of the tree, a
    // bind-mount loop): one folder, one row. The same path given twice is the caller's to repeat.
    bool walkedFirst(const FileIdentity& identity, const ListedPath& path, const QString& folder) {
        // One lookup per folder: a slot found empty is this folder's first visit.
        ListedPath& walked = m_walked[identity];
        if (walked.isEmpty()) {
            walked = path;
            return true;
        }
        return walked.toString() == folder;
    }

    void takeSubfolders(const FolderListing& listing, const QString& folder,
                        std::vector<FoundFolder>& found) {
        // Made when the first subfolder is met, at its size: their rows share it as their
        // parent's path.
        QString parent;
        for (const DirectoryEntry& entry : listing.entries) {
            if (!entry.isFolder())
                continue;
            Pump(m_pump);
            if (std::optional<ListedPath> path = take(entry, folder, parent)) {
                found.push_back({std::move(*path), entry.attributes,
                                 entry.kind == EntryKind::FolderLink, entry.identity});
                if (m_progress)
                    m_progress(++m_found);
            }
        }
    }

    // The path of one subfolder of folder, whose rows share parent; none where it is left out.
    std::optional<ListedPath> take(const DirectoryEntry& entry, const QString& folder,
                                   QString& parent) const {
        if (!IsTakenName(entry.name, m_rules))
            return std::nullopt;
        // Sized once: a list keeps every name for as long as it holds the row.
        QString name;
        name.reserve(entry.name.size() + 1);
        name.append(entry.name).append(m_rules.separator);
        if (parent.isNull())
            parent = QString(folder.constData(), folder.size());
        ListedPath path(parent, std::move(name));
        if (!m_rules.shorterThan(path, m_rules.pathLimit))
            return std::nullopt;
        return path;
    }

    // The merge phase: a found folder joins folders where it is still a folder and passes the
    // attribute test. Those from examined on were vetted by the descent's own merge.
    template <class Entry>
    void merge(std::vector<Entry>& folders, std::vector<FoundFolder>& found, qsizetype examined,
               ErrorTrap& trap) {
        for (qsizetype i = 0; i < static_cast<qsizetype>(found.size()); ++i) {
            if (i >= examined) {
                appendAll(folders, found, i);
                break;
            }
            trap.step(WalkStep::MergeEntry, [&] {
                if (stillPasses(found[static_cast<std::size_t>(i)], trap))
                    Append(folders, found[static_cast<std::size_t>(i)]);
            });
        }
    }

    bool stillPasses(const FoundFolder& found, ErrorTrap& trap) {
        // Asked of the disk only where the listing did not tell.
        const auto folder = [&] { return found.path.toString(); };
        // Where the listing told what each entry is, that answer is a moment old; where it did
        // not, the folder is asked, and may have gone meanwhile.
        const bool known = m_rules.listingsTellKinds;
        if (!IsFolderBits(known ? found.attributes : m_fileSystem.attributes(folder())))
            return false;
        trap.reach(WalkStep::PumpBeforeMerging);
        Pump(m_pump);
        trap.reach(WalkStep::AppendPassing);
        return PassesAttributeTest(m_fileSystem, folder(),
                                   known ? found.attributes : m_fileSystem.attributes(folder()));
    }

    // Each level is given up as soon as it has joined the one above: one copy of each path.
    template <class Entry>
    static void appendAll(std::vector<Entry>& to, std::vector<FoundFolder>& from, qsizetype first) {
        to.reserve(to.size() + from.size() - static_cast<std::size_t>(first));
        for (auto i = static_cast<std::size_t>(first); i < from.size(); ++i)
            Append(to, from[i]);
        from = std::vector<FoundFolder>();
    }

    FileSystem& m_fileSystem;
    const HostRules& m_rules;
    const std::function<void()>& m_pump;
    const FailureReport& m_report;
    const std::function<void(int)>& m_progress;
    const std::function<bool()>& m_stopRequested;
    bool m_stopped = false;
    int m_found = 0;
    // The rows' own texts: no path is kept twice.
    QHash<FileIdentity, ListedPath> m_walked;
    // Where each folder's path is joined to be listed.
    QString m_joined;
};

} // namespace

void GetSubDirectories2016(std::vector<ListedPath>& folders, bool includeAllLevels,
                           FileSystem& fileSystem, const std::function<void()>& pump,
                           const FailureReport& report) {
    Walker(fileSystem, pump, report).walk(folders, includeAllLevels);
}

void GetSubDirectories2016(std::vector<WalkedFolder>& folders, bool includeAllLevels,
                           FileSystem& fileSystem, const std::function<void()>& pump,
                           const FailureReport& report, const std::function<void(int)>& progress,
                           const std::function<bool()>& stopRequested) {
    Walker(fileSystem, pump, report, progress, stopRequested).walk(folders, includeAllLevels);
}

void GetSubDirectories2016(QStringList& folders, bool includeAllLevels, FileSystem& fileSystem,
                           const std::function<void()>& pump, const FailureReport& report) {
    std::vector<ListedPath> paths(folders.begin(), folders.end());
    GetSubDirectories2016(paths, includeAllLevels, fileSystem, pump, report);
    folders.clear();
    folders.reserve(static_cast<qsizetype>(paths.size()));
    for (const ListedPath& path : paths)
        folders.append(path.toString());
}

} // namespace tarnwick
