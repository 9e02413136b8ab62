#pragma once

#include "rename/journal.h"
#include "rename/journalreader.h"

#include <QString>

namespace tarnwick {

class FileSystem;
class UserDialogs;

inline constexpr char kFinishRunButton[] = QT_TRANSLATE_NOOP("Tarnwick", "Finish Run");
inline constexpr char kTakeBackButton[] = QT_TRANSLATE_NOOP("Tarnwick", "Take Back");
inline constexpr char kLaterButton[] = QT_TRANSLATE_NOOP("Tarnwick", "Later");
inline constexpr char kUnfinishedRunQuestion[] = QT_TRANSLATE_NOOP(
    "Tarnwick", "The last run was interrupted before it ended: %1 of its %2 folders do not bear "
                "their new names yet, %3 of them are under a temporary name.\n\n"
                "Finish Run gives every folder its new name. Take Back gives every folder the name "
                "it had before the run. Later leaves them as they are and asks again at the next "
                "start.");
inline constexpr char kRecoveryLeftHeading[] =
    QT_TRANSLATE_NOOP("Tarnwick", "Folders of the interrupted run left as they are:");
inline constexpr char kNotTheFolderReason[] =
    QT_TRANSLATE_NOOP("Tarnwick", "Left as it is: it is not the folder the run renamed, or another "
                                  "program has renamed it since");

// What recovery did.
struct RecoveryTally {
    // Unfinished runs offered; runs whose process still goes are never offered.
    int offered = 0;
    // Folders renamed by the choices made.
    int renamed = 0;
    // Folders left as they are and reported.
    int leftAlone = 0;
    // Journals that could not be read, kept aside and told.
    int keptAside = 0;
};

// Offers, once each, the runs recorded in folder that ended before their end and whose process is
// gone (a crash, a pulled disk, a closed window): every folder of the run is looked for on disk by
// its identity (by its names where the disk's identities do not last), and one box tells how many
// do not bear their new names yet and how many are under a temporary name, with "Finish Run",
// "Take Back" and "Later". A folder that is not the one recorded, or that another program renamed
// since, is never renamed: those are told, one line each, in one box. Afterwards no folder of the
// run bears a temporary name, and a finished run can be undone. A journal that cannot be read is
// kept aside and told, never acted on. For both front ends: the window calls it once it shows,
// the command line before it starts. tellLeft, where given, tells the folders left alone one line
// each, every one of them, instead of the box (a terminal has no box to overflow).
RecoveryTally RecoverUnfinishedRuns(FileSystem& fileSystem, UserDialogs& dialogs,
                                    const QString& title, const QString& folder = JournalFolder(),
                                    const TellUser& tellLeft = {});

} // namespace tarnwick
