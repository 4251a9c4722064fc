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

} // namespace storage
