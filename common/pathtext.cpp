#include "common/pathtext.h"

#include "common/ansi.h"

#include <utility>

namespace tarnwick {

QString GetLeafName(const QString& text, QChar separator) {
    return text.mid(text.lastIndexOf(separator) + 1);
}

QString GetParentPath(const QString& text, QChar separator) {
    return text.left(text.lastIndexOf(separator) + 1);
}

QString WithoutTrailingSeparator(const QString& text, QChar separator) {
    return text.endsWith(separator) ? text.chopped(1) : text;
}

bool HasUnsupportedCharacters(const QString& text, CodePage codePage) {
    for (const QChar character : text) {
        const int code =
            codePage == CodePage::Ansi ? ansi::CodeOf(character) : int(character.unicode());
        if ((code > 126 && code < 160) || code < 32 ||
            (codePage == CodePage::Ansi && code == ansi::kDefaultCode))
            return true;
    }
    return false;
}

int CountOccurrences(const QString& text, const QString& find) {
    if (find.isEmpty())
        return 0;
    int count = 0;
    for (qsizetype at = text.indexOf(find); at >= 0; at = text.indexOf(find, at + 1))
        ++count;
    return count;
}

namespace {

QString CollapsePairs(QStringView text, QChar separator) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        result.append(text[i]);
        if (text[i] == separator && i + 1 < text.size() && text[i + 1] == separator)
            ++i;
    }
    return result;
}

} // namespace

QString CollapseBackslashes(const QString& path, QChar separator) {
    if (!path.startsWith(separator))
        return CollapsePairs(path, separator);
    qsizetype rest = 0;
    while (rest < path.size() && path[rest] == separator)
        ++rest;
    const QString head(separator == u'\\' ? 2 : 1, separator);
    return head + CollapsePairs(QStringView(path).mid(rest), separator);
}

void SortTextArray(QStringList& texts, const std::function<void()>& pump) {
    SortWithPump(texts, std::less<QString>(), pump);
}

} // namespace tarnwick
