#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <functional>

// Small stateless helpers on paths and texts. Paths use one separator, the host's unless told;
// every folder path in the program ends with one.
namespace tarnwick {

#ifdef _WIN32
inline constexpr QChar kHostSeparator = u'\\';
#else
inline constexpr QChar kHostSeparator = u'/';
#endif

// The text after the last separator (all of it when there is none).
QString GetLeafName(const QString& text, QChar separator = kHostSeparator);

// The text up to and including the last separator (empty when there is none).
QString GetParentPath(const QString& text, QChar separator = kHostSeparator);

// The text less one trailing separator, if it ends in one.
QString WithoutTrailingSeparator(const QString& text, QChar separator = kHostSeparator);

// True for a text holding a control character, a "?", a character the ANSI code page lacks or
// one of the codes 127 to 159.
bool HasUnsupportedCharacters(const QString& text);

// Occurrences of find in text, overlapping ones included; 0 for an empty find.
int CountOccurrences(const QString& text, const QString& find);

// Reduces doubled separators in one left-to-right pass. With the backslash a path that begins
// with separators keeps exactly two at its head (the head of a network path); with "/" exactly one,
// since POSIX has no such paths.
QString CollapseBackslashes(const QString& path, QChar separator = kHostSeparator);

// Sorts in ascending binary order of the 16-bit units in O(n log n), calling pump once before
// each round of at most n comparisons so the window stays alive during long sorts.
void SortTextArray(QStringList& texts, const std::function<void()>& pump = {});

} // namespace tarnwick
