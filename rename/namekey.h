#pragma once

#include <QChar>
#include <QString>

#include "common/pathtext.h"

// The key under which the rename engine compares folder names: a lossy, normalised form that is
// never shown or used as a name on disk.
namespace tarnwick {

// The name key of name; removals is a comma-separated list of further texts to delete.
QString CleanFileName(const QString& name, const QString& removals = {});

// True when the leaf of candidate and the leaf of reference have the same name key.
bool IsSameFilename(const QString& candidate, const QString& reference,
                    QChar separator = kHostSeparator);

} // namespace tarnwick
