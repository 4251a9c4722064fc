#include "themecolors.h"

#include <algorithm>
#include <cmath>

namespace themecolors {

namespace {

// WCAG 2.1's relative luminance of an sRGB colour.
double luminance(const QColor &color)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = color.toRgb();
    return 0.2126 * linear(rgb.red()) + 0.7152 * linear(rgb.green()) + 0.0722 * linear(rgb.blue());
}

QColor mixed(const QColor &from, const QColor &to, int step, int steps)
{
    const auto channel = [&](int a, int b) { return a + (b - a) * step / steps; };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

} // namespace

Scheme scheme(const QPalette &palette)
{
    const QColor base = palette.color(QPalette::Base);
    if (palette.color(QPalette::Window) == base)
        return Scheme::HighContrast;
    return luminance(palette.color(QPalette::Text)) > luminance(base) ? Scheme::Dark : Scheme::Design;
}

QColor text(const QPalette &palette, const QColor &design, const QColor &background, QPalette::ColorRole role)
{
    const QColor system = palette.color(role);
    switch (scheme(palette)) {
    case Scheme::Design:
        return design;
    case Scheme::HighContrast:
        return system;
    case Scheme::Dark:
        break;
    }
    // The least step towards the system's text colour, in steps of one in a channel's 255.
    constexpr int steps = 255;
    for (int step = 0; step < steps; ++step) {
        const QColor candidate = mixed(design, system, step, steps);
        if (contrast(candidate, background) >= TextContrast)
            return candidate;
    }
    return system;
}

QColor background(const QPalette &palette, const QColor &design, QPalette::ColorRole role)
{
    return scheme(palette) == Scheme::Design ? design : palette.color(role);
}

double contrast(const QColor &first, const QColor &second)
{
    const double a = luminance(first);
    const double b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

} // namespace themecolors
