#include "rename/namekey.h"

#include "common/ansi.h"

namespace tarnwick {
namespace {

QString TrimSpaces(const QString& text) {
    qsizetype first = 0, last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.mid(first, last - first);
}

// The name's bytes in the code page, two to a 16-bit unit, low byte first; an odd last byte
// forms a unit of its own.
QString RawBytesKey(const QString& name) {
    const QByteArray bytes = ansi::ToBytes(name);
    QString key;
    key.reserve((bytes.size() + 1) / 2);
    for (qsizetype i = 0; i < bytes.size(); i += 2) {
        const auto low = static_cast<unsigned char>(bytes[i]);
        const auto high = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
        key.append(QChar(char16_t(low | (high << 8))));
    }
    return key;
}

bool IsRemovedCode(int code) {
    return code <= 31 || (code >= 127 && code <= 159);
}

} // namespace

QString CleanFileName(const QString& name, const QString& removals) {
    QString key;
    key.reserve(name.size());
    for (const QChar character : name) {
        const int code = ansi::CodeOf(character);
        if (code < 255)
            key.append(ansi::CharacterFor(code));
    }
    key = TrimSpaces(key);
    if (key.isEmpty())
        key = RawBytesKey(name);

    // The characters for the codes 0 to 31 and 127 to 159 all go, wherever they stand.
    QString kept;
    kept.reserve(key.size());
    for (const QChar unit : key) {
        if (!IsRemovedCode(ansi::CodeOf(unit)))
            kept.append(unit);
    }
    key = kept;

    for (const QString& piece : removals.split(u',', Qt::KeepEmptyParts)) {
        if (!TrimSpaces(piece).isEmpty())
            key.remove(piece);
    }
    return key;
}

bool IsSameFilename(const QString& candidate, const QString& reference, QChar separator) {
    return CleanFileName(GetLeafName(candidate, separator)) ==
           CleanFileName(GetLeafName(reference, separator));
}

} // namespace tarnwick
