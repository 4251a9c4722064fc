#include "programwindows.h"
#include "qtarguments.h"
#include "qttranslation.h"
#include "windowtable.h"

#include "storage/datafile.h"
#include "widgets/dialogfont.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    Q_UNUSED(argc);
    QtArguments qtArguments(argv);
    QApplication app(qtArguments.count(), qtArguments.values());
    QApplication::setApplicationName(QStringLiteral("Tumbora"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    // Wayland task bars find the icon through the desktop entry of this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("tumbora"));
    qttranslation::install();
    dialogfont::apply();

    WindowTable windows;
    programwindows::addTo(windows, storage::applicationFolder());
    if (!windows.open(programwindows::Calculator))
        return EXIT_FAILURE;
    return QApplication::exec();
}
