#include "folders/subfolderwalk.h"

#include "common/failure.h"
#include "common/pathtext.h"
#include "platform/filesystem.h"

#include <QHash>
#include <optional>
#include <utility>

namespace tarnwick {

namespace {

constexpr int kHiddenSystemFolder = attribute::kDirectory | attribute::kSystem | attribute::kHidden;
constexpr int kHiddenSystemJunction = kHiddenSystemFolder | attribute::kReparsePoint;

void Pump(const std::function<void()>& pump) {
    if (pump)
        pump();
}

// A folder that can no longer be opened fails as opening it would: path not found.
bool PassesAttributeTest(FileSystem& fileSystem, const QString& folder, std::optional<int> bits) {
    if (!bits)
        throw Failure(failure_code::kPathNotFound, QStringLiteral("Path not found"));
    if (*bits != kHiddenSystemFolder && *bits != kHiddenSystemJunction)
        return true;
    return fileSystem.isRoot(folder);
}

bool IsFolderBits(std::optional<int> bits) {
    return bits && (*bits & attribute::kDirectory);
}

bool IsTakenName(const QString& name) {
    // An empty name could only re-enter its own parent.
    return !name.isEmpty() && name.size() < kFolderLengthBound && !HasUnsupportedCharacters(name) &&
           !name.contains(u'?') && name != u"." && name != u"..";
}

bool MeansUnreadable(const Failure& failure) {
    return failure.number() == failure_code::kPermissionDenied ||
           failure.number() == failure_code::kPathNotFound;
}

// Each failure of a path removes the first entry still equal to it. Those removals always fall on
// entries already walked, so taking the first occurrences in one pass at the end gives the same
// collection as removing at once, without shifting the list once per failure.
void RemoveFirstOccurrences(QStringList& folders, QHash<QString, qsizetype>& removals) {
    if (removals.isEmpty())
        return;
    qsizetype kept = 0;
    for (qsizetype i = 0; i < folders.size(); ++i) {
        const auto pending = removals.find(folders.at(i));
        if (pending != removals.end() && *pending > 0) {
            --*pending;
            continue;
        }
        if (kept != i)
            folders[kept] = std::move(folders[i]);
        ++kept;
    }
    folders.resize(kept);
}

// The walk; returns where in folders the entries its merge phase appended begin. Those were
// examined there, so a caller's merge takes them without asking the disk again: that keeps the
// walk one question a folder instead of one a folder and level above it.
qsizetype Walk(QStringList& folders, bool includeAllLevels, FileSystem& fileSystem,
               const std::function<void()>& pump, const FailureReport& report) {
    ErrorTrap trap(QString::fromUtf16(kGetSubDirectoriesLabel), report);
    const QChar separator = fileSystem.separator();

    trap.reach(100);
    QStringList found;
    QHash<QString, qsizetype> removals;

    // Indices and copies only: pump lets other handlers run, and nothing here may point into
    // storage they could change.
    const qsizetype listed = folders.size();
    for (qsizetype i = 0; i < listed; ++i) {
        trap.step(102, [&] {
            const QString folder = folders.at(i);
            // The same answer serves the folder test and the attribute test.
            const std::optional<int> bits = fileSystem.attributes(folder);
            if (!IsFolderBits(bits))
                return;
            trap.reach(104);
            if (folder.size() >= kFolderLengthBound)
                return;
            trap.reach(106);
            Pump(pump);
            try {
                trap.reach(108);
                if (!PassesAttributeTest(fileSystem, folder, bits))
                    return;
                trap.reach(110);
                const QStringList names = fileSystem.subfolders(folder);
                for (const QString& name : names) {
                    Pump(pump);
                    if (IsTakenName(name))
                        found.append(folder + name + separator);
                }
            } catch (const Failure& failure) {
                // Any other failure ends the walk of this folder and nothing more.
                if (MeansUnreadable(failure))
                    ++removals[folder];
            }
        });
    }
    trap.step(112, [&] { RemoveFirstOccurrences(folders, removals); });

    qsizetype examined = found.size();
    trap.step(114, [&] {
        if (includeAllLevels && !found.isEmpty())
            examined = Walk(found, true, fileSystem, pump, report);
    });

    const qsizetype appended = folders.size();
    for (qsizetype i = 0; i < found.size(); ++i) {
        if (i >= examined) {
            folders.append(found.mid(i));
            break;
        }
        trap.step(116, [&] {
            const QString folder = found.at(i);
            if (!IsFolderBits(fileSystem.attributes(folder)))
                return;
            trap.reach(118);
            Pump(pump);
            // Asked again: the folder may have gone while the window had its turn.
            trap.reach(120);
            if (PassesAttributeTest(fileSystem, folder, fileSystem.attributes(folder)))
                folders.append(folder);
        });
    }
    return appended;
}

} // namespace

void GetSubDirectories2016(QStringList& folders, bool includeAllLevels, FileSystem& fileSystem,
                           const std::function<void()>& pump, const FailureReport& report) {
    Walk(folders, includeAllLevels, fileSystem, pump, report);
}

} // namespace tarnwick
