#include "rename/renameengine.h"

#include "common/failure.h"
#include "common/pathtext.h"
#include "common/result.h"
#include "platform/filesystem.h"
#include "rename/parententries.h"
#include "rename/renameplan.h"

#include <QCoreApplication>
#include <optional>

namespace tarnwick {
namespace {

using Happened = RenameOutcome::Happened;

// The row's names: its parent's path as listed, its own name, and the name it is to bear.
struct RowNames {
    QString parent;
    QString leaf;
    QString newLeaf;

    // The listed path less its trailing separator, made only to name it in a failure.
    QString path() const { return parent + leaf; }
};

// Why a folder does not bear its new name: what happened, the failure the user is told (at its
// step) if any, and the row's reason.
struct NotRenamed {
    Happened happened = Happened::Failed;
    std::optional<RenameStep> line;
    std::optional<Failure> told;
    QString reason;
    // The failure told says where the folder was left: it goes before any met earlier.
    bool supersedes = false;
};

// A step's failure, told naming path; the row's reason is the failure in its own words.
NotRenamed FailedAt(RenameStep line, const Failure& failure, const QString& path) {
    return {Happened::Failed, line, failure.about(path), failure.description()};
}

// The parent as found on disk and its entries, read through the run's parents.
struct FoundParent {
    QString path;
    const EntryIndex* entries = nullptr;
};

// The failures of one folder met by the trap itself, held until its rename is settled.
class HeldFailures {
public:
    FailureReport sink() {
        return [this](const QString& message) {
            if (m_first.isEmpty() || m_superseding)
                m_first = message;
        };
    }
    void nextSupersedes() { m_superseding = true; }
    // Shows the first failure, once, unless the folder ended as asked.
    void settle(bool asAsked, const FailureReport& report) const {
        if (!asAsked && !m_first.isEmpty() && report)
            report(m_first);
    }

private:
    QString m_first;
    bool m_superseding = false;
};

// The row's names, cut from its paths, the host's refused characters in the new name made "_".
// None for a root, or any path without a last component: it has no name of its own to change.
std::optional<RowNames> CutNames(ErrorTrap& trap, FileSystem& fileSystem, const ListedPath& current,
                                 const ListedPath& next) {
    const QChar separator = fileSystem.separator();
    const auto replaceRefused = [&](QString& text) {
        for (const QChar refused : fileSystem.refusedNameCharacters())
            text.replace(refused, u'_');
    };
    std::optional<QString> parent, leaf, newLeaf;
    if (current.cutAtName(separator) && next.cutAtName(separator)) {
        // Kept as a parent's path and a name, as nearly every row is: there is nothing to cut.
        parent = current.head();
        leaf = WithoutTrailingSeparator(current.tail(), separator);
        newLeaf = WithoutTrailingSeparator(next.tail(), separator);
        trap.step(RenameStep::ReplaceRefusedCharacters, [&] { replaceRefused(*newLeaf); });
        // The host layer is there for the whole program; there is nothing to create per call.
        trap.reach(RenameStep::HostLayer);
    } else {
        QString target = next.toString();
        trap.step(RenameStep::ReplaceRefusedCharacters, [&] { replaceRefused(target); });
        trap.reach(RenameStep::HostLayer);
        const QString reference = WithoutTrailingSeparator(current.toString(), separator);
        parent =
            trap.value(RenameStep::CutParent, [&] { return GetParentPath(reference, separator); });
        leaf = trap.value(RenameStep::CutName, [&] { return GetLeafName(reference, separator); });
        newLeaf = trap.value(RenameStep::CutNewName, [&] {
            return GetLeafName(WithoutTrailingSeparator(target, separator), separator);
        });
    }
    if (!parent || !leaf || !newLeaf || leaf->isEmpty())
        return std::nullopt;
    return RowNames{std::move(*parent), std::move(*leaf), std::move(*newLeaf)};
}

// The parent as the run holds it, and its entries. A parent that cannot be found leaves
// nothing to read: one failure tells it all; one that is there but cannot be read fails reading.
Result<FoundParent, NotRenamed> FindParent(ParentEntries& parents, const RowNames& names) {
    if (names.newLeaf.isEmpty()) {
        const Failure empty(failure_code::kPathFileAccessError,
                            QCoreApplication::translate("Tarnwick", "The new name is empty"));
        return FailedAt(RenameStep::CheckNewName, empty, names.path());
    }
    const Result<std::optional<QString>> found = parents.find(names.parent);
    if (found && !*found)
        return FailedAt(RenameStep::FindParent, PathNotFound(), names.parent);
    const QString folder = found ? **found : names.parent;
    if (!found)
        return FailedAt(RenameStep::ReadParent, found.failure(), folder);
    const Result<EntryIndex*> entries = parents.entries(folder);
    if (!entries)
        return FailedAt(RenameStep::ReadParent, entries.failure(), folder);
    return FoundParent{folder, *entries};
}

RenamePlan PlanFor(FileSystem& fileSystem, ParentEntries& parents, const FoundParent& parent,
                   const RowNames& names, FileIdentity listedAs) {
    const HostRules& rules = fileSystem.rules();
    // Only a disk that ignores letter case finds a name no entry bears exactly, and it is asked
    // only then.
    const bool hostFindsLeaf = !rules.lossyListings && !parent.entries->find(names.leaf) &&
                               PathExists(fileSystem, parent.path + names.leaf);
    // Told by the host once a parent, and kept with the folder it holds open. Beside a twin in
    // other case the detour is never taken, and the host is not asked.
    const bool ignoresCase = (rules.refusesCaseTwins &&
                              parent.entries->othersBearIgnoringCase(names.leaf, names.leaf)) ||
                             parents.lookupIgnoresCase(parent.path, names.leaf);
    // Where identities last, the folder is the one listed only if it is still what it was.
    const bool known = listedAs != FileIdentity{} && parents.identitiesLast(parent.path);
    return PlanRename(*parent.entries, names.leaf, names.newLeaf, rules, hostFindsLeaf, ignoresCase,
                      known ? std::optional<FileIdentity>(listedAs) : std::nullopt);
}

// What a plan that renames nothing comes to.
NotRenamed Unrenamable(const RenamePlan& plan, const RowNames& names, const QString& folder) {
    switch (plan.action) {
    case RenamePlan::Action::Ambiguous:
        return FailedAt(
            RenameStep::CheckFolder,
            Failure(
                failure_code::kPathFileAccessError,
                QCoreApplication::translate("Tarnwick", "Folder name is ambiguous"),
                QCoreApplication::translate("Tarnwick", "it matches %1 folders").arg(plan.matches)),
            names.path());
    case RenamePlan::Action::Refused: {
        const QString why =
            plan.refusal == RenamePlan::Refusal::NameTaken
                ? QCoreApplication::translate("Tarnwick", "another folder bears the name %1")
                : QCoreApplication::translate(
                      "Tarnwick", "another folder bears the name %1 in other letter case");
        NotRenamed refused =
            FailedAt(RenameStep::ToNewName,
                     Failure(failure_code::kFileAlreadyExists,
                             QCoreApplication::translate("Tarnwick", "File already exists"),
                             why.arg(names.newLeaf)),
                     folder + plan.from);
        refused.happened = Happened::Refused;
        refused.reason = QCoreApplication::translate("Tarnwick", kRefusedReason);
        return refused;
    }
    default:
        return {
            Happened::NotFound, {}, {}, QCoreApplication::translate("Tarnwick", kNotFoundReason)};
    }
}

// After the final rename failed: the folder is given back its own name, never left under the
// intermediate one. What the user is told: the final rename's failure, or, when even the way
// back fails, where the folder now is, which matters more than why it moved (it supersedes).
NotRenamed GiveBack(ParentEntries& parents, const QString& folder, const RenamePlan& plan,
                    NotRenamed failed) {
    const Result<void> restored = parents.rename(folder, plan.intermediate, plan.from);
    if (restored)
        return failed;
    const Failure& failure = restored.failure();
    const QString kept =
        QCoreApplication::translate("Tarnwick", "the folder keeps the temporary name %1")
            .arg(folder + plan.intermediate);
    const Failure told(
        failure.number(), failure.plain(),
        failure.systemText().isEmpty() ? kept : failure.systemText() + QStringLiteral("; ") + kept);
    failed.told = told.about(folder + plan.from);
    failed.supersedes = true;
    return failed;
}

// Carries the plan out inside the parent the run holds open: through the intermediate name
// where the plan says so, else at once. Succeeds when the folder bears the new name.
Result<void, NotRenamed> CarryOut(ParentEntries& parents, const QString& folder,
                                  const RenamePlan& plan, const QString& newLeaf) {
    const QString from = folder + plan.from;
    if (plan.throughIntermediate) {
        const Result<void> detour = parents.rename(folder, plan.from, plan.intermediate);
        if (detour) {
            const Result<void> renamed = parents.rename(folder, plan.intermediate, newLeaf);
            if (renamed)
                return {};
            parents.forget(folder);
            const NotRenamed told = GiveBack(
                parents, folder, plan, FailedAt(RenameStep::ToNewName, renamed.failure(), from));
            // Given back a name that was the new name all along: as asked.
            if (plan.from == newLeaf && !told.supersedes)
                return {};
            return told;
        }
        // It bears the new name already; renaming it onto itself is refused on some hosts.
        if (plan.from == newLeaf)
            return {};
        parents.forget(folder);
        // Safe without the detour: a rename never replaces what bears the new name. The
        // detour's failure is the one told.
        const NotRenamed failed = FailedAt(RenameStep::ToIntermediateName, detour.failure(), from);
        if (parents.rename(folder, plan.from, newLeaf))
            return {};
        parents.forget(folder);
        return failed;
    }
    if (plan.from == newLeaf)
        return {};
    const Result<void> renamed = parents.rename(folder, plan.from, newLeaf);
    if (renamed)
        return {};
    parents.forget(folder);
    return FailedAt(RenameStep::ToNewName, renamed.failure(), from);
}

// The path the caller gave, where it names the same folder under the same parent: a run of a
// hundred thousand rows need not build two more paths for each.
ListedPath Joined(const ListedPath& given, const QString& folder, const QString& name,
                  QChar separator) {
    const QString& head = given.head();
    const QStringView tail = given.tail();
    const QStringView own = head.isEmpty() && tail.startsWith(folder)
                                ? tail.sliced(folder.size())
                                : (head == folder ? tail : QStringView());
    if (IsNameWithSeparator(own, name, separator))
        return given;
    return ListedPath(folder, name + separator);
}

} // namespace

RenameOutcome RenameFilesWild(FileSystem& fileSystem, ParentEntries& parents,
                              const FailureReport& report, const ListedPath& current,
                              const ListedPath& next, FileIdentity listedAs) {
    HeldFailures held;
    static const QString label = QString::fromUtf16(kRenameFilesWildLabel);
    ErrorTrap trap(label, held.sink());

    // 104-126: the row's names.
    const std::optional<RowNames> names = CutNames(trap, fileSystem, current, next);
    if (!names)
        return {};
    // 128-132: its new name checked, its parent found and read.
    const Result<FoundParent, NotRenamed> parent = FindParent(parents, *names);
    // 134-146: the plan, from the parent's entries.
    std::optional<RenamePlan> plan;
    if (parent) {
        trap.reach(RenameStep::Plan);
        plan = PlanFor(fileSystem, parents, *parent, *names, listedAs);
    }
    const bool renames = plan && (plan->action == RenamePlan::Action::Rename ||
                                  plan->action == RenamePlan::Action::AlreadyNamed);
    // Read before the renames change the entries.
    const DirectoryEntry* entry = renames ? parent->entries->find(plan->from) : nullptr;
    const FileIdentity identity = entry ? entry->identity : FileIdentity{};
    if (renames)
        trap.reach(RenameStep::CheckFolder);
    // 150-152: the renames.
    const Result<void, NotRenamed> done =
        !parent    ? Result<void, NotRenamed>(parent.failure())
        : !renames ? Result<void, NotRenamed>(Unrenamable(*plan, *names, parent->path))
                   : CarryOut(parents, parent->path, *plan, names->newLeaf);

    // 156-186: what became of the folder, told once.
    RenameOutcome outcome;
    if (done) {
        trap.reach(RenameStep::Renamed);
        trap.reach(RenameStep::End);
        const QChar separator = fileSystem.separator();
        outcome.happened = Happened::Renamed;
        outcome.newPath = Joined(next, parent->path, names->newLeaf, separator);
        outcome.newName = names->newLeaf;
        outcome.oldPath = Joined(current, parent->path, plan->from, separator);
        outcome.identity = identity;
    } else {
        const NotRenamed& failure = done.failure();
        outcome.happened = failure.happened;
        outcome.reason = failure.reason;
        if (failure.supersedes)
            held.nextSupersedes();
        if (failure.told)
            trap.fail(*failure.line, *failure.told);
    }
    held.settle(outcome.renamed(), report);
    return outcome;
}

RenameOutcome RenameFilesWild(FileSystem& fileSystem, ParentEntries& parents,
                              const FailureReport& report, const QString& currentPath,
                              const QString& newPath) {
    return RenameFilesWild(fileSystem, parents, report, ListedPath(currentPath),
                           ListedPath(newPath));
}

RenameOutcome RenameFilesWild(FileSystem& fileSystem, const FailureReport& report,
                              const QString& currentPath, const QString& newPath) {
    ParentEntries parents(fileSystem);
    return RenameFilesWild(fileSystem, parents, report, currentPath, newPath);
}

} // namespace tarnwick
