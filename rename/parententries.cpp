#include "rename/parententries.h"

#include "common/failure.h"
#include "common/sametext.h"
#include "rename/renameplan.h"

#include <algorithm>
#include <utility>

namespace tarnwick {

namespace {

// As compare(Qt::CaseInsensitive) == 0, without folding what plain ASCII already tells. Folding
// keeps every character's length, so texts of different lengths never match.
bool SameIgnoringCase(QStringView a, QStringView b) {
    if (a.size() != b.size())
        return false;
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    // Names in one folder often share their start ("IMG_0041", "IMG_0042"): their ends tell
    // them apart at once.
    if (!a.isEmpty()) {
        const char16_t x = a.back().unicode();
        const char16_t y = b.back().unicode();
        if (x < 0x80 && y < 0x80 && lower(x) != lower(y))
            return false;
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        if (x == y)
            continue;
        if (x >= 0x80 || y >= 0x80) {
            // From the whole character: its first half may be the one the texts share.
            const qsizetype from = i > 0 && a[i].isLowSurrogate() ? i - 1 : i;
            return a.mid(from).compare(b.mid(from), Qt::CaseInsensitive) == 0;
        }
        if (lower(x) != lower(y))
            return false;
    }
    return true;
}

// The same for names that are one in any letter case, made without folding the name into a new
// text: each character folded alone, as SameIgnoringCase compares them.
std::size_t FoldedHash(QStringView name) {
    std::size_t hash = 14695981039346656037ull;
    const auto mix = [&](char32_t c) { hash = (hash ^ c) * 1099511628211ull; };
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (c < 0x80) {
            mix(c >= u'A' && c <= u'Z' ? char32_t(c + 32) : char32_t(c));
            continue;
        }
        char32_t code = c;
        if (QChar::isHighSurrogate(c) && i + 1 < name.size() && name[i + 1].isLowSurrogate())
            code = QChar::surrogateToUcs4(c, name[++i].unicode());
        mix(QChar::toCaseFolded(code));
    }
    return hash;
}

} // namespace

EntryIndex::EntryIndex(std::vector<DirectoryEntry> entries) : m_entries(std::move(entries)) {}

EntryIndex::Hashes& EntryIndex::hashes() const {
    if (!m_hashes) {
        m_hashes.emplace();
        m_hashes->first.reserve(static_cast<qsizetype>(m_entries.size()));
        m_hashes->next.assign(m_entries.size(), kNone);
        m_hashes->keys.resize(m_entries.size());
        for (std::uint32_t at = 0; at < m_entries.size(); ++at)
            chain(*m_hashes, at);
        m_unhashed.reset();
    }
    if (m_unhashed) {
        const std::uint32_t at = *m_unhashed;
        m_unhashed.reset();
        if (FoldedHash(m_entries[at].name) != m_hashes->keys[at]) {
            // Taken out of the chain of the hash it had.
            std::uint32_t* link = &m_hashes->first[m_hashes->keys[at]];
            while (*link != at)
                link = &m_hashes->next[*link];
            *link = m_hashes->next[at];
            if (m_hashes->first.value(m_hashes->keys[at]) == kNone)
                m_hashes->first.remove(m_hashes->keys[at]);
            chain(*m_hashes, at);
        }
    }
    return *m_hashes;
}

void EntryIndex::chain(Hashes& hashes, std::uint32_t at) const {
    const std::size_t key = FoldedHash(m_entries[at].name);
    hashes.keys[at] = key;
    const auto first = hashes.first.find(key);
    if (first == hashes.first.end()) {
        hashes.first.insert(key, at);
        hashes.next[at] = kNone;
    } else {
        hashes.next[at] = *first;
        *first = at;
    }
}

template <class Test>
const DirectoryEntry* EntryIndex::firstOf(const QString& name, Test test) const {
    if (!hashed()) {
        const auto entry = std::find_if(m_entries.begin(), m_entries.end(),
                                        [&](const DirectoryEntry& e) { return test(e.name); });
        return entry == m_entries.end() ? nullptr : &*entry;
    }
    const Hashes& index = hashes();
    for (std::uint32_t at = index.first.value(FoldedHash(name), kNone); at != kNone;
         at = index.next[at]) {
        if (test(m_entries[at].name))
            return &m_entries[at];
    }
    return nullptr;
}

const DirectoryEntry* EntryIndex::find(const QString& name) const {
    // A rename asks about its folder's name several times, in the same string.
    if (m_asked.isNull() || !SameText(name, m_asked)) {
        const DirectoryEntry* entry =
            firstOf(name, [&](const QString& other) { return other == name; });
        m_foundAt = entry ? entry - m_entries.data() : -1;
        m_asked = name;
    }
    return m_foundAt < 0 ? nullptr : &m_entries[static_cast<std::size_t>(m_foundAt)];
}

bool EntryIndex::othersBear(const QString& name, const QString& self) const {
    return name != self && find(name);
}

