#pragma once

#include "common/labels.h"
#include <QString>
#include <QStringList>

class QObject;

namespace tarnwick {

class UserDialogs;
class WindowServices;

inline constexpr char16_t kSelectFolderPrompt[] = u"Please select folder:";

// Shows the modal folder browser opened on startFolder (its default location when empty) and
// returns the chosen folder's path, or the empty text when the user cancels.
QString BrowseForFolder(UserDialogs& dialogs, QObject* owner, const QString& prompt,
                        const QString& startFolder);

// "Add Folder(s)": appends the chosen folder, and with the subfolder option every folder below it,
// deepest first and then in path order; ends with the preview pass, also after a cancel.
void PushButton3_Click(WindowServices& window);

// Adds each folder as if it had been chosen in "Add Folder(s)", in the order given, under one
// hourglass and with one preview pass at the end. Nothing happens for an empty list.
void AddChosenFolders(WindowServices& window, const QStringList& chosenFolders);

// An absolute path as the folder browser would return it.
QString ChosenFolderPath(const QString& absolutePath);

} // namespace tarnwick
