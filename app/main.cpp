#include "startup.h"

#include "storage/datafile.h"

#ifdef TUMBORA_PER_USER_DATA
#include "storage/failuremessage.h"
#include "storage/fileerror.h"
#include "widgets/messagebox.h"

#include <QDir>
#endif

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

int main(int, char *argv[])
{
    startup::Application application(argv);
    const std::optional<QString> folder = dataFolder();
    return folder ? startup::run(*folder) : EXIT_FAILURE;
}
