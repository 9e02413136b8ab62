// The path and text helpers, in both separator forms, against small reference definitions.
#include "common/ansi.h"
#include "common/pathtext.h"
#include "fuzzinput.h"

#include <algorithm>
#include <utility>

using namespace tarnwick;
using tarnwick::fuzz::FuzzInput;

namespace {

// Each run of k separators becomes ceil(k / 2) of them; a path that begins with separators gets
// the head of its form (two backslashes, or one slash) instead of its leading run.
QString ReferenceCollapse(const QString& path, QChar separator) {
    QString result;
    qsizetype i = 0;
    if (path.startsWith(separator)) {
        result = QString(separator == u'\\' ? 2 : 1, separator);
        while (i < path.size() && path[i] == separator)
            ++i;
    }
    while (i < path.size()) {
        if (path[i] != separator) {
            result.append(path[i++]);
            continue;
        }
        qsizetype run = 0;
        while (i < path.size() && path[i] == separator)
            ++run, ++i;
        result.append(QString((run + 1) / 2, separator));
    }
    return result;
}

int ReferenceCount(const QString& text, const QString& find) {
    if (find.isEmpty())
        return 0;
    int count = 0;
    for (qsizetype at = 0; at + find.size() <= text.size(); ++at)
        count += QStringView(text).mid(at, find.size()) == find ? 1 : 0;
    return count;
}

// The code page holds the printable ASCII and 0xA0 to 0xFF as themselves; everything it adds
// lies at 0x80 to 0x9F, which counts as unsupported anyway.
bool ReferenceUnsupported(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar unit) {
        const char16_t u = unit.unicode();
        const bool plain = (u >= 0x20 && u <= 0x7E && u != u'?') || (u >= 0xA0 && u <= 0xFF);
        return !plain;
    });
}

bool UnitLess(const QString& a, const QString& b) {
    return std::lexicographical_compare(a.utf16(), a.utf16() + a.size(), b.utf16(),
                                        b.utf16() + b.size());
}

int Rounds(qsizetype n) {
    int rounds = 1;
    for (qsizetype width = 1; width < n; width *= 2)
        ++rounds;
    return rounds;
}

void CheckPathHelpers(const QString& path, QChar separator) {
    const QString leaf = GetLeafName(path, separator);
    const QString parent = GetParentPath(path, separator);
    REQUIRE(parent + leaf == path);
    REQUIRE(!leaf.contains(separator));
    REQUIRE(parent.isEmpty() == !path.contains(separator));
    REQUIRE(parent.isEmpty() || parent.endsWith(separator));

    const QString trimmed = WithoutTrailingSeparator(path, separator);
    REQUIRE(path.endsWith(separator) ? trimmed + separator == path : trimmed == path);

    REQUIRE(CollapseBackslashes(path, separator) == ReferenceCollapse(path, separator));
    REQUIRE(CountOccurrences(path, QString(separator)) == path.count(separator));
}

void CheckCodePage(const QString& text, const uint8_t* data, size_t size) {
    REQUIRE(HasUnsupportedCharacters(text) == ReferenceUnsupported(text));
    const QByteArray bytes = ansi::ToBytes(text);
    REQUIRE(bytes.size() == text.size());
    const QString back = ansi::FromBytes(bytes);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool inCodePage = ansi::CodeOf(text[i]) != ansi::kDefaultCode || text[i] == u'?';
        REQUIRE(back[i] == (inCodePage ? text[i] : QChar(u'?')));
    }
    const QByteArray raw(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    REQUIRE(ansi::ToBytes(ansi::FromBytes(raw)) == raw);
}

void CheckSort(const QString& text, QChar separator) {
    const QStringList texts = text.split(separator);

    QStringList sorted = texts;
    int pumps = 0;
    SortTextArray(sorted, [&] { ++pumps; });
    QStringList expected = texts;
    std::sort(expected.begin(), expected.end(), UnitLess);
    REQUIRE(sorted == expected);
    REQUIRE(pumps >= 1 && pumps <= Rounds(texts.size()));

    // Equal texts keep the order they came in.
    QList<std::pair<QString, qsizetype>> numbered;
    for (qsizetype i = 0; i < texts.size(); ++i)
        numbered.append({texts[i], i});
    SortWithPump(numbered, [](const auto& a, const auto& b) { return UnitLess(a.first, b.first); },
                 {});
    for (qsizetype i = 1; i < numbered.size(); ++i) {
        REQUIRE(!UnitLess(numbered[i].first, numbered[i - 1].first));
        REQUIRE(numbered[i - 1].first != numbered[i].first ||
                numbered[i - 1].second < numbered[i].second);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const QChar separator = (input.byte() & 1) ? u'\\' : u'/';
    const QString find = input.text(input.byte() % 8);
    const QString text = input.rest();

    CheckPathHelpers(text, u'/');
    CheckPathHelpers(text, u'\\');
    REQUIRE(CountOccurrences(text, find) == ReferenceCount(text, find));
    CheckCodePage(text, data, size);
    CheckSort(text, separator);
    return 0;
}
