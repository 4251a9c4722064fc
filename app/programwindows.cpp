#include "programwindows.h"

#include "windowtable.h"

#include "calculator/calcwindow.h"
#include "timetable/timetablewindow.h"

#include <memory>

namespace programwindows {

void addTo(WindowTable &table, const QString &dataFolder)
{
    table.add([dataFolder] {
        auto window = std::make_unique<CalcWindow>(dataFolder);
        window->Form_Load();
        return window.release();
    });
    // Nothing in the calculator opens the timetable; the timetable opens the calculator.
    table.add([dataFolder, &table]() -> QWidget * {
        auto window = std::make_unique<TimetableWindow>(dataFolder, [&table] { return table.open(Calculator); });
        return window->Form_Load() ? window.release() : nullptr;
    });
}

} // namespace programwindows
