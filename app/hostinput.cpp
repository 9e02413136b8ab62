#include "app/form1.h"
#include "folders/listediting.h"

#include <QTime>
#include <cstdint>

// What the window takes from the host besides its widgets: the start-up draw and key codes.
namespace tarnwick {

int DrawOneToHundred(std::uint32_t seed) {
    // The finaliser of splitmix64: every bit of the seed moves every bit of the result, where the
    // first number of a freshly seeded linear generator barely moves from one second to the next.
    std::uint64_t mixed = seed + 0x9e3779b97f4a7c15ULL;
    mixed = (mixed ^ (mixed >> 30)) * 0xbf58476d1ce4e5b9ULL;
    mixed = (mixed ^ (mixed >> 27)) * 0x94d049bb133111ebULL;
    mixed ^= mixed >> 31;
    return static_cast<int>(mixed % 100) + 1;
}

int DrawFromTimeOfDay() {
    return DrawOneToHundred(
        static_cast<std::uint32_t>(QTime::currentTime().msecsSinceStartOfDay() / 1000));
}

int VirtualKeyCode(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Delete:
        return kDeleteKeyCode;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_Insert:
        return 45;
    default:
        break;
    }
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
        return qtKey;
    return 0;
}

} // namespace tarnwick
