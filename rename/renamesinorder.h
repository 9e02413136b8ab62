#pragma once

#include "rename/lastrun.h"

#include <QHashFunctions>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tarnwick {

// The renames of a pass in the order they were told, the record that undo takes back; asked what
// a folder of one parent became, it finds it among that parent's renames, sorted by name.
class RenamesInOrder {
public:
    // The renames made in one parent: a range of the sorted renames.
    struct InParent {
        std::uint32_t first = 0;
        std::uint32_t last = 0;
    };

    RenamesInOrder() = default;
    explicit RenamesInOrder(std::vector<RenamedFolder> folders) : m_told(std::move(folders)) {}

    void reserve(std::size_t count) { m_told.reserve(count); }
    bool isEmpty() const { return m_told.empty(); }
    const std::vector<RenamedFolder>& told() const { return m_told; }
    void add(RenamedFolder folder) { m_told.push_back(std::move(folder)); }

    // The renames made in the parent at this path, which ends with the separator.
    InParent madeIn(QStringView parent);
    // What the folder named name became among renames of one parent, a name ending with the
    // separator; null if it was not renamed there.
    const QString* became(InParent renames, QStringView name) const;
    // The renames in the order told, handed over once.
    std::vector<RenamedFolder> take();

private:
    // Sorts the renames by parent, then name, and finds each parent's among them.
    void sort();

    std::vector<RenamedFolder> m_told;
    // Positions in m_told, by parent and then by name; made at the first question after a rename
    // was told.
    std::vector<std::uint32_t> m_byParentThenName;
    struct ViewHash {
        std::size_t operator()(QStringView text) const { return qHash(text); }
    };
    // Views of the parents' own strings in m_told: where the renames of each lie in
    // m_byParentThenName.
    std::unordered_map<QStringView, InParent, ViewHash> m_madeIn;
};

} // namespace tarnwick
