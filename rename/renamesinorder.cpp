#include "rename/renamesinorder.h"

#include "common/sametext.h"

#include <algorithm>
#include <numeric>

namespace tarnwick {

RenamesInOrder::InParent RenamesInOrder::madeIn(QStringView parent) {
    if (m_told.empty())
        return {};
    if (m_byParentThenName.size() != m_told.size())
        sort();
    const auto renames = m_madeIn.find(parent);
    return renames == m_madeIn.end() ? InParent() : renames->second;
}

const QString* RenamesInOrder::became(InParent renames, QStringView name) const {
    const auto first = m_byParentThenName.begin() + renames.first;
    const auto last = m_byParentThenName.begin() + renames.last;
    // The last told of a path counts, as it is what the folder there became last.
    const auto after = std::upper_bound(first, last, name, [&](QStringView key, std::uint32_t at) {
        return key < QStringView(m_told[at].before);
    });
    if (after == first || QStringView(m_told[*(after - 1)].before) != name)
        return nullptr;
    return &m_told[*(after - 1)].after;
}

std::vector<RenamedFolder> RenamesInOrder::take() {
    m_byParentThenName.clear();
    m_madeIn.clear();
    return std::move(m_told);
}

void RenamesInOrder::sort() {
    // Grouped by parent through the hash, then each parent's renames by name: no comparison of
    // whole paths. Within a group they keep the order they were told in.
    m_madeIn.clear();
    m_madeIn.reserve(m_told.size() / 4 + 1);
    std::vector<std::uint32_t> group(m_told.size());
    std::vector<std::uint32_t> sizes;
    const QString* lastParent = nullptr;
    for (std::uint32_t at = 0; at < m_told.size(); ++at) {
        const QString& parent = m_told[at].parent;
        // Siblings share one string: the hash is asked once for all of them.
        if (!lastParent || !SameText(parent, *lastParent)) {
            const auto [found, added] = m_madeIn.try_emplace(
                QStringView(parent), InParent{static_cast<std::uint32_t>(sizes.size()), 0});
            if (added)
                sizes.push_back(0);
            lastParent = &parent;
            group[at] = found->second.first;
        } else {
            group[at] = group[at - 1];
        }
        ++sizes[group[at]];
    }
    std::vector<std::uint32_t> starts(sizes.size());
    std::exclusive_scan(sizes.begin(), sizes.end(), starts.begin(), 0U);
    for (auto& [parent, renames] : m_madeIn)
        renames = {starts[renames.first], starts[renames.first] + sizes[renames.first]};
    m_byParentThenName.resize(m_told.size());
    for (std::uint32_t at = 0; at < m_told.size(); ++at)
        m_byParentThenName[starts[group[at]]++] = at;
    for (const auto& [parent, renames] : m_madeIn)
        std::stable_sort(
            m_byParentThenName.begin() + renames.first, m_byParentThenName.begin() + renames.last,
            [&](std::uint32_t a, std::uint32_t b) { return m_told[a].before < m_told[b].before; });
}

} // namespace tarnwick
