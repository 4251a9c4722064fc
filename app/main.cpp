#include "programwindows.h"
#include "qtarguments.h"
#include "singleinstance.h"
#include "qttranslation.h"
#include "windowtable.h"

#include "storage/datafile.h"
#include "widgets/dialogfont.h"
#include "widgets/messagebox.h"

#ifdef TUMBORA_PER_USER_DATA
#include "storage/failuremessage.h"
#include "storage/fileerror.h"
#endif

#include <QApplication>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// The folder of the data files: beside the executable in a portable program folder; in an
// install for all users, the user's own folder, filled from the program folder's defaults.
// None when the user's folder cannot be made or filled (reported here).
std::optional<QString> dataFolder()
{
#ifdef TUMBORA_PER_USER_DATA
    const QString folder = storage::userDataFolder();
    try {
        storage::fillDataFolder(folder, storage::applicationFolder());
    } catch (const storage::FileError &error) {
        messagebox::show(nullptr, QStringLiteral("Грешка"), storage::loadFailureMessage(error));
        return std::nullopt;
    }
    return folder;
#else
    return storage::applicationFolder();
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    Q_UNUSED(argc);
    QtArguments qtArguments(argv);
    QApplication app(qtArguments.count(), qtArguments.values());
    QApplication::setApplicationName(QStringLiteral("Tumbora"));
    // Wayland task bars find the icon through the desktop entry of this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(TUMBORA_APP_ID));
    qttranslation::install();
    dialogfont::apply();

    const std::optional<QString> folder = dataFolder();
    if (!folder)
        return EXIT_FAILURE;
    SingleInstance instance(*folder);
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
    programwindows::addTo(windows, *folder);
    QObject::connect(&instance, &SingleInstance::showRequested, &instance, [&windows] { windows.showOpen(); });
    if (!windows.open(programwindows::Calculator))
        return EXIT_FAILURE;
    return QApplication::exec();
}
