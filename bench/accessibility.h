#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>

namespace tarnwick::bench {

// The accessibility bus as a desktop with a screen reader has it: at-spi's bus launcher on the
// session bus and a listener registered for the events a screen reader follows, so the bridge
// sends them. Run inside dbus-run-session; returns why not, or nothing once the bridge is on.
QString TurnOnAccessibilityBridge(QProcess& launcher, QDBusConnection& listener);

} // namespace tarnwick::bench
