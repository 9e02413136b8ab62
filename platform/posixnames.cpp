#include "platform/posixnames.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tarnwick::posix {

namespace {

// Both flavours of strerror_r: the GNU one returns the text, the XSI one fills the buffer.
[[maybe_unused]] const char* ErrorText(int result, const char* buffer) {
    return result == 0 ? buffer : "Unknown error";
}
[[maybe_unused]] const char* ErrorText(const char* text, const char*) {
    return text;
}

bool IsAscii(const char* text, qsizetype length) {
    return std::all_of(text, text + length,
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The text in the system's bytes; none when they would lead back to another text (a lone
// surrogate becomes U+FFFD) and so address another entry than the one meant. Plain ASCII, most
// names, is its own bytes and always comes back: no conversion to pay for.
std::optional<QByteArray> Encoded(const QString& text) {
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return text.toLatin1();
    QByteArray bytes = QFile::encodeName(text);
    if (QFile::decodeName(bytes) != text)
        return std::nullopt;
    return bytes;
}

// Whether a text could be one entry's name at all: not empty, not "." or "..", and no "/" or NUL.
bool CanNameEntry(const QString& name) {
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') &&
           !name.contains(QChar(0));
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

} // namespace

Failure FailureFromErrno(int error) {
    int number = failure_code::kPathFileAccessError;
    const char* plain = QT_TRANSLATE_NOOP("Tarnwick", "Path/File access error");
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        number = failure_code::kPermissionDenied;
        plain = QT_TRANSLATE_NOOP("Tarnwick", "Permission denied");
        break;
    case ENOENT:
    case ENOTDIR:
        number = failure_code::kPathNotFound;
        plain = QT_TRANSLATE_NOOP("Tarnwick", "Path not found");
        break;
    case EEXIST:
    case ENOTEMPTY:
        number = failure_code::kFileAlreadyExists;
        plain = QT_TRANSLATE_NOOP("Tarnwick", "File already exists");
        break;
    default:
        break;
    }
    char buffer[256] = {};
    const char* text = ErrorText(strerror_r(error, buffer, sizeof buffer), buffer);
    return Failure(number, QCoreApplication::translate("Tarnwick", plain),
                   QString::fromLocal8Bit(text));
}

bool IsDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

std::optional<QByteArray> SystemPath(const QString& path) {
    if (path.contains(QChar(0)))
        return std::nullopt;
    std::optional<QByteArray> bytes = Encoded(path);
    if (!bytes)
        return std::nullopt;
    char* text = bytes->data();
    qsizetype kept = 0;
    for (qsizetype i = 0; i < bytes->size(); ++i) {
        if (text[i] == '/' && kept > 0 && text[kept - 1] == '/')
            continue;
        text[kept++] = text[i];
    }
    if (kept > 1 && text[kept - 1] == '/')
        --kept;
    bytes->truncate(kept);
    return bytes;
}

std::optional<QByteArray> SystemName(const QString& name) {
    if (!CanNameEntry(name))
        return std::nullopt;
    return Encoded(name);
}

NameBytes::NameBytes(const QString& name) {
    const qsizetype size = name.size();
    const bool plain =
        size <= NAME_MAX && CanNameEntry(name) &&
        std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (!plain) {
        m_bytes = SystemName(name);
        return;
    }
    for (qsizetype i = 0; i < size; ++i)
        m_ascii[i] = static_cast<char>(name[i].unicode());
    m_ascii[size] = '\0';
    m_inline = true;
}

const char* NameBytes::data() const {
    if (m_inline)
        return m_ascii;
    return m_bytes ? m_bytes->constData() : nullptr;
}

std::optional<QString> EntryName(const char* name, std::size_t length) {
    const auto size = static_cast<qsizetype>(length);
    if (IsAscii(name, size)) {
        // With room for one character more: a walk's row appends the separator to it.
        QString text;
        text.reserve(size + 1);
        return text.append(QLatin1StringView(name, size));
    }
    const QByteArray bytes = QByteArray::fromRawData(name, size);
    QString text = QFile::decodeName(bytes);
    if (QFile::encodeName(text) != bytes)
        return std::nullopt;
    return text;
}

NameMatcher::NameMatcher(const QByteArray& name, const QString& text)
    : m_name(name), m_text(text), m_ascii(IsAscii(name.constData(), name.size())) {}

bool NameMatcher::matches(const char* entry, std::size_t length) const {
    if (m_ascii && IsAscii(entry, static_cast<qsizetype>(length))) {
        if (length != static_cast<std::size_t>(m_name.size()))
            return false;
        for (std::size_t i = 0; i < length; ++i) {
            if (Lower(entry[i]) != Lower(m_name[static_cast<qsizetype>(i)]))
                return false;
        }
        return true;
    }
    const std::optional<QString> text = EntryName(entry, length);
    return text && text->compare(m_text, Qt::CaseInsensitive) == 0;
}

} // namespace tarnwick::posix
