#include "folders/subfolderwalk.h"

#include "common/failure.h"
#include "common/listedpath.h"
#include "common/pathtext.h"
#include "platform/filesystem.h"

#include <QHash>
#include <optional>
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

// One level of the walk: folder paths and, for folders met in a listing, the attributes the
// listing gave them. The folders the caller passed in have none: they are asked of the disk.
struct Listed {
    int attributes = 0;
    bool link = false;
};
struct Level {
    // Below the first level each path is its parent's path, shared by its siblings, and its name.
    std::vector<ListedPath> paths;
    std::vector<Listed> listed;
    bool fromListing = false;

    bool isListed() const { return fromListing; }
};

// Each failure of a path removes the first entry still equal to it. Those removals always fall on
// entries already walked, so taking the first occurrences in one pass at the end gives the same
// collection as removing at once, without shifting the list once per failure.
void RemoveFirstOccurrences(Level& level, QHash<QString, qsizetype>& removals) {
    if (removals.isEmpty())
        return;
    std::vector<ListedPath>& folders = level.paths;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const auto pending = removals.find(folders[i].toString());
        if (pending != removals.end() && *pending > 0) {
            --*pending;
            continue;
        }
        if (kept != i) {
            folders[kept] = std::move(folders[i]);
            if (level.isListed())
                level.listed[kept] = level.listed[i];
        }
        ++kept;
    }
    folders.resize(kept);
    if (level.isListed())
        level.listed.resize(kept);
}

class Walker {
public:
    Walker(FileSystem& fileSystem, const std::function<void()>& pump, const FailureReport& report)
        : m_fileSystem(fileSystem), m_rules(fileSystem.rules()), m_pump(pump), m_report(report) {}

