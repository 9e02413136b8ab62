#pragma once

#include "common/result.h"
#include "platform/filesystem.h"

#include <QHash>
#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace tarnwick {

// The entries of one folder as read, indexed for the questions a rename asks: which entry bears
// a name exactly, and whether others bear it in any letter case.
class EntryIndex {
public:
    EntryIndex() = default;
    explicit EntryIndex(std::vector<DirectoryEntry> entries);

    const std::vector<DirectoryEntry>& entries() const { return m_entries; }
    // The entry bearing exactly this name, if any.
    const DirectoryEntry* find(const QString& name) const;
    // Whether an entry other than the one named self bears name exactly.
    bool othersBear(const QString& name, const QString& self) const;
    // Whether an entry other than the one named self bears name in any letter case.
    bool othersBearIgnoringCase(const QString& name, const QString& self) const;
    // Whether two names are one in any letter case, as othersBearIgnoringCase tells them: each
    // character folded alone.
    static bool sameIgnoringCase(const QString& a, const QString& b);

    // After a rename of its own: the entry from bears to now.
    void renamed(const QString& from, const QString& to);

    // Up to this many entries are looked through one by one: quicker than hashing them, and most
    // folders hold fewer.
    static constexpr std::size_t kLookedThrough = 32;

private:
    static constexpr std::uint32_t kNone = UINT32_MAX;
    // The entries by a hash of their names in any letter case: the first of each hash, the
    // others of that hash chained through next. A name is found by its hash, then among the few
    // entries of that hash; a change of letter case alone leaves an entry where it is.
    struct Hashes {
        QHash<std::size_t, std::uint32_t> first;
        std::vector<std::uint32_t> next;
        // The hash each entry is chained under.
        std::vector<std::size_t> keys;
    };
    bool hashed() const { return m_entries.size() > kLookedThrough; }
    // The hashes, the last rename in them.
    Hashes& hashes() const;
    void chain(Hashes& hashes, std::uint32_t at) const;
    // The first entry among those that could bear name in any letter case that passes test.
    template <class Test> const DirectoryEntry* firstOf(const QString& name, Test test) const;

    std::vector<DirectoryEntry> m_entries;
    // Made at the first question.
    mutable std::optional<Hashes> m_hashes;
    // An entry renamed since the hashes were last brought up to date: a folder renamed through
    // an intermediate name is renamed again before anything is asked, and usually ends under
    // the hash it had.
    mutable std::optional<std::uint32_t> m_unhashed;
    // The name last looked for, kept so that its string is not reused for another, and where
    // the entry bearing it is.
    mutable QString m_asked;
    mutable std::ptrdiff_t m_foundAt = -1;
};

// What one run holds of the parents of the folders it renames: each parent found on disk, opened
// and read once, renamed inside through what was opened, kept true through the run's own renames,
// read again after a rename in it failed, and let go with the run. Nothing is trusted beyond the
// run.
class ParentEntries {
public:
    explicit ParentEntries(FileSystem& fileSystem) : m_fileSystem(fileSystem) {}
    ~ParentEntries();
    ParentEntries(const ParentEntries&) = delete;
    ParentEntries& operator=(const ParentEntries&) = delete;

    // The parent listed as this path, as it is on disk now (a folder renamed earlier in the run
    // may have changed its letter case); none when it is not there. Ends with the separator.
    // Fails when it is there but cannot be read.
    Result<std::optional<QString>> find(const QString& listed);
    // True when the parent listed as this path was found, and reached without a symbolic link on
    // the way: no folder above it leads elsewhere. False where that cannot be told.
    bool reachedWithoutLinks(const QString& listed);
    // What the host says the parent listed as this path is, found as find() finds it, where that
    // can be compared with what it was listed as; none elsewhere.
    std::optional<FileIdentity> listedIdentity(const QString& listed);
    // The entries of a parent found by find(), or why they cannot be read.
    Result<EntryIndex*> entries(const QString& parent);

    // Renames the entry from to the name to inside a parent found by find(); what was read below
    // the old name is let go. Fails as FileSystem::renameFolder does.
    Result<void> rename(const QString& parent, const QString& from, const QString& to);
    // Whether the host's lookup inside a parent found by find() ignores letter case, as the host
    // answers for probe, one of its entries; true where that cannot be told.
    bool lookupIgnoresCase(const QString& parent, const QString& probe);
    // Whether the entries' identities in a parent found by find() are as they were listed.
    bool identitiesLast(const QString& parent);
    // After a rename in parent failed: the entries are read again at the next question.
    void forget(const QString& parent);

private:
    struct Parent {
        std::unique_ptr<OpenFolder> folder;
        std::optional<EntryIndex> entries;
        quint64 used = 0;
    };
    // A parent listed in one letter case and found in another is taken where the run itself gave
    // the folders on the way their names, or where the host's own lookup ignores case: on a disk
    // that tells case apart, a folder in other case is another folder, never the one listed.
    bool foundAsTheHostWould(const QString& listed, const QString& onDisk);
    // The parent listed as this path, found as find() finds it and held; null when it is not.
    OpenFolder* foundFolder(const QString& listed);
    // The parent held as this path on disk, opened now if it is not.
    Result<Parent*> held(const QString& onDisk);
    // Holds a parent just opened, letting go of the least recently used past the bound.
    Parent& hold(const QString& onDisk, std::unique_ptr<OpenFolder> folder,
                 std::optional<EntryIndex> entries);
    // The folder at the listed path, opened inside its own parent where that is held.
    std::unique_ptr<OpenFolder> open(const QString& listed);
    // Lets go of what is held at or below parent + name + separator.
    void dropBelow(const QString& parent, const QString& name);
    void keepFew();
    // The parent held as this path on disk, if it is; null otherwise. The last one asked about
    // is known without a lookup: rows of one parent come together, and each asks several times.
    Parent* known(const QString& onDisk);

    FileSystem& m_fileSystem;
    // By the path on disk, in order, so that everything below a path is one range. A list stands
    // deepest first, so the rows of one parent come together and few parents are in use at once.
    std::map<QString, Parent> m_parents;
    // The path on disk of each held parent that was listed in other letter case.
    std::map<QString, QString> m_found;
    quint64 m_clock = 0;
    // The node of the parent last asked about, and its key; null when let go.
    Parent* m_last = nullptr;
    QString m_lastPath;
    // The parent of the parents opened last, held so that each of them is reached by its name
    // alone; null, with its path kept, when it could not be opened as listed.
    std::unique_ptr<OpenFolder> m_above;
    QString m_abovePath;
    // Reused for the paths looked up below a renamed folder.
    QString m_below;
    // Whether the run's renames gave a folder the path with this hash.
    bool renamedTo(std::size_t pathHash);
    // Hashes of the paths the run's renames gave folders: a few bytes a folder, where the paths
    // themselves would double a large run's memory. Asked only of a parent found in other letter
    // case, which is rare: kept in the order told, and sorted when asked.
    std::vector<std::size_t> m_renamedTo;
    std::size_t m_renamedToSorted = 0;
    static constexpr std::size_t kKept = 16;
};

} // namespace tarnwick
