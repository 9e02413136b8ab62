#pragma once

#include "common/failure.h"

#include <QByteArray>
#include <QString>
#include <climits>
#include <cstddef>
#include <optional>

// Names and paths between the program's texts and the system's bytes.
namespace tarnwick::posix {

// The host's plain words for an errno value, with the system's own text.
Failure FailureFromErrno(int error);

bool IsDotOrDotDot(const char* name);

// The path in the system's bytes, separators collapsed and trailing ones dropped ("/" stays);
// none for a text that cannot name anything (a NUL, or no way back to the same text).
std::optional<QByteArray> SystemPath(const QString& path);

// One entry name of a folder in the system's bytes; none when it could not be one.
std::optional<QByteArray> SystemName(const QString& name);

// The same bytes as SystemName, held without allocating where the name is plain ASCII (most
// names): a run renaming a hundred thousand folders asks for no memory to name them.
class NameBytes {
public:
    explicit NameBytes(const QString& name);
    NameBytes(const NameBytes&) = delete;
    NameBytes& operator=(const NameBytes&) = delete;
    // Null when the name could not be one.
    const char* data() const;

private:
    char m_ascii[NAME_MAX + 1];
    bool m_inline = false;
    std::optional<QByteArray> m_bytes;
};

// The entry's name as text; none when the text would not lead back to the same bytes.
std::optional<QString> EntryName(const char* name, std::size_t length);

// Tells whether an entry bears a name in any letter case. Only names that are not plain ASCII
// on both sides are decoded, so a scan of a large folder costs no text per entry.
class NameMatcher {
public:
    NameMatcher(const QByteArray& name, const QString& text);
    bool matches(const char* entry, std::size_t length) const;

private:
    const QByteArray& m_name;
    const QString& m_text;
    bool m_ascii;
};

} // namespace tarnwick::posix
