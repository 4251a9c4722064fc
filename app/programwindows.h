#pragma once

#include <QString>

class WindowTable;

// The program's own window table.
namespace programwindows {

// The entries in table order; the first is the start-up window.
enum Entry { Calculator, Timetable };

void addTo(WindowTable &table, const QString &dataFolder);

} // namespace programwindows
