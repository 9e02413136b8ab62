#include "transform/conversions.h"

namespace tarnwick {
namespace {

// A unit whose mapping leaves the 16-bit range (none in current Unicode) stays as it is, so the
// length can never change.
QChar UpperUnit(QChar unit) {
    const char32_t mapped = QChar::toUpper(char32_t(unit.unicode()));
    return mapped <= 0xFFFF ? QChar(char16_t(mapped)) : unit;
}

QChar LowerUnit(QChar unit) {
    const char32_t mapped = QChar::toLower(char32_t(unit.unicode()));
    return mapped <= 0xFFFF ? QChar(char16_t(mapped)) : unit;
}

bool IsWordSeparator(QChar unit) {
    return unit == u' ' || unit == u'\t' || unit == u'\r';
}

} // namespace

// Each writes text.size() units at out. Written through a pointer: indexing a QString that may
// be shared asks whether to copy it at every unit.
void ToUpperCase(QStringView text, QChar* out) {
    for (const QChar unit : text)
        *out++ = UpperUnit(unit);
}

void ToLowerCase(QStringView text, QChar* out) {
    for (const QChar unit : text)
        *out++ = LowerUnit(unit);
}

void ToProperCase(QStringView text, QChar* out) {
    bool capitaliseNext = true;
    for (const QChar unit : text) {
        const QChar lower = LowerUnit(unit);
        *out++ = capitaliseNext ? UpperUnit(lower) : lower;
        capitaliseNext = IsWordSeparator(lower);
    }
}

void ToSentenceCase(QStringView text, QChar* out) {
    ToLowerCase(text, out);
    if (!text.isEmpty())
        out[0] = UpperUnit(text[0]);
}

namespace {

template <void (*Convert)(QStringView, QChar*)> QString Converted(const QString& text) {
    QString result(text.size(), Qt::Uninitialized);
    Convert(text, result.data());
    return result;
}

} // namespace

QString ToUpperCase(const QString& text) {
    return Converted<ToUpperCase>(text);
}

QString ToLowerCase(const QString& text) {
    return Converted<ToLowerCase>(text);
}

QString ToProperCase(const QString& text) {
    return Converted<ToProperCase>(text);
}

QString ToSentenceCase(const QString& text) {
    return Converted<ToSentenceCase>(text);
}

} // namespace tarnwick
