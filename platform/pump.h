#pragma once

#include <QtGlobal>

namespace tarnwick {

// Lets the window process pending messages once; long loops call it at fixed points.
void PumpMessages();

// Milliseconds on a clock that only goes forward, cheap enough to read at every folder of a long
// loop; a few milliseconds coarse, which is fine for deciding when the window works next.
qint64 CoarseMilliseconds();

} // namespace tarnwick
