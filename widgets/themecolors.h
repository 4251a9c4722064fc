#pragma once

#include <QColor>
#include <QPalette>

// The designs fix a few colours (the calculator's red and blue rows and light yellow list, the
// timetable's grey background and blue tab captions), drawn for a light palette. This decides
// how each is shown on the system's palette:
// - on a light palette, exactly as designed;
// - on a dark one, a designed background gives way to the system's, and a designed text colour
//   keeps its hue, taken towards the system's text colour just far enough to read at TextContrast
//   on what is behind it;
// - in high contrast, the system's own colours, which the pupil chose.
namespace themecolors {

// WCAG 2.1's enhanced contrast for text, 7:1. The small dialog font's strokes are anti-aliased and
// seldom reach their full colour; drawn, they still read at 4.5:1, the contrast the windows promise.
inline constexpr double TextContrast = 7;

enum class Scheme { Design, Dark, HighContrast };

// High contrast where the palette has one background for windows and boxes alike, as the high
// contrast themes of Windows have (Qt's Windows theme takes that sign too); dark where its text
// is lighter than its boxes.
Scheme scheme(const QPalette &palette);

// The colour to draw a text designed in `design` on `background`; `role` is the system's colour
// for such text.
QColor text(const QPalette &palette, const QColor &design, const QColor &background, QPalette::ColorRole role);

// The colour to fill a surface designed in `design`; `role` is the system's colour for it.
QColor background(const QPalette &palette, const QColor &design, QPalette::ColorRole role);

// The WCAG 2.1 contrast ratio of two colours, from 1 to 21.
double contrast(const QColor &first, const QColor &second);

} // namespace themecolors
