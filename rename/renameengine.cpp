#include "rename/renameengine.h"

#include "common/failure.h"
#include "common/pathtext.h"
#include "platform/filesystem.h"
#include "rename/parententries.h"
#include "rename/renameplan.h"

#include <QStringList>
#include <optional>
#include <type_traits>

namespace tarnwick {
namespace {

// The failures of one folder, held until its rename is settled.
class HeldFailures {
public:
    // The first failure is the one told, unless a later one leaves the folder where the user
    // must be told to look for it.
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

} // namespace

RenameOutcome RenameFilesWild(FileSystem& fileSystem, ParentEntries& parents,
                              const FailureReport& report, const ListedPath& current,
                              const ListedPath& next) {
    HeldFailures held;
    static const QString label = QString::fromUtf16(kRenameFilesWildLabel);
    ErrorTrap trap(label, held.sink());
    const QChar separator = fileSystem.separator();
    RenameOutcome outcome;
    // The last failure a step met, for the row's reason.
    std::optional<Failure> lastFailure;
    const auto failed = [&](const Failure& failure) {
        if (!lastFailure)
            lastFailure = failure;
    };
    const auto settle = [&] {
        if (!outcome.renamed && outcome.result == RenameOutcome::Result::Failed &&
            outcome.reason.isEmpty() && lastFailure)
            outcome.reason = lastFailure->description();
        held.settle(outcome.renamed, report);
        return outcome;
    };
    // A step whose failure also becomes the row's reason. The path it names is a text, or what
    // makes one: most steps succeed, and a run should not build a path for each.
    const auto step = [&](int line, const auto& path, auto&& body) {
        return trap.step(line, [&] {
            try {
                body();
            } catch (const Failure& failure) {
                failed(failure);
                if constexpr (std::is_invocable_v<decltype(path)>)
                    throw failure.about(path());
                else
                    throw failure.about(path);
            }
        });
    };

    std::optional<QString> parent;
    std::optional<QString> leaf;
    std::optional<QString> newLeaf;
    const auto replaceRefused = [&](QString& text) {
        for (const QChar refused : fileSystem.refusedNameCharacters())
            text.replace(refused, u'_');
    };
    if (current.cutAtName(separator) && next.cutAtName(separator)) {
        // Kept as a parent's path and a name, as nearly every row is: there is nothing to cut.
        parent = current.head();
        leaf = WithoutTrailingSeparator(current.tail(), separator);
        newLeaf = WithoutTrailingSeparator(next.tail(), separator);
        trap.step(104, [&] { replaceRefused(*newLeaf); });
        trap.reach(108);
    } else {
        QString target = next.toString();
        trap.step(104, [&] { replaceRefused(target); });
        // The host layer is there for the whole program; there is nothing to create per call.
        trap.reach(108);
        const QString reference = WithoutTrailingSeparator(current.toString(), separator);
        parent = trap.value(112, [&] { return GetParentPath(reference, separator); });
        leaf = trap.value(120, [&] { return GetLeafName(reference, separator); });
        newLeaf = trap.value(126, [&] {
            return GetLeafName(WithoutTrailingSeparator(target, separator), separator);
        });
    }
    // A root, or any path without a last component, has no name of its own to change.
    if (!parent || !leaf || !newLeaf || leaf->isEmpty())
        return outcome;
    // The listed path less its trailing separator, made only to name it in a failure.
    const auto reference = [&] { return *parent + *leaf; };
    outcome.result = RenameOutcome::Result::Failed;
    if (!step(128, reference, [&] {
            if (newLeaf->isEmpty())
                throw Failure(failure_code::kPathFileAccessError,
                              QStringLiteral("The new name is empty"));
        }))
        return settle();

    // A parent that cannot be found leaves nothing to read: one failure tells it all.
    std::optional<QString> folder;
    // Finding the parent reads it too: a parent that is there but cannot be read fails reading.
    std::optional<Failure> unreadable;
    if (!step(130, *parent, [&] {
            try {
                folder = parents.find(*parent);
            } catch (const Failure& failure) {
                unreadable = failure;
                folder = *parent;
            }
            if (!folder)
                throw PathNotFound();
        }))
        return settle();
    const EntryIndex* entries = nullptr;
    if (!step(132, *folder, [&] {
            if (unreadable)
                throw *unreadable;
            entries = &parents.entries(*folder);
        }))
        return settle();
    trap.reach(134);

    const HostRules& rules = fileSystem.rules();
    // Only a disk that ignores letter case finds a name no entry bears exactly, and it is asked
    // only then.
    const bool hostFindsLeaf =
        !rules.lossyListings && !entries->find(*leaf) && PathExists(fileSystem, *folder + *leaf);
    const RenamePlan plan = PlanRename(*entries, *leaf, *newLeaf, rules, hostFindsLeaf);
    const auto from = [&] { return *folder + plan.from; };
    switch (plan.action) {
    case RenamePlan::Action::NotFound:
        outcome.result = RenameOutcome::Result::NotFound;
        outcome.reason = QString::fromUtf16(kNotFoundReason);
        return settle();
    case RenamePlan::Action::Ambiguous:
        step(146, reference, [&] {
            throw Failure(failure_code::kPathFileAccessError,
                          QStringLiteral("Folder name is ambiguous"),
                          QStringLiteral("it matches %1 folders").arg(plan.matches));
        });
        return settle();
    case RenamePlan::Action::Refused:
        trap.reach(146);
        step(152, from, [&] {
            throw Failure(failure_code::kFileAlreadyExists, QStringLiteral("File already exists"),
                          (plan.refusal == RenamePlan::Refusal::NameTaken
                               ? QStringLiteral("another folder bears the name %1")
                               : QStringLiteral("another folder bears the name %1 in other "
                                                "letter case"))
                              .arg(*newLeaf));
        });
        outcome.result = RenameOutcome::Result::Refused;
        outcome.reason = QString::fromUtf16(kRefusedReason);
        return settle();
    case RenamePlan::Action::AlreadyNamed:
    case RenamePlan::Action::Rename:
        break;
    }
    trap.reach(146);

    const bool detoured = plan.throughIntermediate && step(150, from, [&] {
                              parents.rename(*folder, plan.from, plan.intermediate);
                          });
    if (detoured) {
        if (step(152, from, [&] { parents.rename(*folder, plan.intermediate, *newLeaf); })) {
            outcome.renamed = true;
        } else {
            parents.forget(*folder);
            // Never leave a folder under the intermediate name: give it back its own. When even
            // that fails, where the folder now is matters more than why it moved.
            held.nextSupersedes();
            const bool restored = step(152, from, [&] {
                try {
                    parents.rename(*folder, plan.intermediate, plan.from);
                } catch (const Failure& failure) {
                    const QString kept = QStringLiteral("the folder keeps the temporary name ") +
                                         *folder + plan.intermediate;
                    throw Failure(failure.number(), failure.plain(),
                                  failure.systemText().isEmpty()
                                      ? kept
                                      : failure.systemText() + QStringLiteral("; ") + kept);
                }
            });
            outcome.renamed = restored && plan.from == *newLeaf;
        }
    } else if (plan.from == *newLeaf) {
        // It bears the new name already; renaming it onto itself is refused on some hosts.
        outcome.renamed = true;
    } else {
        if (plan.throughIntermediate)
            parents.forget(*folder);
        // Safe without the detour: a rename never replaces what bears the new name.
        outcome.renamed = step(152, from, [&] { parents.rename(*folder, plan.from, *newLeaf); });
        if (!outcome.renamed)
            parents.forget(*folder);
    }
    if (outcome.renamed) {
        outcome.result = RenameOutcome::Result::Renamed;
        // The paths the caller gave, where they name the same: a run of a hundred thousand rows
        // need not build two more paths for each.
        const auto joined = [&](const ListedPath& given, const QString& name) {
            const QString& head = given.head();
            const QStringView tail = given.tail();
            const QStringView own = head.isEmpty() && tail.startsWith(*folder)
                                        ? tail.sliced(folder->size())
                                        : (head == *folder ? tail : QStringView());
            if (IsNameWithSeparator(own, name, separator))
                return given;
            return ListedPath(*folder, name + separator);
        };
        outcome.newPath = joined(next, *newLeaf);
        outcome.newName = *newLeaf;
        outcome.oldPath = joined(current, plan.from);
    }
    trap.reach(156);
    trap.reach(186);
    return settle();
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
