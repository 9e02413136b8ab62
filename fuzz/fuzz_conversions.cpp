// The four case conversions and the operation catalogue, checked unit by unit against QChar's
// own mapping of one 16-bit unit.
#include "fuzzinput.h"
#include "transform/conversions.h"
#include "transform/operations.h"

using namespace tarnwick;
using tarnwick::fuzz::FuzzInput;

namespace {

QChar Upper(QChar unit) {
    return QChar(char16_t(QChar::toUpper(char32_t(unit.unicode()))));
}

QChar Lower(QChar unit) {
    return QChar(char16_t(QChar::toLower(char32_t(unit.unicode()))));
}

bool HasNoCase(QChar unit) {
    return Upper(unit) == unit && Lower(unit) == unit;
}

bool StartsWord(const QString& text, qsizetype at) {
    return at == 0 || text[at - 1] == u' ' || text[at - 1] == u'\t' || text[at - 1] == u'\r';
}

void CheckConversions(const QString& text) {
    const QString upper = ToUpperCase(text);
    const QString lower = ToLowerCase(text);
    const QString proper = ToProperCase(text);
    const QString sentence = ToSentenceCase(text);
    for (const QString* converted : {&upper, &lower, &proper, &sentence})
        REQUIRE(converted->size() == text.size());

    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text[i];
        REQUIRE(upper[i] == Upper(unit));
        REQUIRE(lower[i] == Lower(unit));
        REQUIRE(proper[i] == (StartsWord(text, i) ? Upper(Lower(unit)) : Lower(unit)));
        REQUIRE(sentence[i] == (i == 0 ? Upper(unit) : Lower(unit)));
        if (HasNoCase(unit)) {
            REQUIRE(upper[i] == unit && lower[i] == unit);
            REQUIRE(proper[i] == unit && sentence[i] == unit);
        }
    }

    // Qt's mapping of one unit is idempotent in both directions, so these are too.
    REQUIRE(ToUpperCase(upper) == upper);
    REQUIRE(ToLowerCase(lower) == lower);
    REQUIRE(ToSentenceCase(sentence) == sentence);
    REQUIRE(ToProperCase(lower) == proper);
    REQUIRE(ToLowerCase(sentence).mid(1) == lower.mid(1));

    REQUIRE(ConvertName(Operation::UpperCase, text) == upper);
    REQUIRE(ConvertName(Operation::LowerCase, text) == lower);
    REQUIRE(ConvertName(Operation::ProperCase, text) == proper);
    REQUIRE(ConvertName(Operation::SentenceCase, text) == sentence);
}

// Whatever text the operation box holds, the answer is the first key phrase that the unit-wise
// lower-cased text contains.
void CheckMatch(const QString& text, uint8_t entry) {
    const QStringList entries = OperationTexts();
    const QString& chosen = entries[entry % entries.size()];
    const QString boxText = text.left(text.size() / 2) + chosen + text.mid(text.size() / 2);
    const QStringList phrases{"upper case", "lower case", "proper case", "sentence case"};
    for (const QString& candidate : {text, boxText}) {
        QString lowered = candidate;
        for (QChar& unit : lowered)
            unit = Lower(unit);
        const std::optional<Operation> match = MatchOperation(candidate);
        qsizetype first = 0;
        while (first < phrases.size() && !lowered.contains(phrases[first]))
            ++first;
        if (first == phrases.size()) {
            REQUIRE(!match.has_value());
        } else {
            REQUIRE(match.has_value() && static_cast<qsizetype>(*match) == first + 1);
        }
    }
    REQUIRE(MatchOperation(chosen) == static_cast<Operation>(entry % entries.size() + 1));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const uint8_t entry = input.byte();
    const QString text = input.rest();
    CheckConversions(text);
    CheckMatch(text, entry);
    return 0;
}
