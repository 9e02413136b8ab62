#pragma once

namespace tarnwick {

// Lets the window process pending messages once; long loops call it at fixed points.
void PumpMessages();

} // namespace tarnwick
