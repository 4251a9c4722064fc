#pragma once

#include <QIcon>
#include <QImage>

#include <functional>
#include <initializer_list>

class QPainter;

// An icon painted in code at each of the given sizes, at 1x and 2x, so it stays sharp at
// every scale. `draw` paints on a 16 x 16 grid; the painter is scaled to each size. Each
// picture is painted when it is first needed.
QIcon drawnIcon(std::initializer_list<int> sizes, const std::function<void(QPainter &)> &draw);

// One picture of such an icon: `size` logical pixels at `scale` device pixels to each; also
// the program's icon files, so they match the windows' icons pixel for pixel.
QImage drawnImage(int size, qreal scale, const std::function<void(QPainter &)> &draw);
