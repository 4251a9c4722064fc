#include "disksync.h"

#include <QFile>
#include <QFileDevice>
#include <QString>

#ifdef Q_OS_WIN
#include <io.h>
#include <qt_windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace storage::disksync {

bool flush(QFileDevice &file)
{
    const int handle = file.handle();
#ifdef Q_OS_WIN
    // Qt keeps no C descriptor for a file it opened itself; QSaveFile::commit() then
    // flushes the file before renaming it.
    if (handle < 0)
        return true;
    return ::FlushFileBuffers(reinterpret_cast<HANDLE>(::_get_osfhandle(handle)));
#elif defined(Q_OS_DARWIN)
    return ::fsync(handle) == 0;
#else
    return ::fdatasync(handle) == 0;
#endif
}

void syncFolder(const QString &folder)
{
#ifdef Q_OS_WIN
    Q_UNUSED(folder);
#else
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return;
    // A folder that cannot be synced (some file systems refuse) keeps what the system
    // writes back on its own; the save itself is complete.
    ::fsync(handle);
    ::close(handle);
#endif
}

} // namespace storage::disksync
