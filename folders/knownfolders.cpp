#include "folders/knownfolders.h"

namespace tarnwick {

namespace {

QStringView WithoutTrailing(QStringView path, QChar separator) {
    return path.size() > 1 && path.endsWith(separator) ? path.chopped(1) : path;
}

// A name's length and its first and last units without letter case: most listed names differ in
// these from every known one, and are passed by without being folded whole.
quint64 Signature(QStringView name) {
    const auto folded = [](QChar unit) { return quint64(QChar::toCaseFolded(unit.unicode())); };
    return quint64(name.size()) << 32 | (folded(name.front()) & 0xffff) << 16 |
           (folded(name.back()) & 0xffff);
}

} // namespace

KnownFolders::KnownFolders(FileSystem& fileSystem, const QStringList& paths)
    : m_fileSystem(&fileSystem), m_separator(fileSystem.separator()) {
    for (const QString& path : paths) {
        const QStringView whole = WithoutTrailing(path, m_separator);
        // Every folder on the way, the root aside: it has no name to change.
        for (qsizetype at = whole.indexOf(m_separator, 1); at > 0;
             at = whole.indexOf(m_separator, at + 1))
            add(whole.left(at).toString());
        if (!whole.isEmpty() && whole != QStringView(&m_separator, 1))
            add(whole.toString());
    }
}

void KnownFolders::add(const QString& path) {
    const QStringView leaf = QStringView(path).sliced(LeafStart(path, m_separator));
    if (leaf.isEmpty())
        return;
    const QString name = leaf.toString().toCaseFolded();
    const auto [first, last] = m_byName.equal_range(name);
    for (auto known = first; known != last; ++known) {
        if (m_folders[*known].path == path)
            return;
    }
    m_byName.insert(name, m_folders.size());
    m_folders.push_back({path, std::nullopt});
    m_signatures.insert(Signature(leaf));
}

const std::optional<FileIdentity>& KnownFolders::identityOf(const Known& known) const {
    if (!known.identity)
        known.identity = m_fileSystem->identity(known.path);
    return *known.identity;
}

bool KnownFolders::contains(const ListedPath& folder) const {
    if (m_folders.empty())
        return false;
    // The name alone rules out nearly every row: where the row keeps it as its tail, the whole
    // path is not even joined.
    QString buffer;
    const auto whole = [&] { return WithoutTrailing(folder.joined(buffer), m_separator); };
    QStringView name;
    if (folder.cutAtName(m_separator)) {
        name = WithoutTrailing(folder.tail(), m_separator);
    } else {
        const QStringView path = whole();
        name = path.sliced(LeafStart(path, m_separator));
    }
    if (name.isEmpty() || !m_signatures.contains(Signature(name)))
        return false;
    const auto [first, last] = m_byName.equal_range(name.toString().toCaseFolded());
    if (first == last)
        return false;
    const QString listed = whole().toString();
    std::optional<std::optional<FileIdentity>> listedIdentity;
    for (auto known = first; known != last; ++known) {
        const Known& candidate = m_folders[*known];
        if (!listedIdentity)
            listedIdentity = m_fileSystem->identity(listed);
        const std::optional<FileIdentity>& identity = identityOf(candidate);
        if (*listedIdentity && identity) {
            if (**listedIdentity == *identity)
                return true;
            continue;
        }
        // Where the host cannot tell, the path the desktop has for it decides.
        if (candidate.path == listed)
            return true;
    }
    return false;
}

} // namespace tarnwick
