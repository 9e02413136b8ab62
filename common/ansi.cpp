#include "common/ansi.h"

#include <array>

namespace tarnwick::ansi {
namespace {

// Bytes 0x80 to 0x9F; every other byte stands for the Unicode character of the same value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

int CodeOf(QChar character) {
    const char16_t unit = character.unicode();
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return unit;
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == unit)
            return 0x80 + static_cast<int>(i);
    }
    return kDefaultCode;
}

QChar CharacterFor(int code) {
    if (code >= 0x80 && code <= 0x9F)
        return QChar(kHighControls[static_cast<std::size_t>(code - 0x80)]);
    if (code < 0 || code > 0xFF)
        return QChar(char16_t(kDefaultCode));
    return QChar(char16_t(code));
}

QByteArray ToBytes(const QString& text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        bytes[i] = static_cast<char>(CodeOf(text[i]));
    return bytes;
}

QString FromBytes(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        text[i] = CharacterFor(static_cast<unsigned char>(bytes[i]));
    return text;
}

} // namespace tarnwick::ansi
