#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

// The ANSI code page of the host the program's name rules were made for: Windows-1252, built in so
// that the rules give the same answers on every host. No best-fit mapping: a character the code
// page lacks becomes "?".
namespace tarnwick::ansi {

inline constexpr int kDefaultCode = 63; // "?"

// The character's code in the code page (0 to 255), or 63 when the code page lacks it.
int CodeOf(QChar character);

// The character that a code (0 to 255) stands for; the five bytes Windows-1252 leaves undefined
// map to the control characters of the same value.
QChar CharacterFor(int code);

// The text in the code page, one byte per 16-bit unit.
QByteArray ToBytes(const QString& text);
QString FromBytes(const QByteArray& bytes);

} // namespace tarnwick::ansi
