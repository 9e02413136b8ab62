#pragma once

#include "screenreader.h"

#include <QProcess>
#include <QString>

namespace tarnwick::bench {

// The accessibility bus as a desktop with a screen reader has it: at-spi's bus launcher on the
// session bus and a screen reader registered for the events it follows, so the bridge sends
// them. Run inside dbus-run-session; returns why not, or nothing once the bridge is on.
QString TurnOnAccessibilityBridge(QProcess& launcher, ScreenReaderProcess& reader);

} // namespace tarnwick::bench
