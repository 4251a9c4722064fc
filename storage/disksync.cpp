#include "disksync.h"

#include <QDir>
#include <QFile>
#include <QString>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace storage::disksync {

namespace {

#ifdef Q_OS_WIN
const wchar_t *native(const QString &path)
{
    return reinterpret_cast<const wchar_t *>(path.utf16());
}
#endif

} // namespace

bool replace(const QString &from, const QString &to)
{
#ifdef Q_OS_WIN
    const QString source = QDir::toNativeSeparators(from);
    const QString target = QDir::toNativeSeparators(to);
    for (int attempt = 1;; ++attempt) {
        if (::MoveFileExW(native(source), native(target), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = ::GetLastError();
        const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION
                || error == ERROR_ACCESS_DENIED;
        if (!held || attempt == 20) {
            // Windows refuses to replace a file that is open without sharing its deletion as
            // access denied; the caller has made sure the file itself may be written.
            ::SetLastError(held ? ERROR_SHARING_VIOLATION : error);
            return false;
        }
        ::Sleep(50);
    }
#else
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

bool keep(const QString &path, const QString &backup)
{
    QFile::remove(backup);
#ifdef Q_OS_WIN
    if (::CreateHardLinkW(native(QDir::toNativeSeparators(backup)), native(QDir::toNativeSeparators(path)), nullptr))
        return true;
#else
    if (::link(QFile::encodeName(path).constData(), QFile::encodeName(backup).constData()) == 0)
        return true;
#endif
    // FAT, as on most USB sticks, has no second names.
    return QFile::copy(path, backup);
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