    // The walk; returns where in folders the entries its merge phase appended begin. Those were
    // vetted there, so a caller's merge takes them as they are.
    qsizetype walk(Level& folders, bool includeAllLevels) {
        ErrorTrap trap(QString::fromUtf16(kGetSubDirectoriesLabel), m_report);
        const QChar separator = m_rules.separator;

        trap.reach(100);
        Level found;
        found.fromListing = true;
        QHash<QString, qsizetype> removals;

        // Indices and copies only: pump lets other handlers run, and nothing here may point into
        // storage they could change.
        const qsizetype listed = static_cast<qsizetype>(folders.paths.size());
        for (qsizetype i = 0; i < listed; ++i) {
            trap.step(102, [&] {
                // Joined where the last folder's path was: most folders have no subfolders, and
                // theirs is let go at once.
                const QString& folder = folders.paths[static_cast<size_t>(i)].joined(m_joined);
                // Made when the first subfolder is met, at its size: their rows share it as their
                // parent's path.
                QString parent;
                // A folder met in a listing is known from it; one passed in is asked about, and
                // the same answer serves the folder test and the attribute test.
                const std::optional<int> bits =
                    folders.isListed() && m_rules.listingsTellKinds
                        ? std::optional<int>(folders.listed[static_cast<size_t>(i)].attributes)
                        : m_fileSystem.attributes(folder);
                if (!IsFolderBits(bits))
                    return;
                trap.reach(104);
                if (!m_rules.shorterThan(folder, m_rules.pathBound))
                    return;
                trap.reach(106);
                Pump(m_pump);
                try {
                    trap.reach(108);
                    if (!PassesAttributeTest(m_fileSystem, folder, bits))
                        return;
                    trap.reach(110);
                    // A link met below a chosen folder is listed, never walked into: no loops, and
                    // nothing renamed outside the tree that was chosen.
                    if (folders.isListed() && folders.listed[static_cast<size_t>(i)].link)
                        return;
                    const FolderListing listing =
                        m_fileSystem.list(folder, folders.isListed() ? FileSystem::Through::NoLink
                                                                     : FileSystem::Through::Link);
                    // Reached a second time under another path (a bind mount of a folder of
                    // the tree, a bind-mount loop): one folder, one row. The same path given
                    // twice is the caller's to repeat.
                    const auto walked = m_walked.constFind(listing.identity);
                    if (walked != m_walked.constEnd() && walked->toString() != folder) {
                        ++removals[folder];
                        return;
                    }
                    m_walked.insert(listing.identity, folders.paths[static_cast<size_t>(i)]);
                    for (const DirectoryEntry& entry : listing.entries) {
                        if (!entry.isFolder())
                            continue;
                        Pump(m_pump);
                        if (!IsTakenName(entry.name, m_rules))
                            continue;
                        // Sized once: a list keeps every name for as long as it holds the row.
                        QString name;
                        name.reserve(entry.name.size() + 1);
                        name.append(entry.name).append(separator);
                        if (parent.isNull())
                            parent = QString(folder.constData(), folder.size());
                        ListedPath path(parent, std::move(name));
                        if (!m_rules.shorterThan(path, m_rules.pathLimit))
                            continue;
                        found.paths.push_back(std::move(path));
                        found.listed.push_back(
                            {entry.attributes, entry.kind == EntryKind::FolderLink});
                    }
                } catch (const Failure& failure) {
                    // Any other failure ends the walk of this folder and nothing more.
                    if (MeansUnreadable(failure))
                        ++removals[folder];
                }
            });
        }
        trap.step(112, [&] { RemoveFirstOccurrences(folders, removals); });

        qsizetype examined = static_cast<qsizetype>(found.paths.size());
        trap.step(114, [&] {
            if (includeAllLevels && !found.paths.empty())
                examined = walk(found, true);
        });

        const qsizetype appended = static_cast<qsizetype>(folders.paths.size());
        for (qsizetype i = 0; i < static_cast<qsizetype>(found.paths.size()); ++i) {
            if (i >= examined) {
                appendAll(folders, found, i);
                break;
            }
            trap.step(116, [&] {
                // Asked of the disk only where the listing did not tell.
                const auto folder = [&] { return found.paths[static_cast<size_t>(i)].toString(); };
                // Where the listing told what each entry is, that answer is a moment old; where
                // it did not, the folder is asked, and may have gone meanwhile.
                const bool known = m_rules.listingsTellKinds;
                const int listedBits = found.listed[static_cast<size_t>(i)].attributes;
                if (!IsFolderBits(known ? listedBits : m_fileSystem.attributes(folder())))
                    return;
                trap.reach(118);
                Pump(m_pump);
                trap.reach(120);
                if (PassesAttributeTest(m_fileSystem, folder(),
                                        known ? listedBits : m_fileSystem.attributes(folder())))
                    append(folders, found, i);
            });
        }
        return appended;
    }

private:
    static void append(Level& to, Level& from, qsizetype i) {
        to.paths.push_back(std::move(from.paths[static_cast<size_t>(i)]));
        if (to.isListed())
            to.listed.push_back(from.listed[static_cast<size_t>(i)]);
    }
    // Each level is given up as soon as it has joined the one above: one copy of each path.
    static void appendAll(Level& to, Level& from, qsizetype first) {
        to.paths.reserve(to.paths.size() + from.paths.size() - static_cast<size_t>(first));
        for (qsizetype i = first; i < static_cast<qsizetype>(from.paths.size()); ++i)
            append(to, from, i);
        from.paths = std::vector<ListedPath>();
        from.listed = std::vector<Listed>();
    }

    FileSystem& m_fileSystem;
    const HostRules& m_rules;
    const std::function<void()>& m_pump;
    const FailureReport& m_report;
    // The rows' own texts: no path is kept twice.
    QHash<FileIdentity, ListedPath> m_walked;
    // Where each folder's path is joined to be listed.
    QString m_joined;
};

} // namespace

void GetSubDirectories2016(std::vector<ListedPath>& folders, bool includeAllLevels,
                           FileSystem& fileSystem, const std::function<void()>& pump,
                           const FailureReport& report) {
    Level level{std::move(folders), {}, false};
    Walker(fileSystem, pump, report).walk(level, includeAllLevels);
    folders = std::move(level.paths);
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