bool EntryIndex::othersBearIgnoringCase(const QString& name, const QString& self) const {
    return firstOf(
        name, [&](const QString& other) { return SameIgnoringCase(other, name) && other != self; });
}

bool EntryIndex::sameIgnoringCase(const QString& a, const QString& b) {
    return SameIgnoringCase(a, b);
}

void EntryIndex::renamed(const QString& from, const QString& to) {
    // Renamed again before anything was asked: the hashes take both renames at once.
    if (m_unhashed && m_entries[*m_unhashed].name == from) {
        m_entries[*m_unhashed].name = to;
        m_asked = QString();
        return;
    }
    const DirectoryEntry* entry = find(from);
    m_asked = QString();
    if (!entry)
        return;
    const auto at = static_cast<std::uint32_t>(entry - m_entries.data());
    m_entries[at].name = to;
    if (m_hashes)
        m_unhashed = at;
}

ParentEntries::~ParentEntries() = default;

ParentEntries::Parent* ParentEntries::known(const QString& onDisk) {
    if (m_last && SameText(onDisk, m_lastPath)) {
        m_last->used = ++m_clock;
        return m_last;
    }
    const auto parent = m_parents.find(onDisk);
    if (parent == m_parents.end())
        return nullptr;
    parent->second.used = ++m_clock;
    m_last = &parent->second;
    m_lastPath = parent->first;
    return m_last;
}

Result<std::optional<QString>> ParentEntries::find(const QString& listed) {
    // A parent held under its listed path is that very folder, on any disk.
    if (known(listed))
        return std::optional<QString>(m_lastPath);
    if (const auto found = m_found.find(listed); found != m_found.end()) {
        if (const auto parent = m_parents.find(found->second); parent != m_parents.end()) {
            parent->second.used = ++m_clock;
            return std::optional<QString>(found->second);
        }
        m_found.erase(found);
    }
    std::unique_ptr<OpenFolder> folder;
    std::optional<EntryIndex> entries;
    // Reading it tells whether it is a folder too. One that is there but may not be read is told
    // as such; one that cannot be read for any other reason (no folder, a path too long to
    // address) is not there for the run.
    const Result<void> read = Attempt([&] {
        folder = open(listed);
        if (folder)
            entries.emplace(folder->entries());
    });
    if (!read && read.failure().number() == failure_code::kPermissionDenied)
        return read.failure();
    if (!read || !folder)
        return std::optional<QString>();
    const QString onDisk = folder->path();
    if (onDisk != listed && !foundAsTheHostWould(listed, onDisk))
        return std::optional<QString>();
    hold(onDisk, std::move(folder), std::move(entries));
    if (onDisk != listed)
        m_found.insert_or_assign(listed, onDisk);
    return std::optional<QString>(onDisk);
}

// A list stands deepest first: sibling parents come together, and their own parent, held, spares
// the host finding each of them from the root.
std::unique_ptr<OpenFolder> ParentEntries::open(const QString& listed) {
    const QChar separator = m_fileSystem.separator();
    const qsizetype cut = LeafStart(listed, separator);
    const qsizetype end = listed.endsWith(separator) ? listed.size() - 1 : listed.size();
    if (cut <= 0 || cut >= end)
        return m_fileSystem.open(listed);
    const QStringView above = QStringView(listed).left(cut);
    if (m_abovePath != above) {
        m_above.reset();
        m_abovePath = above.toString();
        // Only a parent found as written is reached from: anything else is found by its path.
        Result<std::unique_ptr<OpenFolder>> opened =
            Attempt([&] { return m_fileSystem.open(m_abovePath); });
        if (opened && *opened && (*opened)->path() == m_abovePath)
            m_above = std::move(*opened);
    }
    if (!m_above)
        return m_fileSystem.open(listed);
    return m_fileSystem.openInside(*m_above, listed.sliced(cut, end - cut));
}

bool ParentEntries::foundAsTheHostWould(const QString& listed, const QString& onDisk) {
    const QChar separator = m_fileSystem.separator();
    // Found component by component: both have their separators at the same places.
    if (listed.size() != onDisk.size())
        return false;
    qsizetype start = 0;
    for (qsizetype end = onDisk.indexOf(separator, 1); end > 0;
         start = end + 1, end = onDisk.indexOf(separator, end + 1)) {
        const QStringView name = QStringView(onDisk).sliced(start, end - start);
        if (name == QStringView(listed).sliced(start, end - start))
            continue;
        const QStringView path = QStringView(onDisk).left(end + 1);
        if (!renamedTo(qHash(path)) &&
            !m_fileSystem.lookupIgnoresCase(onDisk.left(start), name.toString()))
            return false;
    }
    return true;
}

bool ParentEntries::renamedTo(std::size_t pathHash) {
    const auto sorted = m_renamedTo.begin() + static_cast<std::ptrdiff_t>(m_renamedToSorted);
    if (sorted != m_renamedTo.end()) {
        std::sort(sorted, m_renamedTo.end());
        std::inplace_merge(m_renamedTo.begin(), sorted, m_renamedTo.end());
        m_renamedToSorted = m_renamedTo.size();
    }
    return std::binary_search(m_renamedTo.begin(), m_renamedTo.end(), pathHash);
}

