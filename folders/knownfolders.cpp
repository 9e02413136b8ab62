#include "folders/knownfolders.h"

#include <algorithm>

namespace tarnwick {

namespace {

QStringView WithoutTrailing(QStringView path, QChar separator) {
    return path.size() > 1 && path.endsWith(separator) ? path.chopped(1) : path;
}

QString FoldedName(QStringView path, QChar separator) {
    return path.sliced(LeafStart(path, separator)).toString().toCaseFolded();
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
    const QString name = FoldedName(path, m_separator);
    if (name.isEmpty())
        return;
    const auto [first, last] = m_byName.equal_range(name);
    for (auto known = first; known != last; ++known) {
        if (m_folders[*known].path == path)
            return;
    }
    m_byName.insert(name, m_folders.size());
    m_folders.push_back({path, std::nullopt});
    if (!m_nameLengths.contains(name.size()))
        m_nameLengths << name.size();
}

const std::optional<FileIdentity>& KnownFolders::identityOf(const Known& known) const {
    if (!known.identity)
        known.identity = m_fileSystem->identity(known.path);
    return *known.identity;
}

bool KnownFolders::contains(const ListedPath& folder) const {
    if (m_folders.empty())
        return false;
    QString buffer;
    const QStringView path = WithoutTrailing(folder.joined(buffer), m_separator);
    const QStringView name = path.sliced(LeafStart(path, m_separator));
    // Folding keeps a name's length nearly always; where it would not, the name is folded.
    if (name.isEmpty() ||
        (!m_nameLengths.contains(name.size()) &&
         std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x80; })))
        return false;
    const auto [first, last] = m_byName.equal_range(name.toString().toCaseFolded());
    if (first == last)
        return false;
    const QString listed = path.toString();
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
