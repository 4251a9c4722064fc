#include "fileerror.h"

using namespace Qt::StringLiterals;

namespace storage {

FileError::FileError(Number number, QString path, QString reason)
    : m_number(number), m_path(std::move(path)), m_reason(std::move(reason))
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
    case PathFileAccess:
        return u"Грешка при достъп до пътя или файла"_s;
    }
    return {};
}

} // namespace storage
