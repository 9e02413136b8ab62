#include "rename/parententries.h"

#include "common/failure.h"
#include "rename/renameplan.h"

#include <utility>

namespace tarnwick {

EntryIndex::EntryIndex(std::vector<DirectoryEntry> entries) : m_entries(std::move(entries)) {
    m_byName.reserve(static_cast<qsizetype>(m_entries.size()));
    for (qsizetype at = 0; at < static_cast<qsizetype>(m_entries.size()); ++at)
        index(at);
}

void EntryIndex::index(qsizetype at) {
    const QString& name = m_entries[static_cast<std::size_t>(at)].name;
    m_byName.insert(name, at);
    ++m_folded[name.toCaseFolded()];
}

const DirectoryEntry* EntryIndex::find(const QString& name) const {
    const auto at = m_byName.constFind(name);
    return at == m_byName.constEnd() ? nullptr : &m_entries[static_cast<std::size_t>(*at)];
}

bool EntryIndex::othersBear(const QString& name, const QString& self) const {
    return name != self && m_byName.contains(name);
}

bool EntryIndex::othersBearIgnoringCase(const QString& name, const QString& self) const {
    const bool selfCounts = m_byName.contains(self) && self.compare(name, Qt::CaseInsensitive) == 0;
    return m_folded.value(name.toCaseFolded()) - (selfCounts ? 1 : 0) > 0;
}

void EntryIndex::renamed(const QString& from, const QString& to) {
    const auto at = m_byName.constFind(from);
    if (at == m_byName.constEnd())
        return;
    const qsizetype position = *at;
    m_byName.erase(at);
    const auto count = m_folded.find(from.toCaseFolded());
    if (count != m_folded.end() && --*count <= 0)
        m_folded.erase(count);
    m_entries[static_cast<std::size_t>(position)].name = to;
    index(position);
}

ParentEntries::Parent& ParentEntries::remember(const QString& listed) {
    for (auto parent = m_parents.begin(); parent != m_parents.end(); ++parent) {
        if (parent->listed == listed) {
            m_parents.splice(m_parents.begin(), m_parents, parent);
            return m_parents.front();
        }
    }
    if (m_parents.size() >= kKept)
        m_parents.pop_back();
    m_parents.push_front({listed, QString(), std::nullopt});
    return m_parents.front();
}

std::optional<QString> ParentEntries::find(const QString& listed) {
    Parent& parent = remember(listed);
    if (!parent.onDisk.isEmpty())
        return parent.onDisk;
    const auto forget = [&] {
        m_parents.remove_if([&](const Parent& known) { return known.listed == listed; });
    };
    std::optional<QString> found = m_fileSystem.findIgnoringCase(listed);
    if (!found) {
        forget();
        return std::nullopt;
    }
    const QChar separator = m_fileSystem.separator();
    if (!found->endsWith(separator))
        *found += separator;
    // Reading it tells whether it is a folder too. One that is there but may not be read is told
    // as such; one that cannot be read for any other reason (no folder, a path too long to
    // address) is not there for the run.
    try {
        parent.entries.emplace(m_fileSystem.list(*found).entries);
    } catch (const Failure& failure) {
        forget();
        if (failure.number() == failure_code::kPermissionDenied)
            throw;
        return std::nullopt;
    }
    parent.onDisk = *found;
    return found;
}

ParentEntries::Parent* ParentEntries::onDisk(const QString& path) {
    for (Parent& parent : m_parents) {
        if (parent.onDisk == path)
            return &parent;
    }
    return nullptr;
}

EntryIndex& ParentEntries::entries(const QString& parent) {
    Parent* known = onDisk(parent);
    if (!known) {
        m_parents.push_front({parent, parent, std::nullopt});
        known = &m_parents.front();
    }
    if (!known->entries)
        known->entries.emplace(m_fileSystem.list(parent).entries);
    return *known->entries;
}

void ParentEntries::renamed(const QString& parent, const QString& from, const QString& to) {
    for (Parent& known : m_parents) {
        if (known.onDisk == parent && known.entries)
            known.entries->renamed(from, to);
    }
    // Nothing is ever read below the intermediate name of the folder's new name.
    if (from != to + QString::fromUtf16(kIntermediateSuffix))
        dropBelow(parent + from + m_fileSystem.separator());
}

void ParentEntries::forget(const QString& parent) {
    for (Parent& known : m_parents) {
        if (known.onDisk == parent)
            known.entries.reset();
    }
}

void ParentEntries::dropBelow(const QString& path) {
    const auto below = [&](const QString& known) {
        return known.size() >= path.size() && known.startsWith(path);
    };
    m_parents.remove_if(
        [&](const Parent& parent) { return below(parent.onDisk) || below(parent.listed); });
}

} // namespace tarnwick
