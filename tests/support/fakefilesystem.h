#pragma once

#include "common/failure.h"
#include "platform/filesystem.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tarnwick::test {

// An in-memory tree with "/" paths, for faults a real folder cannot produce: a host that ignores
// letter case, access denied as root, a rename failing at a chosen step.
class FakeFileSystem : public FileSystem {
public:
    // CaseInsensitive is also case-preserving: names keep their letters, lookups ignore them.
    enum class Mode { CaseSensitive, CaseInsensitive };

    explicit FakeFileSystem(Mode mode = Mode::CaseSensitive);
    ~FakeFileSystem() override;

    // Building the tree; parents are created as needed. extraAttributes adds to the directory bit.
    void addFolder(const QString& path, int extraAttributes = 0);
    void addFile(const QString& path);
    // A symbolic link to a folder: a folder entry of its parent with no subfolders of its own.
    void addFolderLink(const QString& path);
    void setExtraAttributes(const QString& path, int extraAttributes);
    void remove(const QString& path);
    // Listing the folder fails with this failure (access denied: 70 "Permission denied").
    void failListing(const QString& path, const Failure& failure);
    void denyAccess(const QString& path);
    void setRefusedNameCharacters(const QString& characters) {
        m_rules.refusedNameCharacters = characters;
    }
    // Whether a target bearing another entry's name in other letter case is refused.
    void setRefuseCaseConflicts(bool refuse) { m_rules.refusesCaseTwins = refuse; }
    // Whether listings can lose characters (the host the program was made for), so that a folder
    // may be found by its name key; otherwise only as the host resolves its name.
    void setLossyListings(bool lossy) { m_rules.lossyListings = lossy; }
    // Whether a case-sensitive fake tells the engine so, and so is renamed in one step as a disk
    // that tells case apart is. By default the fake ignores case everywhere as far as the
    // engine is told, and every rename takes the detour.
    void setTellsCaseApart(bool tells) { m_tellsCaseApart = tells; }
    bool lookupIgnoresCase(const QString& folder, const QString& probe) override {
        (void)folder;
        (void)probe;
        return !(m_tellsCaseApart && m_mode == Mode::CaseSensitive);
    }
    // Gives the folder at path the identity of the folder at other, as a bind mount would.
    void shareIdentity(const QString& path, const QString& other);

    // Runs before every rename; a failure it returns fails that rename. It may change the tree.
    std::function<std::optional<Failure>(const QString& parent, const QString& from,
                                         const QString& to)>
        beforeRename;
    // Runs before every listing of a folder's subfolders.
    std::function<void(const QString& folder)> beforeListing;

    // Every folder and file path, depth first in listing order, folders with a trailing "/".
    QStringList tree() const;
    // True when the path exists exactly as written (letter case included).
    bool existsExactly(const QString& path) const;
    int renameCount() const { return m_renameCount; }

    const HostRules& rules() const override { return m_rules; }
    std::optional<int> attributes(const QString& path) override;
    bool isRoot(const QString& path) override;
    FolderListing list(const QString& folder, Through through = Through::NoLink) override;
    void renameFolder(const QString& parent, const QString& from, const QString& to) override;
    std::optional<QString> findIgnoringCase(const QString& path) override;

private:
    struct Node;
    enum class Kind { Folder, File, Link };

    static QStringList components(const QString& path);
    bool sameName(const QString& a, const QString& b) const;
    Node* child(Node* parent, const QString& name) const;
    Node* find(const QString& path) const;
    Node* findExactly(const QString& path) const;
    Node* make(const QString& path, Kind kind);
    void collect(const Node* node, const QString& path, QStringList& out) const;
    static int attributesOf(const Node& node);

    Mode m_mode;
    std::unique_ptr<Node> m_root;
    HostRules m_rules;
    int m_renameCount = 0;
    bool m_tellsCaseApart = false;
    quint64 m_lastInode = 0;
};

} // namespace tarnwick::test
