#include "programwindows.h"
#include "windowtable.h"

#include "storage/datafile.h"
#include "widgets/dialogfont.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tumbora"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    // Wayland task bars find the icon through the desktop entry of this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("tumbora"));
    dialogfont::apply();
    // Qt's own texts, such as a text box's context menu, in Bulgarian where Qt's translation
    // is installed: beside Tumbora.exe on Windows, qt6-translations-l10n on Debian.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_bg"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);

    WindowTable windows;
    programwindows::addTo(windows, storage::applicationFolder());
    if (!windows.open(programwindows::Calculator))
        return EXIT_FAILURE;
    return QApplication::exec();
}
