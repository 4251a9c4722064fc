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
        window->load();
        return window.release();
    });
    // Nothing in the calculator opens the timetable; the timetable opens the calculator, first
    // of all when it opens itself. A calculator that fails has been reported by the table.
    table.add([dataFolder, &table]() -> QWidget * {
        if (!table.open(Calculator))
            return nullptr;
        auto window = std::make_unique<TimetableWindow>(dataFolder, [&table] { table.open(Calculator); });
        window->load();
        return window.release();
    });
}

} // namespace programwindows
