#include "fileerror.h"

using namespace Qt::StringLiterals;

namespace storage {

namespace {

FileError::Number numberOf(FileError::Cause cause)
{
    switch (cause) {
    case FileError::Cause::NoPermission:
    case FileError::Cause::InUse:
        return FileError::PermissionDenied;
    case FileError::Cause::DiskFull:
    case FileError::Cause::QuotaFull:
    case FileError::Cause::TooLarge:
        return FileError::DiskFull;
    case FileError::Cause::Missing:
        return FileError::FileNotFound;
    case FileError::Cause::NotAFolder:
        return FileError::PathNotFound;
    case FileError::Cause::DeviceFault:
        return FileError::DeviceIoError;
    case FileError::Cause::ReadOnly:
    case FileError::Cause::NotAFile:
    case FileError::Cause::NameTooLong:
    case FileError::Cause::Unknown:
        break;
    }
    return FileError::PathFileAccess;
}

QString reasonOf(FileError::Cause cause)
{
    switch (cause) {
    case FileError::Cause::NoPermission:
        return u"нямате право за достъп до файла или папката му"_s;
    case FileError::Cause::InUse:
        return u"файлът е зает от друга програма"_s;
    case FileError::Cause::DiskFull:
        return u"на диска няма свободно място"_s;
    case FileError::Cause::QuotaFull:
        return u"мястото, отредено за Вас на диска, е изчерпано"_s;
    case FileError::Cause::TooLarge:
        return u"файлът става по-голям от разрешеното"_s;
    case FileError::Cause::ReadOnly:
        return u"дискът е само за четене"_s;
    case FileError::Cause::NotAFile:
        return u"не е обикновен файл, а папка или нещо друго"_s;
    case FileError::Cause::NameTooLong:
        return u"пътят до файла е твърде дълъг"_s;
    case FileError::Cause::Missing:
        return u"файлът или папката му не съществува"_s;
    case FileError::Cause::NotAFolder:
        return u"част от пътя до файла не е папка"_s;
    case FileError::Cause::DeviceFault:
        return u"дискът не може да бъде прочетен или записан"_s;
    case FileError::Cause::Unknown:
        break;
    }
    return {};
}

} // namespace

FileError::FileError(Number number, QString path, QString reason)
    : FileError(number, Cause::Unknown, std::move(path), std::move(reason))
{
}

FileError::FileError(Cause cause, QString path)
    : FileError(numberOf(cause), cause, std::move(path), reasonOf(cause))
{
}

FileError::FileError(Number number, Cause cause, QString path, QString reason)
    : m_number(number), m_cause(cause), m_path(std::move(path)), m_reason(std::move(reason))
{
    QString message = QString::number(m_number) + u": "_s + text() + u": "_s + m_path;
    if (!m_reason.isEmpty())
        message += u" ("_s + m_reason + u')';
    m_what = message.toUtf8();
}

QString FileError::text() const
{
    switch (m_number) {
    case FileAlreadyOpen:
        return u"Файлът вече е отворен"_s;
    case DeviceIoError:
        return u"Входно-изходна грешка на устройството"_s;
    case DiskFull:
        return u"Дискът е пълен"_s;
    case InputPastEnd:
        return u"Опит за четене след края на файла"_s;
    case FileNotFound:
        return u"Файлът не е намерен"_s;
    case BrokenFile:
        return u"Файлът е повреден"_s;
    case PermissionDenied:
        // The classic number of a file another program holds, which is no lack of rights.
        return m_cause == Cause::InUse ? u"Файлът е зает"_s : u"Достъпът е отказан"_s;
    case PathFileAccess:
        return u"Грешка при достъп до пътя или файла"_s;
    case PathNotFound:
        return u"Пътят не е намерен"_s;
    }
    return {};
}

} // namespace storage