// A parent that cannot be found or read is not told here: the run's own step tells it.
OpenFolder* ParentEntries::foundFolder(const QString& listed) {
    const Result<std::optional<QString>> onDisk = find(listed);
    if (!onDisk || !*onDisk)
        return nullptr;
    const Result<Parent*> parent = held(**onDisk);
    return parent ? (*parent)->folder.get() : nullptr;
}

bool ParentEntries::reachedWithoutLinks(const QString& listed) {
    OpenFolder* folder = foundFolder(listed);
    return folder && folder->reachedWithoutLinks();
}

std::optional<FileIdentity> ParentEntries::listedIdentity(const QString& listed) {
    OpenFolder* folder = foundFolder(listed);
    return folder ? folder->listedIdentity() : std::nullopt;
}

ParentEntries::Parent& ParentEntries::hold(const QString& onDisk,
                                           std::unique_ptr<OpenFolder> folder,
                                           std::optional<EntryIndex> entries) {
    const auto at =
        m_parents.insert_or_assign(onDisk, Parent{std::move(folder), std::move(entries), ++m_clock})
            .first;
    // The one just held is the most recently used, and stays.
    keepFew();
    m_last = &at->second;
    m_lastPath = at->first;
    return at->second;
}

Result<ParentEntries::Parent*> ParentEntries::held(const QString& onDisk) {
    if (Parent* parent = known(onDisk))
        return parent;
    Result<std::unique_ptr<OpenFolder>> folder = Attempt([&] { return m_fileSystem.open(onDisk); });
    if (!folder)
        return folder.failure();
    if (!*folder)
        return PathNotFound();
    return &hold(onDisk, std::move(*folder), std::nullopt);
}

Result<EntryIndex*> ParentEntries::entries(const QString& parent) {
    const Result<Parent*> known = held(parent);
    if (!known)
        return known.failure();
    Parent& held = **known;
    if (!held.entries) {
        Result<std::vector<DirectoryEntry>> read = Attempt([&] { return held.folder->entries(); });
        if (!read)
            return read.failure();
        held.entries.emplace(std::move(*read));
    }
    return &*held.entries;
}

Result<void> ParentEntries::rename(const QString& parent, const QString& from, const QString& to) {
    const Result<Parent*> known = held(parent);
    if (!known)
        return known.failure();
    Parent& held = **known;
    if (const Result<void> renamed = Attempt([&] { held.folder->rename(from, to); }); !renamed)
        return renamed;
    if (held.entries)
        held.entries->renamed(from, to);
    m_below.truncate(0);
    m_renamedTo.push_back(
        qHash(m_below.append(parent).append(to).append(m_fileSystem.separator())));
    // Nothing is ever read below the intermediate name of the folder's new name.
    const QStringView suffix(kIntermediateSuffix);
    if (from.size() != to.size() + suffix.size() || !from.startsWith(to) || !from.endsWith(suffix))
        dropBelow(parent, from);
    return {};
}

bool ParentEntries::lookupIgnoresCase(const QString& parent, const QString& probe) {
    const Result<Parent*> known = held(parent);
    return !known || (*known)->folder->lookupIgnoresCase(probe);
}

bool ParentEntries::identitiesLast(const QString& parent) {
    const Result<Parent*> known = held(parent);
    return known && (*known)->folder->identitiesLast();
}

void ParentEntries::forget(const QString& parent) {
    if (const auto known = m_parents.find(parent); known != m_parents.end())
        known->second.entries.reset();
}

void ParentEntries::dropBelow(const QString& parent, const QString& name) {
    // Kept between calls, so that its room is reused.
    m_below.truncate(0);
    m_below.append(parent).append(name).append(m_fileSystem.separator());
    const auto below = [&](const QString& known) { return known.startsWith(m_below); };
    for (auto at = m_parents.lower_bound(m_below); at != m_parents.end() && below(at->first);) {
        if (&at->second == m_last)
            m_last = nullptr;
        at = m_parents.erase(at);
    }
    for (auto found = m_found.lower_bound(m_below); found != m_found.end() && below(found->first);)
        found = m_found.erase(found);
    if (below(m_abovePath)) {
        m_above.reset();
        m_abovePath.clear();
    }
}

// Folders held open cost the host a descriptor each: the least recently used are let go.
void ParentEntries::keepFew() {
    while (m_parents.size() > kKept) {
        const auto oldest =
            std::min_element(m_parents.begin(), m_parents.end(), [](const auto& a, const auto& b) {
                return a.second.used < b.second.used;
            });
        std::erase_if(m_found, [&](const auto& found) { return found.second == oldest->first; });
        if (&oldest->second == m_last)
            m_last = nullptr;
        m_parents.erase(oldest);
    }
}

} // namespace tarnwick
