#include "tests/support/fakefilesystem.h"

namespace tarnwick::test {

struct FakeFileSystem::Node {
    QString name;
    Kind kind = Kind::Folder;
    int extraAttributes = 0;
    std::optional<Failure> listFailure;
    Node* parent = nullptr;
    std::vector<std::unique_ptr<Node>> children;
};

namespace {
Failure NotFound() {
    return Failure(failure_code::kPathNotFound, QStringLiteral("Path not found"));
}
} // namespace

FakeFileSystem::FakeFileSystem(Mode mode) : m_mode(mode), m_root(std::make_unique<Node>()) {}
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

std::optional<int> FakeFileSystem::attributes(const QString& path) {
    const Node* node = find(path);
    if (!node)
        return std::nullopt;
    switch (node->kind) {
    case Kind::File:
        return 32 | node->extraAttributes;
    case Kind::Link:
        return attribute::kDirectory | attribute::kReparsePoint | node->extraAttributes;
    case Kind::Folder:
        break;
    }
    return attribute::kDirectory | node->extraAttributes;
}

bool FakeFileSystem::isRoot(const QString& path) {
    return find(path) == m_root.get();
}

QStringList FakeFileSystem::subfolders(const QString& folder) {
    if (beforeListing)
        beforeListing(folder);
    const Node* node = find(folder);
    if (!node || node->kind == Kind::File)
        throw NotFound();
    if (node->listFailure)
        throw *node->listFailure;
    QStringList names;
    for (const auto& entry : node->children) {
        if (entry->kind != Kind::File)
            names << entry->name;
    }
    return names;
}

bool FakeFileSystem::hasCaseTwin(const QString& parent, const QString& name) {
    subfolders(parent); // fails as listing would
    const Node* folder = find(parent);
    return std::any_of(folder->children.begin(), folder->children.end(), [&](const auto& entry) {
        return entry->name != name && !entry->name.compare(name, Qt::CaseInsensitive);
    });
}

void FakeFileSystem::renameFolder(const QString& parent, const QString& from, const QString& to) {
    rename(parent, from, to, m_refuseCaseConflicts);
}

// On a host that ignores letter case a name in other case is the same name: never allowed.
void FakeFileSystem::restoreFolderName(const QString& parent, const QString& from,
                                       const QString& to) {
    rename(parent, from, to, m_mode == Mode::CaseInsensitive);
}

void FakeFileSystem::rename(const QString& parent, const QString& from, const QString& to,
                            bool refuseCaseConflicts) {
    if (beforeRename) {
        if (std::optional<Failure> failure = beforeRename(parent, from, to))
            throw *failure;
    }
    Node* folder = find(parent);
    if (!folder || folder->kind != Kind::Folder)
        throw NotFound();
    Node* entry = nullptr;
    for (const auto& candidate : folder->children) {
        if (candidate->name == from || (!entry && sameName(candidate->name, from)))
            entry = candidate.get();
    }
    if (!entry)
        throw NotFound();
    if (to.isEmpty() || to.contains(u'/') || to.contains(QChar(0)) || to.size() > 255 ||
        std::any_of(m_refused.begin(), m_refused.end(), [&](QChar c) { return to.contains(c); }))
        throw Failure(failure_code::kPathFileAccessError, QStringLiteral("Path/File access error"));
    for (const auto& other : folder->children) {
        if (other.get() == entry)
            continue;
        if (other->name == to ||
            (refuseCaseConflicts && !other->name.compare(to, Qt::CaseInsensitive)))
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
