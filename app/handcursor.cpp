#include "app/handcursor.h"

#include "common/failure.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QPixmap>

namespace tarnwick {

std::optional<QPoint> CursorFileHotspot(const QByteArray& contents) {
    if (contents.size() < 14)
        return std::nullopt;
    auto word = [&](int at) {
        return static_cast<unsigned char>(contents[at]) |
               (static_cast<unsigned char>(contents[at + 1]) << 8);
    };
    return QPoint(word(10), word(12));
}

QCursor LoadCursorFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(failure_code::kPathFileAccessError,
                      QCoreApplication::translate("Tarnwick", "Path/File access error"),
                      file.errorString());
    const QByteArray contents = file.readAll();
    QBuffer buffer;
    buffer.setData(contents);
    buffer.open(QIODevice::ReadOnly);
    // The ico reader takes cursor files too; it is told the format since ".cur" names none.
    QImageReader reader(&buffer, "ico");
    const QImage image = reader.read();
    const std::optional<QPoint> hotspot = CursorFileHotspot(contents);
    if (image.isNull() || !hotspot)
        throw Failure(481, QCoreApplication::translate("Tarnwick", "Invalid picture"));
    const QPoint clamped(std::min(hotspot->x(), image.width() - 1),
                         std::min(hotspot->y(), image.height() - 1));
    return QCursor(QPixmap::fromImage(image), clamped.x(), clamped.y());
}

} // namespace tarnwick
