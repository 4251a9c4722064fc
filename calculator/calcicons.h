#pragma once

#include <QIcon>

// The calculator's pictures, drawn in code so they stay sharp at every size and scale.
namespace calcicons {

QIcon window(); // a pocket calculator, 16, 32 and 48 pixels
QIcon save();   // a diskette, 16 and 32 pixels

} // namespace calcicons
