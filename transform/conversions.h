#pragma once

#include <QString>

// The four case conversions of a folder name. Each maps one 16-bit unit to one unit, so a name
// never changes its length.
namespace tarnwick {

QString ToUpperCase(const QString& text);
QString ToLowerCase(const QString& text);

// The first character and every character right after a blank, tab or carriage return in upper
// case, every other one in lower case.
QString ToProperCase(const QString& text);

// The first character in upper case, the rest in lower case.
QString ToSentenceCase(const QString& text);

// The same, written at out, which has room for text.size() units.
void ToUpperCase(QStringView text, QChar* out);
void ToLowerCase(QStringView text, QChar* out);
void ToProperCase(QStringView text, QChar* out);
void ToSentenceCase(QStringView text, QChar* out);

} // namespace tarnwick
