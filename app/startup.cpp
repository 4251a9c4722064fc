#include "startup.h"

#include "programwindows.h"
#include "qttranslation.h"
#include "windowtable.h"

#include "widgets/dialogfont.h"

using namespace Qt::StringLiterals;

namespace startup {

Application::Application(char *arguments[])
    : m_qtArguments{arguments[0], nullptr}, m_application(m_qtArgumentCount, m_qtArguments)
{
    QApplication::setApplicationName(u"Tumbora"_s);
    // Wayland task bars find the icon through the desktop entry of this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(TUMBORA_APP_ID));
    qttranslation::install();
    dialogfont::apply();
}

int run(const QString &dataFolder)
{
    WindowTable windows;
    programwindows::addTo(windows, dataFolder);
    if (!windows.open(programwindows::Calculator))
        return EXIT_FAILURE;
    return QApplication::exec();
}

} // namespace startup
