#include "programwindows.h"
#include "qtarguments.h"
#include "qttranslation.h"
#include "windowtable.h"

#include "storage/datafile.h"
#include "widgets/dialogfont.h"

#ifdef TUMBORA_PER_USER_DATA
#include "storage/failuremessage.h"
#include "storage/fileerror.h"
#include "widgets/messagebox.h"

#include <QDir>
#endif

#include <QApplication>

#include <optional>

namespace {

// The folder of the data files: beside the executable in a portable program folder; in an
// install for all users, the user's own folder, filled from the installed defaults
// (TUMBORA_DEFAULTS_FOLDER, relative to the executable's folder).
// None when the user's folder cannot be made or filled (reported here).
std::optional<QString> dataFolder()
{
#ifdef TUMBORA_PER_USER_DATA
    const QString folder = storage::userDataFolder();
    try {
        const QString defaults = storage::applicationFolder() + u'/' + QStringLiteral(TUMBORA_DEFAULTS_FOLDER);
        storage::fillDataFolder(folder, QDir::cleanPath(defaults));
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
    WindowTable windows;
    programwindows::addTo(windows, *folder);
    if (!windows.open(programwindows::Calculator))
        return EXIT_FAILURE;
    return QApplication::exec();
}
