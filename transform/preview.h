#pragma once

#include "common/labels.h"
#include <QChar>
#include <QString>

#include "common/errortrap.h"
#include "common/pathtext.h"
#include "transform/operations.h"

namespace tarnwick {

class FolderListModel;
class KnownFolders;

// The proposed new path of one row: its parent unchanged, its own name converted, one separator
// at the end. One trailing separator of now is dropped first, so a root "//" keeps "/".
QString PreviewNewPath(const QString& now, Operation operation, QChar separator = kHostSeparator);

// The preview pass: recomputes the new-path column of every row from its current path with the
// operation the text names, and marks the rows whose folders the desktop knows by their paths.
// Changes nothing when the list is empty or no operation is named.
void PreviewRename(FolderListModel& list, const QString& operationText, const FailureReport& report,
                   QChar separator = kHostSeparator);
void PreviewRename(FolderListModel& list, const QString& operationText, const FailureReport& report,
                   QChar separator, const KnownFolders& known);

} // namespace tarnwick
