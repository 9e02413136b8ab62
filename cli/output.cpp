#include "cli/output.h"

#include "common/pathtext.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QPair>
#include <cerrno>

namespace tarnwick::cli {

void Output::write(const QByteArray& bytes) {
    if (m_closed)
        return;
    if (std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), m_out) !=
            static_cast<std::size_t>(bytes.size()) ||
        std::ferror(m_out))
        m_closed = true;
}

void Output::line(const QString& text) {
    write(text.toLocal8Bit() + '\n');
}

void Output::folder(const FolderLine& folder, const QString& text) {
    if (!m_json) {
        line(text);
        return;
    }
    QJsonObject object{{QStringLiteral("path"), folder.path},
                       {QStringLiteral("status"), folder.status}};
    if (!folder.newPath.isEmpty())
        object.insert(QStringLiteral("newPath"), folder.newPath);
    if (!folder.reason.isEmpty())
        object.insert(QStringLiteral("reason"), folder.reason);
    write(QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
}

void Output::summary(const QString& text, const QList<QPair<QString, int>>& numbers) {
    if (!m_json) {
        line(text);
        return;
    }
    QJsonObject object{{QStringLiteral("status"), QStringLiteral("summary")}};
    for (const auto& [name, number] : numbers)
        object.insert(name, number);
    write(QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
}

void Output::error(const QString& text) {
    std::fflush(m_out);
    std::fputs(("tarnwick: " + text + u'\n').toLocal8Bit().constData(), m_err);
    std::fflush(m_err);
}

bool Output::closed() {
    if (!m_closed && std::fflush(m_out) != 0)
        m_closed = true;
    return m_closed;
}

QString ShownPath(const QString& listed, QChar separator) {
    const QString path = WithoutTrailingSeparator(listed, separator);
    return path.isEmpty() ? QString(separator) : path;
}

} // namespace tarnwick::cli
