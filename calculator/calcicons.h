#pragma once

#include <QIcon>

class QPainter;

// The calculator's pictures, drawn in code so they stay sharp at every size and scale.
namespace calcicons {

QIcon window(); // a pocket calculator, 16, 32 and 48 pixels
QIcon save();   // a diskette, 16 and 32 pixels

// The calculator on a 16 x 16 grid; also the program's icon for the desktop and Windows.
void paintWindow(QPainter &painter);

} // namespace calcicons
