#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <utility>

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

// Where the folder's own name begins in a path, which may end with a separator: the length of its
// parent path, 0 when it has none.
inline qsizetype LeafStart(QStringView path, QChar separator = kHostSeparator) {
    return (path.endsWith(separator) ? path.chopped(1) : path).lastIndexOf(separator) + 1;
}

// True when text is name followed by one separator: a path's last part as the list keeps it.
inline bool IsNameWithSeparator(QStringView text, QStringView name, QChar separator) {
    return text.size() == name.size() + 1 && text.startsWith(name) && text.endsWith(separator);
}

enum class CodePage {
    // Names pass through Windows-1252: a "?" may stand for a character lost on the way.
    Ansi,
    // Every character has a code of its own, its 16-bit unit value.
    Unicode,
};

// True for a text holding a control character or one of the codes 127 to 159; through the ANSI
// code page also for a "?" and a character the code page lacks.
bool HasUnsupportedCharacters(const QString& text, CodePage codePage = CodePage::Ansi);

// Occurrences of find in text, overlapping ones included; 0 for an empty find.
int CountOccurrences(const QString& text, const QString& find);

// Reduces doubled separators in one left-to-right pass. With the backslash a path that begins
// with separators keeps exactly two at its head (the head of a network path); with "/" exactly one,
// since POSIX has no such paths.
QString CollapseBackslashes(const QString& path, QChar separator = kHostSeparator);

// Sorts in ascending binary order of the 16-bit units in O(n log n), calling pump once before
// each round of at most n comparisons so the window stays alive during long sorts.
void SortTextArray(QStringList& texts, const std::function<void()>& pump = {});

// The same sort for any list and order: a bottom-up merge sort, pump before each round.
template <class List, class Less>
void SortWithPump(List& items, Less less, const std::function<void()>& pump) {
    const qsizetype n = items.size();
    if (n < 2) {
        if (pump)
            pump();
        return;
    }
    List buffer(n);
    List* from = &items;
    List* to = &buffer;
    for (qsizetype width = 1; width < n; width *= 2) {
        if (pump)
            pump();
        for (qsizetype left = 0; left < n; left += 2 * width) {
            const qsizetype middle = std::min(left + width, n);
            const qsizetype right = std::min(left + 2 * width, n);
            qsizetype i = left, j = middle, k = left;
            while (i < middle && j < right)
                (*to)[k++] = std::move((*from)[less((*from)[j], (*from)[i]) ? j++ : i++]);
            while (i < middle)
                (*to)[k++] = std::move((*from)[i++]);
            while (j < right)
                (*to)[k++] = std::move((*from)[j++]);
        }
        std::swap(from, to);
    }
    if (from != &items)
        items = std::move(*from);
}

} // namespace tarnwick
