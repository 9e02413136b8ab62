#pragma once

#include "platform/filesystem.h"
#include "rename/parententries.h"

#include <QString>

namespace tarnwick {

// What the engine will do for one listed folder, decided from its parent's entries alone.
struct RenamePlan {
    enum class Action {
        // No entry of the parent is the listed folder.
        NotFound,
        // More than one entry shares the listed folder's name key: none is taken.
        Ambiguous,
        // Renaming would meet another entry; refusal says which.
        Refused,
        // The folder bears the new name already and the detour would gain nothing.
        AlreadyNamed,
        Rename,
    };
    enum class Refusal {
        None,
        // Another entry bears the new name exactly.
        NameTaken,
        // Another entry bears the new name in other letter case, and the host refuses that.
        CaseTwinBearsNewName,
    };

    Action action = Action::NotFound;
    // The entry's name as the parent lists it.
    QString from;
    // Through the intermediate name, so that a change of letter case alone takes effect.
    bool throughIntermediate = false;
    QString intermediate;
    Refusal refusal = Refusal::None;
    // With Ambiguous: how many entries share the key.
    int matches = 0;

    friend bool operator==(const RenamePlan&, const RenamePlan&) = default;
};

inline constexpr char16_t kIntermediateSuffix[] = u"9999999";

// Decides, without asking the disk, what becomes of the folder listed under listedLeaf when it
// is to bear newLeaf. Only the listed folder is renamed: the entry bearing exactly its name,
// else, where the host's own lookup finds the name (hostFindsLeaf: a disk that ignores letter
// case), the one entry bearing it in other case, else, where listings are lossy, the one entry
// with the same name key. separator splits nothing; it is the host's, for the name key. Only
// where the parent's lookup ignores letter case does a rename go through the intermediate name:
// elsewhere one rename takes effect at once, and leaves nothing half done.
// listedAs, where given, is what the folder was when it was listed: an entry bearing its name
// that is another folder now is not it.
RenamePlan PlanRename(const EntryIndex& entries, const QString& listedLeaf, const QString& newLeaf,
                      const HostRules& rules, bool hostFindsLeaf, bool parentIgnoresCase = true,
                      std::optional<FileIdentity> listedAs = std::nullopt);

} // namespace tarnwick
