#pragma once

#include <QString>

namespace storage {

// A data file of the program: its name in the application folder and the fixed
// handle it is always opened under.
struct DataFile
{
    const char *name;
    int handle;
};

// The folder that holds the executable, where every data file lives.
QString applicationFolder();

// `folder` followed by the file's name, with the platform's native separator.
QString dataFilePath(const QString &folder, const DataFile &file);

// In an install for all users the program folder is read-only and holds only the default
// files; each user's data files live in that user's own folder instead: the platform's
// per-user application data folder (~/.local/share/Tumbora on Linux, %APPDATA%\Tumbora on
// Windows).
QString userDataFolder();

// Makes `folder`, readable and writable by its owner alone, where it does not exist, and
// copies into it each default data file (*.dat) of `defaultsFolder` that it lacks; a file
// that is already there is never touched. Throws FileError naming the folder or the file
// that failed.
void fillDataFolder(const QString &folder, const QString &defaultsFolder);

} // namespace storage
