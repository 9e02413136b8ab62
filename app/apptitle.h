#pragma once

#include <QString>

namespace tarnwick {

// The title of every message box without one of its own: the product name less its last word,
// repeated while longer than 40 characters. A name without a blank is its own title.
QString SetAppTitle(const QString& productName);

} // namespace tarnwick
