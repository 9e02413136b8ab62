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

QString ToUpperCase(const QString& text) {
    QString result(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        result[i] = UpperUnit(text[i]);
    return result;
}

QString ToLowerCase(const QString& text) {
    QString result(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        result[i] = LowerUnit(text[i]);
    return result;
}

QString ToProperCase(const QString& text) {
    QString result(text.size(), Qt::Uninitialized);
    bool capitaliseNext = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar lower = LowerUnit(text[i]);
        result[i] = capitaliseNext ? UpperUnit(lower) : lower;
        capitaliseNext = IsWordSeparator(lower);
    }
    return result;
}

QString ToSentenceCase(const QString& text) {
    QString result = ToLowerCase(text);
    if (!result.isEmpty())
        result[0] = UpperUnit(text[0]);
    return result;
}

} // namespace tarnwick
