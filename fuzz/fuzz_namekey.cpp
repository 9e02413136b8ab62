// The name key and the same-name test. Only what follows from the key's steps is asserted: the
// key is a function of the name's code-page bytes, never longer than the name, free of control
// codes, and blind to the parent path.
#include "common/ansi.h"
#include "fuzzinput.h"
#include "rename/namekey.h"

#include <algorithm>

using namespace tarnwick;
using tarnwick::fuzz::FuzzInput;

namespace {

bool IsRemovedCode(int code) {
    return code <= 31 || (code >= 127 && code <= 159);
}

// A name keeps a key of its own characters when one survives the round trip and the trimming;
// otherwise the key is made of its raw bytes, where blanks around it count.
bool KeepsCharacterKey(const QString& name) {
    return std::any_of(name.begin(), name.end(), [](QChar unit) {
        const int code = ansi::CodeOf(unit);
        return code != 32 && code != 255;
    });
}

void CheckKey(const QString& name, const QString& removals) {
    const QString key = CleanFileName(name);
    REQUIRE(key.size() <= name.size());
    REQUIRE(std::none_of(key.begin(), key.end(),
                         [](QChar unit) { return IsRemovedCode(ansi::CodeOf(unit)); }));
    REQUIRE(CleanFileName(ansi::FromBytes(ansi::ToBytes(name))) == key);
    REQUIRE(CleanFileName(name, removals).size() <= key.size());

    if (KeepsCharacterKey(name)) {
        REQUIRE(CleanFileName(QStringLiteral(" ") + name + QStringLiteral("  ")) == key);
        REQUIRE(std::all_of(key.begin(), key.end(), [](QChar unit) {
            return ansi::CharacterFor(ansi::CodeOf(unit)) == unit && unit != QChar(0xFF);
        }));
    }
}

void CheckSameName(const QString& candidate, const QString& reference, QChar separator) {
    REQUIRE(IsSameFilename(candidate, candidate, separator));
    REQUIRE(IsSameFilename(candidate, reference, separator) ==
            IsSameFilename(reference, candidate, separator));

    const QString leaf = GetLeafName(candidate, separator);
    REQUIRE(IsSameFilename(leaf, reference + separator + leaf, separator));
    REQUIRE(IsSameFilename(candidate, reference, separator) ==
            (CleanFileName(leaf) == CleanFileName(GetLeafName(reference, separator))));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const QChar separator = (input.byte() & 1) ? u'\\' : u'/';
    const QString removals = input.text(input.byte() % 8);
    const QString candidate = input.text(input.byte());
    const QString reference = input.rest();
    CheckKey(candidate, removals);
    CheckKey(reference, removals);
    CheckSameName(candidate, reference, separator);
    return 0;
}
