#include "trees.h"

#include "transform/conversions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <sys/stat.h>

namespace tarnwick::bench {
namespace {

bool MakeFolder(const QString& path) {
    return ::mkdir(QFile::encodeName(path).constData(), 0755) == 0;
}

void MakeNested(const QString& folder, int breadth, int depth, int& count) {
    if (depth == 0)
        return;
    for (int i = 0; i < breadth; ++i) {
        const QString child = folder + u'/' + GeneratedName(i);
        if (!MakeFolder(child))
            qFatal("cannot create %s", qPrintable(child));
        ++count;
        MakeNested(child, breadth, depth - 1, count);
    }
}

RenameStep StepBack(const QString& parent, const QString& upper, const QString& generated) {
    const QString from = parent + upper;
    return RenameStep{QFile::encodeName(from).toStdString(),
                      QFile::encodeName(from + QStringLiteral("9999999")).toStdString(),
                      QFile::encodeName(parent + generated).toStdString()};
}

} // namespace

QString GeneratedName(int index) {
    return QStringLiteral("mY FoLdEr %1").arg(index, 4, 10, QLatin1Char('0'));
}

Tree MakeTree(const QString& base, const QString& name, int breadth, int depth) {
    Tree tree{name, base + u'/' + name, 0};
    if (!MakeFolder(tree.root))
        qFatal("cannot create %s", qPrintable(tree.root));
    MakeNested(tree.root, breadth, depth, tree.folders);
    return tree;
}

void CountUpperFolders(const QString& folder, qsizetype& folders, bool& allUpper,
                       std::size_t& pathHashes) {
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        ++folders;
        allUpper = allUpper && name == ToUpperCase(name);
        const QString path = folder + u'/' + name;
        pathHashes += qHash(path + u'/');
        CountUpperFolders(path, folders, allUpper, pathHashes);
    }
}

std::optional<std::vector<RenameStep>> StepsBack(const Tree& tree) {
    const QString base = QFileInfo(tree.root).path() + u'/';
    std::vector<RenameStep> back;
    back.reserve(static_cast<std::size_t>(tree.folders) + 1);
    back.push_back(StepBack(base, ToUpperCase(tree.name), tree.name));
    // Walked a depth at a time from the steps themselves, each depth in path order, so that
    // nothing but the steps is kept. Each depth is turned around once walked and the whole at
    // the end: the deepest come first and every depth keeps its path order, as in the list.
    for (std::size_t first = 0; first < back.size();) {
        const std::size_t last = back.size();
        for (std::size_t at = first; at < last; ++at) {
            const QString folder = QFile::decodeName(back[at].from.c_str()) + u'/';
            for (const QString& name :
                 QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
                bool isIndex = false;
                const int index = name.section(u' ', -1).toInt(&isIndex);
                if (!isIndex || name != ToUpperCase(GeneratedName(index)))
                    return std::nullopt;
                back.push_back(StepBack(folder, name, GeneratedName(index)));
            }
        }
        std::reverse(back.begin() + first, back.begin() + last);
        first = last;
    }
    std::reverse(back.begin(), back.end());
    return back;
}

} // namespace tarnwick::bench
