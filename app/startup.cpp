#include "startup.h"

#include "programwindows.h"
#include "qttranslation.h"
#include "singleinstance.h"
#include "windowtable.h"

#include "widgets/accessibletextbox.h"
#include "widgets/dialogfont.h"
#include "widgets/messagebox.h"

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
    accessibletextbox::install();
}

int run(const QString &dataFolder)
{
    SingleInstance instance(dataFolder);
    switch (instance.claim()) {
    case SingleInstance::Claim::Only:
        break;
    case SingleInstance::Claim::OtherShown:
        return EXIT_SUCCESS;
    case SingleInstance::Claim::OtherNotShown:
        messagebox::show(nullptr, u"Тумбора"_s,
                         u"Тумбора вече е отворена с тези данни. Прозорецът ѝ е в лентата със задачите."_s);
        return EXIT_SUCCESS;
    }
    WindowTable windows;
    programwindows::addTo(windows, dataFolder);
    QObject::connect(&instance, &SingleInstance::showRequested, &instance, [&windows] { windows.showOpen(); });
    if (!windows.open(programwindows::Calculator))
        return EXIT_FAILURE;
    return QApplication::exec();
}

} // namespace startup
