#pragma once

#include <QColor>

namespace tarnwick {

// Contrast as the web's accessibility guidelines measure it: from 1 (none) to 21 (black on white).
double RelativeLuminance(const QColor& colour);
double ContrastRatio(const QColor& a, const QColor& b);

// The colour t of the way from a to b.
QColor Mix(const QColor& a, const QColor& b, double t);

// wanted itself when it reads on background (a contrast of 4.5 or more), else wanted moved towards
// black or white, whichever reads better there, just far enough to read.
QColor ReadableOn(const QColor& wanted, const QColor& background);

// Text for a background the design fixes: preferred when it reads there, else black or white,
// whichever reads better.
QColor TextOn(const QColor& background, const QColor& preferred);

} // namespace tarnwick
