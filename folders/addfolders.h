#pragma once

#include "common/labels.h"
#include "folders/window.h"

#include <QString>
#include <QStringList>
#include <functional>

class QObject;

namespace tarnwick {

class FileSystem;
class ListRows;
class UserDialogs;

inline constexpr char kSelectFolderPrompt[] =
    QT_TRANSLATE_NOOP("Tarnwick", "Please select folder:");

// Shows the modal folder browser opened on startFolder (its default location when empty) and
// returns the chosen folder's path, or the empty text when the user cancels.
QString BrowseForFolder(UserDialogs& dialogs, QObject* owner, const QString& prompt,
                        const QString& startFolder);

// "Add Folder(s)": appends the chosen folder, and with the subfolder option every folder below it,
// deepest first and then in path order; ends with the preview pass, also after a cancel.
void PushButton3_Click(WindowServices& window);

// What an addition needs of its surroundings: the window gives its own, a script its own.
struct AddSurroundings {
    ListRows& rows;
    FileSystem& fileSystem;
    // Where failures are told.
    UserDialogs& dialogs;
    // Whether every folder below a chosen one is added too; asked for each chosen folder.
    std::function<bool()> withSubfolders;
    // Lets the surroundings work between folders; empty where nothing else needs to work.
    std::function<void()> pump;
    // Shows the hourglass while a folder is added, and the arrow after; empty without a window.
    std::function<void(PointerSetting)> setPointer;
    // Told how many folders the walk has found so far; empty where nobody watches.
    std::function<void(int found)> progress{};
    // True once the user asked the addition to stop: the folders found so far are added, and
    // no further chosen folder is walked. Empty where nobody can ask.
    std::function<bool()> stopRequested{};
};

// Appends each chosen folder, and with the subfolder option every folder below it, as "Add
// Folder(s)" does, deepest first and then in path order, in the order given. No preview pass.
void AddFolders(const AddSurroundings& surroundings, const QStringList& chosenFolders);

// Adds each folder as if it had been chosen in "Add Folder(s)", in the order given, under one
// hourglass and with one preview pass at the end. Nothing happens for an empty list.
void AddChosenFolders(WindowServices& window, const QStringList& chosenFolders);

// An absolute path as the folder browser would return it.
QString ChosenFolderPath(const QString& absolutePath);

} // namespace tarnwick
