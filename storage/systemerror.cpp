#include "systemerror.h"

#include <cerrno>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace storage::systemerror {

using Cause = FileError::Cause;

void clear()
{
    errno = 0;
#ifdef Q_OS_WIN
    ::SetLastError(0);
#endif
}

int last()
{
#ifdef Q_OS_WIN
    return int(::GetLastError());
#else
    return errno;
#endif
}

Cause causeOf(int code)
{
    switch (code) {
#ifdef Q_OS_WIN
    case ERROR_ACCESS_DENIED:
        return Cause::NoPermission;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return Cause::InUse;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return Cause::DiskFull;
    case ERROR_FILE_TOO_LARGE:
        return Cause::TooLarge;
    case ERROR_WRITE_PROTECT:
        return Cause::ReadOnly;
    case ERROR_DIRECTORY:
        return Cause::NotAFile;
    case ERROR_FILENAME_EXCED_RANGE:
        return Cause::NameTooLong;
    case ERROR_FILE_NOT_FOUND:
        return Cause::Missing;
    case ERROR_PATH_NOT_FOUND:
        return Cause::NotAFolder;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_IO_DEVICE:
        return Cause::DeviceFault;
#else
    case EACCES:
    case EPERM:
        return Cause::NoPermission;
    case EBUSY:
    case ETXTBSY:
        return Cause::InUse;
    case ENOSPC:
        return Cause::DiskFull;
    case EDQUOT:
        return Cause::QuotaFull;
    case EFBIG:
        return Cause::TooLarge;
    case EROFS:
        return Cause::ReadOnly;
    case EISDIR:
        return Cause::NotAFile;
    case ENAMETOOLONG:
        return Cause::NameTooLong;
    case ENOENT:
        return Cause::Missing;
    case ENOTDIR:
        return Cause::NotAFolder;
    case EIO:
        return Cause::DeviceFault;
#endif
    default:
        break;
    }
    return Cause::Unknown;
}

FileError fileError(const QString &path, int code, FileError::Number fallback, const QString &systemText)
{
    const Cause cause = causeOf(code);
    if (cause != Cause::Unknown)
        return FileError(cause, path);
    return FileError(fallback, path, code ? qt_error_string(code) : systemText);
}

} // namespace storage::systemerror
