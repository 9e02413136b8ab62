#include "rename/renameplan.h"

#include "rename/namekey.h"

#include <optional>

namespace tarnwick {

namespace {

// The one folder entry meeting the test; the count when several do.
template <class Test>
std::optional<QString> OnlyFolder(const EntryIndex& entries, Test test, int& matches) {
    std::optional<QString> found;
    matches = 0;
    for (const DirectoryEntry& entry : entries.entries()) {
        if (entry.isFolder() && test(entry.name)) {
            ++matches;
            found = entry.name;
        }
    }
    if (matches != 1)
        found.reset();
    return found;
}

} // namespace

RenamePlan PlanRename(const EntryIndex& entries, const QString& listedLeaf, const QString& newLeaf,
                      const HostRules& rules, bool hostFindsLeaf, bool parentIgnoresCase,
                      std::optional<FileIdentity> listedAs) {
    RenamePlan plan;
    const DirectoryEntry* exact = entries.find(listedLeaf);
    // Another folder put in its place, under its very name: never renamed for it.
    if (exact && listedAs && exact->identity != *listedAs)
        return plan;
    std::optional<QString> from;
    if (exact && exact->isFolder()) {
        from = listedLeaf;
    } else if (rules.lossyListings) {
        // Names the listing lost characters of are found by their name key, but only when one
        // folder bears it: "фото" and "мама" share one, and renaming both would rename a folder
        // nobody listed.
        from = OnlyFolder(
            entries,
            [&](const QString& name) { return IsSameFilename(name, listedLeaf, rules.separator); },
            plan.matches);
        if (plan.matches > 1) {
            plan.action = RenamePlan::Action::Ambiguous;
            return plan;
        }
    } else if (hostFindsLeaf) {
        from = OnlyFolder(
            entries,
            [&](const QString& name) { return name.compare(listedLeaf, Qt::CaseInsensitive) == 0; },
            plan.matches);
    }
    if (!from)
        return plan;
    plan.from = *from;

    // Beside an entry bearing the folder's own name in other letter case ("docs" beside "Docs")
    // the detour gains nothing: a new name in any case of that name is refused either way, any
    // other is taken in one step, and the way back would be refused.
    const bool besideTwin = rules.refusesCaseTwins && entries.othersBearIgnoringCase(*from, *from);
    const QStringView suffix(kIntermediateSuffix);
    plan.intermediate.reserve(newLeaf.size() + suffix.size());
    plan.intermediate.append(newLeaf).append(suffix);
    const bool detourPossible =
        parentIgnoresCase && !besideTwin && rules.canBearName(plan.intermediate);

    if (*from == newLeaf) {
        plan.action =
            detourPossible ? RenamePlan::Action::Rename : RenamePlan::Action::AlreadyNamed;
        plan.throughIntermediate = detourPossible;
        return plan;
    }
    // A change of letter case alone, where no other entry bears the folder's name in any case,
    // meets no other entry: one bearing the new name would bear that name too. Most runs are
    // that, and are spared two looks through the entries.
    const bool caseChangeAlone =
        rules.refusesCaseTwins && !besideTwin && entries.sameIgnoringCase(newLeaf, *from);
    if (!caseChangeAlone && entries.othersBear(newLeaf, *from)) {
        plan.action = RenamePlan::Action::Refused;
        plan.refusal = RenamePlan::Refusal::NameTaken;
        return plan;
    }
    if (!caseChangeAlone && rules.refusesCaseTwins &&
        entries.othersBearIgnoringCase(newLeaf, *from)) {
        plan.action = RenamePlan::Action::Refused;
        plan.refusal = RenamePlan::Refusal::CaseTwinBearsNewName;
        return plan;
    }
    plan.action = RenamePlan::Action::Rename;
    plan.throughIntermediate = detourPossible;
    return plan;
}

} // namespace tarnwick
