#pragma once

#include "common/listedpath.h"
#include "rename/lastrun.h"
#include "rename/renamesinorder.h"

#include <QHash>
#include <QString>
#include <QStringView>
#include <optional>
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
        : m_separator(separator), m_renames(std::move(folders)) {}

    void reserve(std::size_t count) { m_renames.reserve(count); }
    bool isEmpty() const { return m_renames.isEmpty() && m_foundElsewhere.isEmpty(); }
    // The folder at path, as it was when it was renamed, now bears the name newName.
    void renamed(const QString& path, const QString& newName, FileIdentity identity = {});
    // The same, with the three strings a record keeps; each name ends with the separator.
    void renamed(RenamedFolder folder);
    // The folder a row lists as path was found elsewhere (under a parent in other letter case)
    // and renamed there to the whole path newPath. Not a rename of its own: not among those handed
    // over.
    void foundAs(const QString& path, const QString& newPath);
    // The path the folder listed as now bears after the pass: its own new name if it was renamed,
    // then, from the deepest outwards, every folder above it that was renamed after it.
    QString borne(const QString& now);
    // The path the folder of a row as the list keeps it bears after the pass, where that differs
    // from the row's; none where the row still names it. Rows of one parent share its new path,
    // and a renamed row its record's new name.
    std::optional<ListedPath> movedTo(const ListedPath& now);
    // The renames in the order they were told, handed over once.
    std::vector<RenamedFolder> takeFolders() {
        forgetBorne();
        return m_renames.take();
    }

private:
    // What became of the folder at a path: the whole path it was found at elsewhere, or the name
    // it got in its parent, a name ending with the separator; neither if it was not renamed.
    struct Became {
        const QString* wholePath = nullptr;
        const QString* name = nullptr;
    };
    Became becameOf(QStringView path);
    // A path listed above rows and the path it bears now, worked out once for all of them;
    // nothing is known while listed is empty.
    struct Borne {
        QString listed;
        QString bears;
    };
    // The parent of the rows last asked about, which rows of one parent share: what it bears,
    // whether that is still its listed path (no folder above it was renamed), and the renames
    // made in it.
    struct RowsParent : Borne {
        bool stays = true;
        RenamesInOrder::InParent renames;
    };
    // The parent listed as parent, as the rows below it ask; kept, when given, is that path's own
    // string, kept so that the next row of the parent is known by it without comparing.
    const RowsParent& rowsParent(QStringView parent, const QString* kept = nullptr);
    // path with every renamed folder it passes through followed, from the one ending at the
    // separator at outwards.
    QString followUp(QString path, qsizetype at);
    // followUp() for a parent's path, through its own parent's, which its siblings share.
    QString followUpThroughParent(QStringView parent);
    // Told renames and findings change what the paths above rows bear.
    void forgetBorne() {
        m_rowsParent = {};
        m_grandparent = {};
    }

    QChar m_separator;
    RenamesInOrder m_renames;
    // Rows' paths whose folders were found elsewhere, and the whole paths they were renamed to.
    QHash<QString, QString> m_foundElsewhere;
    RowsParent m_rowsParent;
    // The rows' parent's own parent: a tree is listed a level at a time, and sibling folders come
    // together.
    Borne m_grandparent;
};

} // namespace tarnwick
