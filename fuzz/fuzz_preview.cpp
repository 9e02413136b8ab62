// The new path of one row: the parent kept, the leaf converted, one separator at the end.
#include "fuzzinput.h"
#include "transform/operations.h"
#include "transform/preview.h"

using namespace tarnwick;
using tarnwick::fuzz::FuzzInput;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const uint8_t choice = input.byte();
    const QChar separator = (choice & 1) ? u'\\' : u'/';
    const auto operation = static_cast<Operation>((choice >> 1) % 4 + 1);
    const QString now = input.rest();

    const QString path = WithoutTrailingSeparator(now, separator);
    const QString parent = GetParentPath(path, separator);
    const QString leaf = GetLeafName(path, separator);
    const QString newPath = PreviewNewPath(now, operation, separator);

    REQUIRE(newPath.endsWith(separator));
    REQUIRE(newPath.size() == path.size() + 1);
    REQUIRE(newPath.startsWith(parent));
    REQUIRE(newPath.mid(parent.size()).chopped(1) == ConvertName(operation, leaf));

    // The new name stays in the same parent: the conversion never yields a separator.
    const QString newWithout = WithoutTrailingSeparator(newPath, separator);
    REQUIRE(GetParentPath(newWithout, separator) == parent);
    REQUIRE(GetLeafName(newWithout, separator) == ConvertName(operation, leaf));

    // The row's path with or without its trailing separator gives the same new path.
    REQUIRE(PreviewNewPath(path + separator, operation, separator) == newPath);
    return 0;
}
