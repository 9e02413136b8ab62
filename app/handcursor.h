#pragma once

#include <QCursor>
#include <QPoint>
#include <QString>
#include <optional>

namespace tarnwick {

// The hotspot that a cursor file's header gives its first image (bytes 10-13, little-endian);
// none when the file is too short to hold it.
std::optional<QPoint> CursorFileHotspot(const QByteArray& contents);

// Loads a cursor file (Windows .cur) as a pointer image. Throws Failure when the file cannot be
// read or holds no image.
QCursor LoadCursorFile(const QString& path);

} // namespace tarnwick
