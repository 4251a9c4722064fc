#pragma once

#include <QIcon>

#include <functional>
#include <initializer_list>

class QPainter;

// An icon painted in code at each of the given sizes, at 1x and 2x, so it stays sharp at
// every scale. `draw` paints on a 16 x 16 grid; the painter is scaled to each size. Each
// picture is painted when it is first needed.
QIcon drawnIcon(std::initializer_list<int> sizes, const std::function<void(QPainter &)> &draw);
