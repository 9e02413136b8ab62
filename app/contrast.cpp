#include "app/contrast.h"

#include <cmath>

namespace tarnwick {
namespace {

// A hair above 4.5, so rounding to 8-bit channels never takes a colour below it.
constexpr double kReadable = 4.6;

double Linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

} // namespace

double RelativeLuminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) +
           0.0722 * Linear(rgb.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Mix(const QColor& a, const QColor& b, double t) {
    const QColor x = a.toRgb();
    const QColor y = b.toRgb();
    auto channel = [t](int from, int to) { return int(std::lround(from + (to - from) * t)); };
    return QColor(channel(x.red(), y.red()), channel(x.green(), y.green()),
                  channel(x.blue(), y.blue()));
}

namespace {

QColor BlackOrWhite(const QColor& background) {
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    return ContrastRatio(black, background) >= ContrastRatio(white, background) ? black : white;
}

} // namespace

QColor TextOn(const QColor& background, const QColor& preferred) {
    return ContrastRatio(preferred, background) >= kReadable ? preferred.toRgb()
                                                             : BlackOrWhite(background);
}

QColor ReadableOn(const QColor& wanted, const QColor& background) {
    if (ContrastRatio(wanted, background) >= kReadable)
        return wanted.toRgb();
    const QColor target = BlackOrWhite(background);
    for (int step = 1; step < 20; ++step) {
        const QColor moved = Mix(wanted, target, step / 20.0);
        if (ContrastRatio(moved, background) >= kReadable)
            return moved;
    }
    return target;
}

} // namespace tarnwick
