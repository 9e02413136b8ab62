#pragma once

#include "folders/folderlist.h"
#include "rename/lastrun.h"

#include <QHash>
#include <QHashFunctions>
#include <QMetaObject>
#include <QString>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tarnwick {

// The paths folders bear after a pass of renames that went deepest first, so that a folder's
// subfolders were renamed under its old path.
class FollowedRenames {
public:
    explicit FollowedRenames(QChar separator) : m_separator(separator) {}
    // The renames of a pass, in the order they were done.
    FollowedRenames(QChar separator, std::vector<RenamedFolder> folders)
        : m_separator(separator), m_folders(std::move(folders)) {}

    void reserve(std::size_t count) { m_folders.reserve(count); }
    bool isEmpty() const { return m_folders.empty() && m_also.isEmpty(); }
    // The folder at path, as it was when it was renamed, now bears the name newName.
    void renamed(const QString& path, const QString& newName);
    // The same, with the three strings a record keeps; each name ends with the separator.
    void renamed(RenamedFolder folder);
    // The folder a row lists as path was found elsewhere (under a parent in other letter case)
    // and renamed there to the whole path newPath. Not a rename of its own: not among folders().
    void foundAs(const QString& path, const QString& newPath);
    // The path the folder listed as now bears after the pass: its own new name if it was renamed,
    // then, from the deepest outwards, every folder above it that was renamed after it.
    QString borne(const QString& now);
    // The same for a row as the list keeps it; changed tells whether it differs from now. Rows
    // of one parent share its new path, and a renamed row its record's new name.
    ListedPath borne(const ListedPath& now, bool& changed);
    // The renames in the order they were told, handed over once.
    std::vector<RenamedFolder> takeFolders() {
        m_sorted.clear();
        m_byParent.clear();
        return std::move(m_folders);
    }

private:
    // What the folder at path became: a name ending with the separator, or a whole path when
    // whole is set; null if it was not renamed.
    const QString* renamedTo(QStringView path, bool& whole);
    // What the folder named name in parent became, a name ending with the separator; null if it
    // was not renamed. Rows of one parent share its string: it is looked up once for all.
    const QString* renamedIn(const QString& parent, QStringView name);
    // What the folder named name among these renames of one parent became, if it was renamed.
    const QString* renamedAmong(std::pair<std::uint32_t, std::uint32_t> siblings,
                                QStringView name) const;
    // Sorts the renames by path and finds each parent's among them.
    void sort();
    // borne() for a folder's parent path; shared, when given, is that path's own string, kept so
    // that the next row of the parent is known by it without comparing.
    const QString& parentBorne(QStringView parent, const QString* shared = nullptr);
    // path with every renamed folder it passes through followed, from the one ending at the
    // separator at outwards.
    QString followUp(QString path, qsizetype at);
    // followUp() for a parent's path, through its own parent's, which its siblings share.
    QString followUpThroughParent(QStringView parent);

    QChar m_separator;
    // In the order told, so that they can be undone; looked up through m_sorted, by path.
    std::vector<RenamedFolder> m_folders;
    std::vector<std::uint32_t> m_sorted;
    struct ViewHash {
        std::size_t operator()(QStringView text) const { return qHash(text); }
    };
    // Views of the parents' own strings in m_folders: the renames of each, as a range of
    // m_sorted.
    std::unordered_map<QStringView, std::pair<std::uint32_t, std::uint32_t>, ViewHash> m_byParent;
    QHash<QString, QString> m_also;
    // Rows of one parent come together: its path is worked out once for all of them.
    QString m_parent;
    QString m_parentBorne;
    // No folder above the parent was renamed: its path is as the rows list it.
    bool m_parentStays = true;
    // The parent's own parent, worked out once for the parents of its rows: a tree is listed a
    // level at a time, and sibling folders come together.
    QString m_grandparent;
    QString m_grandparentBorne;
    QString m_lastParent;
    std::pair<std::uint32_t, std::uint32_t> m_lastSiblings{0, 0};
};

} // namespace tarnwick
