#pragma once

#include <QString>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The generated trees the stages work on, and what the benchmark reads back of them.
namespace tarnwick::bench {

struct Tree {
    QString name;
    QString root;    // without a trailing separator
    int folders = 0; // below the root
};

// The name of a generated folder: mixed case, so that every operation changes it.
QString GeneratedName(int index);

// A tree of breadth folders in each folder, depth levels deep, in a new folder name of base.
Tree MakeTree(const QString& base, const QString& name, int breadth, int depth);

// Counts the folders below folder and whether each name is in upper case, and adds up the hashes
// of their paths as the list writes them (with a trailing separator), keeping none of them: what
// the benchmark holds would count against the program's peak.
void CountUpperFolders(const QString& folder, qsizetype& folders, bool& allUpper,
                       std::size_t& pathHashes);

// One folder's way back from its upper-case name to its generated one, as whole paths: directly,
// or through the intermediate name as the program's detour goes.
struct RenameStep {
    std::string from, middle, to;
};

// The steps that rename every folder of the upper-cased tree back to its generated name, deepest
// first: read from the tree on disk while the list is empty, so the benchmark keeps no paths of
// its own while the program's peak is measured. Each name goes back through the index it was
// generated with ("MY FOLDER 0042" was GeneratedName(42)), the root to the tree's own name; a
// name that is neither leaves no steps at all.
std::optional<std::vector<RenameStep>> StepsBack(const Tree& tree);

} // namespace tarnwick::bench
