#include "windowtable.h"

#include "calculator/calcwindow.h"
#include "timetable/timetablewindow.h"
#include "storage/datafile.h"
#include "widgets/dialogfont.h"

#include <QApplication>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tumbora"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    dialogfont::apply();

    const QString dataFolder = storage::applicationFolder();
    WindowTable windows;
    windows.add([dataFolder] {
        auto window = std::make_unique<CalcWindow>(dataFolder);
        window->Form_Load();
        return window.release();
    });
    windows.add([dataFolder, &windows]() -> QWidget * {
        auto window = std::make_unique<TimetableWindow>(dataFolder, [&windows] { return windows.open(0); });
        return window->Form_Load() ? window.release() : nullptr;
    });

    // The first window of the table is the start-up window.
    if (!windows.open(0))
        return EXIT_FAILURE;
    return QApplication::exec();
}
