#pragma once

#include <QIcon>

// A wall calendar, 16 and 32 pixels, drawn in code.
QIcon timetableIcon();
