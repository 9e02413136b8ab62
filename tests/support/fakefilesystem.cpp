#include "tests/support/fakefilesystem.h"

namespace tarnwick::test {

struct FakeFileSystem::Node {
    QString name;
    Kind kind = Kind::Folder;
    int extraAttributes = 0;
    std::optional<Failure> listFailure;
    quint64 inode = 0;
    Node* parent = nullptr;
    std::vector<std::unique_ptr<Node>> children;
};

// The host the program was made for: Windows-1252 names, 260-character bounds, lossy listings.
FakeFileSystem::FakeFileSystem(Mode mode) : m_mode(mode), m_root(std::make_unique<Node>()) {
    m_root->inode = ++m_lastInode;
    m_rules.separator = u'/';
    m_rules.codePage = CodePage::Ansi;
    m_rules.lengthsInBytes = false;
    m_rules.pathBound = 260;
    m_rules.nameBound = 260;
    m_rules.nameMax = 255;
    m_rules.lossyListings = true;
    m_rules.listingsTellKinds = false;
    m_rules.refusesCaseTwins = true;
}
FakeFileSystem::~FakeFileSystem() = default;

QStringList FakeFileSystem::components(const QString& path) {
    return path.split(u'/', Qt::SkipEmptyParts);
}

bool FakeFileSystem::sameName(const QString& a, const QString& b) const {
    return a.compare(b, m_mode == Mode::CaseInsensitive ? Qt::CaseInsensitive
                                                        : Qt::CaseSensitive) == 0;
}

FakeFileSystem::Node* FakeFileSystem::child(Node* parent, const QString& name) const {
    for (const auto& node : parent->children) {
        if (sameName(node->name, name))
            return node.get();
    }
    return nullptr;
}

FakeFileSystem::Node* FakeFileSystem::find(const QString& path) const {
    if (!path.startsWith(u'/'))
        return nullptr;
    Node* node = m_root.get();
    for (const QString& name : components(path)) {
        if (node->kind != Kind::Folder || !(node = child(node, name)))
            return nullptr;
    }
    return node;
}

FakeFileSystem::Node* FakeFileSystem::findExactly(const QString& path) const {
    if (!path.startsWith(u'/'))
        return nullptr;
    Node* node = m_root.get();
    for (const QString& name : components(path)) {
        Node* next = nullptr;
        for (const auto& candidate : node->children) {
            if (candidate->name == name)
                next = candidate.get();
        }
        if (node->kind != Kind::Folder || !(node = next))
            return nullptr;
    }
    return node;
}

FakeFileSystem::Node* FakeFileSystem::make(const QString& path, Kind kind) {
    Node* node = m_root.get();
    const QStringList names = components(path);
    for (qsizetype i = 0; i < names.size(); ++i) {
        Node* next = child(node, names[i]);
        if (!next) {
            auto created = std::make_unique<Node>();
            created->name = names[i];
            created->kind = i + 1 == names.size() ? kind : Kind::Folder;
            created->parent = node;
            created->inode = ++m_lastInode;
            next = created.get();
            node->children.push_back(std::move(created));
        }
        node = next;
    }
    return node;
}

void FakeFileSystem::addFolder(const QString& path, int extraAttributes) {
    make(path, Kind::Folder)->extraAttributes = extraAttributes;
}

void FakeFileSystem::addFile(const QString& path) {
    make(path, Kind::File);
}

void FakeFileSystem::addFolderLink(const QString& path) {
    make(path, Kind::Link);
}

void FakeFileSystem::setExtraAttributes(const QString& path, int extraAttributes) {
    if (Node* node = find(path))
        node->extraAttributes = extraAttributes;
}

void FakeFileSystem::shareIdentity(const QString& path, const QString& other) {
    Node* node = find(path);
    const Node* original = find(other);
    if (node && original)
        node->inode = original->inode;
}

void FakeFileSystem::remove(const QString& path) {
    Node* node = find(path);
    if (!node || !node->parent)
        return;
    auto& siblings = node->parent->children;
    std::erase_if(siblings, [node](const auto& sibling) { return sibling.get() == node; });
}

void FakeFileSystem::failListing(const QString& path, const Failure& failure) {
    if (Node* node = find(path))
        node->listFailure = failure;
}

void FakeFileSystem::denyAccess(const QString& path) {
    failListing(path,
                Failure(failure_code::kPermissionDenied, QStringLiteral("Permission denied")));
}

void FakeFileSystem::collect(const Node* node, const QString& path, QStringList& out) const {
    for (const auto& entry : node->children) {
        const QString entryPath = path + entry->name;
        out << (entry->kind == Kind::File ? entryPath : entryPath + u'/');
        if (entry->kind == Kind::Folder)
            collect(entry.get(), entryPath + u'/', out);
    }
}

QStringList FakeFileSystem::tree() const {
    QStringList out;
    collect(m_root.get(), QStringLiteral("/"), out);
    return out;
}

bool FakeFileSystem::existsExactly(const QString& path) const {
    return findExactly(path);
}

int FakeFileSystem::attributesOf(const Node& node) {
    switch (node.kind) {
    case Kind::File:
        return attribute::kArchive | node.extraAttributes;
    case Kind::Link:
        return attribute::kDirectory | attribute::kReparsePoint | node.extraAttributes;
    case Kind::Folder:
        break;
    }
    return attribute::kDirectory | node.extraAttributes;
}

std::optional<int> FakeFileSystem::attributes(const QString& path) {
    const Node* node = find(path);
    if (!node)
        return std::nullopt;
    return attributesOf(*node);
}

bool FakeFileSystem::isRoot(const QString& path) {
    return find(path) == m_root.get();
}

FolderListing FakeFileSystem::list(const QString& folder, Through) {
    if (beforeListing)
        beforeListing(folder);
    const Node* node = find(folder);
    if (!node || node->kind == Kind::File)
        throw PathNotFound();
    if (node->listFailure)
        throw *node->listFailure;
    FolderListing listing;
    listing.identity = {1, node->inode};
    for (const auto& entry : node->children) {
        const EntryKind kind = entry->kind == Kind::Folder ? EntryKind::Folder
                               : entry->kind == Kind::Link ? EntryKind::FolderLink
                                                           : EntryKind::Other;
        listing.entries.push_back({entry->name, kind, attributesOf(*entry), {1, entry->inode}});
    }
    return listing;
}

// Never replaces: a name borne as this host resolves names (ignoring letter case where it does)
// is refused. Whether a twin in other case is refused too is the caller's question.
void FakeFileSystem::renameFolder(const QString& parent, const QString& from, const QString& to) {
    if (beforeRename) {
        if (std::optional<Failure> failure = beforeRename(parent, from, to))
            throw *failure;
    }
    Node* folder = find(parent);
    if (!folder || folder->kind != Kind::Folder)
        throw PathNotFound();
    Node* entry = nullptr;
    for (const auto& candidate : folder->children) {
        if (candidate->name == from || (!entry && sameName(candidate->name, from)))
            entry = candidate.get();
    }
    if (!entry)
        throw PathNotFound();
    if (!m_rules.canBearName(to))
        throw Failure(failure_code::kPathFileAccessError, QStringLiteral("Path/File access error"));
    for (const auto& other : folder->children) {
        if (other.get() != entry && sameName(other->name, to))
            throw Failure(failure_code::kFileAlreadyExists, QStringLiteral("File already exists"));
    }
    entry->name = to;
    ++m_renameCount;
}

std::optional<QString> FakeFileSystem::findIgnoringCase(const QString& path) {
    if (findExactly(path))
        return path;
    if (!path.startsWith(u'/'))
        return std::nullopt;
    Node* node = m_root.get();
    QString found = QStringLiteral("/");
    const QStringList names = components(path);
    for (qsizetype i = 0; i < names.size(); ++i) {
        Node* match = nullptr;
        int matches = 0;
        for (const auto& candidate : node->children) {
            if (!candidate->name.compare(names[i], Qt::CaseInsensitive)) {
                match = candidate.get();
                ++matches;
            }
        }
        if (matches != 1 || node->kind != Kind::Folder)
            return std::nullopt;
        node = match;
        found += match->name;
        if (i + 1 < names.size() || path.endsWith(u'/'))
            found += u'/';
    }
    return found;
}

} // namespace tarnwick::test
