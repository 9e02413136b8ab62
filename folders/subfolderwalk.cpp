#include "folders/subfolderwalk.h"

#include "common/failure.h"
#include "common/listedpath.h"
#include "common/pathtext.h"
#include "platform/filesystem.h"

#include <QHash>
#include <QSet>
#include <memory>
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

    // The walk: folders gains every folder below its own, level by level.
    template <class Entry> void walk(std::vector<Entry>& folders, bool includeAllLevels) {
        ErrorTrap trap(QString::fromUtf16(kGetSubDirectoriesLabel), m_report);
        trap.reach(WalkStep::Start);
        std::vector<FoundFolder> found;
        QHash<QString, qsizetype> removals;
        // Indices and copies only: pump lets other handlers run, and nothing here may point into
        // storage they could change.
        const std::size_t listed = folders.size();
        for (std::size_t i = 0; i < listed && !stopped(); ++i)
            trap.step(WalkStep::ExamineEntry,
                      [&] { walkFolder(folders[i], found, removals, trap); });
        trap.step(WalkStep::RemoveUnreadable, [&] { RemoveFirstOccurrences(folders, removals); });

        trap.step(WalkStep::Descend, [&] {
            if (includeAllLevels && !found.empty() && !stopped())
                walk(found, true);
        });
        merge(found, trap);
        // Each level waits, merged, until the first level's has joined the folders passed in:
        // then every level joins them once, in order, instead of each joining the one above.
        if constexpr (kFromListing<Entry>)
            m_deeper.push_back(std::move(found));
        else
            appendLevels(folders, found);
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
            FolderListing listing;
            if constexpr (kFromListing<Entry>)
                listing = listFound(entry, folder);
            else
                listing = m_fileSystem.list(folder, FileSystem::Through::Link);
            if (!walkedFirst(listing, PathOf(entry), folder)) {
                ++removals[folder];
                return;
            }
            takeSubfolders(listing, folder, found);
        } catch (const Failure& failure) {
            if (MeansUnreadable(failure))
                ++removals[folder];
        }
    }

    // A folder met in a listing, reached from its parent held open: siblings are listed one after
    // another, and each is then found by its name alone.
    FolderListing listFound(const FoundFolder& entry, const QString& folder) {
        const QString& parent = entry.path.head();
        const QString& tail = entry.path.tail();
        if (parent.isEmpty() || !parent.endsWith(m_rules.separator) ||
            !tail.endsWith(m_rules.separator))
            return m_fileSystem.list(folder, FileSystem::Through::NoLink);
        if (parent != m_heldPath) {
            m_heldPath = parent;
            try {
                m_held = m_fileSystem.holdForListing(parent, m_held.get());
            } catch (const Failure&) {
                // Each folder inside is listed by its path, and fails as that fails.
                m_held.reset();
            }
        }
        if (!m_held)
            return m_fileSystem.list(folder, FileSystem::Through::NoLink);
        return m_fileSystem.listInside(*m_held, tail.chopped(1), entry.identity);
    }

    // Reached a second time under another path (a bind mount of a folder of the tree, a
    // bind-mount loop): one folder, one row. The same path given twice is the caller's to repeat.
    bool walkedFirst(const FolderListing& listing, const ListedPath& path, const QString& folder) {
        // Within one mount a folder has one parent, so the same folder reached twice means that
        // one of the two ways, or a folder above it, was entered otherwise: a folder chosen, the
        // root of a mount, one reached by its path. A folder reached inside its parent is
        // therefore compared with those alone, and the others with every folder walked.
        if (listing.reachedInside) {
            if (const auto walked = m_walked.constFind(listing.identity); walked != m_walked.cend())
                return walked->toString() == folder;
            m_inside.push_back(listing.identity);
            return true;
        }
        // Their paths are not kept: a folder entered otherwise that is one of them is a second
        // way to it, as no chosen folder comes after the first folder found inside another.
        for (const FileIdentity& inside : m_inside)
            m_walkedInside.insert(inside);
        m_inside = std::vector<FileIdentity>();
        if (m_walkedInside.contains(listing.identity))
            return false;
        // One lookup per folder: a slot found empty is this folder's first visit.
        ListedPath& walked = m_walked[listing.identity];
        if (walked.isEmpty()) {
            walked = path;
            return true;
        }
        return walked.toString() == folder;
    }

    void takeSubfolders(FolderListing& listing, const QString& folder,
                        std::vector<FoundFolder>& found) {
        // Made when the first subfolder is met, at its size: their rows share it as their
        // parent's path.
        QString parent;
        for (DirectoryEntry& entry : listing.entries) {
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
    std::optional<ListedPath> take(DirectoryEntry& entry, const QString& folder,
                                   QString& parent) const {
        if (!IsTakenName(entry.name, m_rules))
            return std::nullopt;
        // The listing's own text, which has room for the separator where the host made it so;
        // sized once either way: a list keeps every name for as long as it holds the row.
        QString name = std::move(entry.name);
        if (name.capacity() <= name.size())
            name.reserve(name.size() + 1);
        name.append(m_rules.separator);
        if (parent.isNull())
            parent = QString(folder.constData(), folder.size());
        ListedPath path(parent, std::move(name));
        if (!m_rules.shorterThan(path, m_rules.pathLimit))
            return std::nullopt;
        return path;
    }

    // The merge phase: a found folder stays where it is still a folder and passes the attribute
    // test.
    void merge(std::vector<FoundFolder>& found, ErrorTrap& trap) {
        std::size_t kept = 0;
        for (std::size_t i = 0; i < found.size(); ++i) {
            bool passes = false;
            trap.step(WalkStep::MergeEntry, [&] { passes = stillPasses(found[i], trap); });
            if (!passes)
                continue;
            if (kept != i)
                found[kept] = std::move(found[i]);
            ++kept;
        }
        found.erase(found.begin() + static_cast<std::ptrdiff_t>(kept), found.end());
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

    // The first level's found folders, then the deeper levels', each given up as soon as it has
    // joined: one copy of each path.
    template <class Entry>
    void appendLevels(std::vector<Entry>& to, std::vector<FoundFolder>& first) {
        std::size_t count = first.size();
        for (const std::vector<FoundFolder>& level : m_deeper)
            count += level.size();
        to.reserve(to.size() + count);
        for (FoundFolder& folder : first)
            Append(to, folder);
        first = std::vector<FoundFolder>();
        // Merged deepest first: the descent's levels finish before the ones above them.
        for (auto level = m_deeper.rbegin(); level != m_deeper.rend(); ++level) {
            for (FoundFolder& folder : *level)
                Append(to, folder);
            *level = std::vector<FoundFolder>();
        }
        m_deeper.clear();
    }

    FileSystem& m_fileSystem;
    const HostRules& m_rules;
    const std::function<void()>& m_pump;
    const FailureReport& m_report;
    const std::function<void(int)>& m_progress;
    const std::function<bool()>& m_stopRequested;
    bool m_stopped = false;
    int m_found = 0;
    // The rows' own texts: no path is kept twice. Folders reached inside their parent wait in
    // m_inside until a folder entered otherwise must be compared with them.
    QHash<FileIdentity, ListedPath> m_walked;
    std::vector<FileIdentity> m_inside;
    QSet<FileIdentity> m_walkedInside;
    // The levels below the first, merged, deepest first.
    std::vector<std::vector<FoundFolder>> m_deeper;
    // Where each folder's path is joined to be listed.
    QString m_joined;
    // The parent of the folders being listed, held while its subfolders are.
    QString m_heldPath;
    std::unique_ptr<OpenFolder> m_held;
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
