#include "failuremessage.h"

#include "datafile.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace storage {

namespace {

// The file the operating system worked on: where the path is a link, the file it leads to.
QString realPath(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString target = info.canonicalFilePath();
    return QDir::toNativeSeparators(target.isEmpty() ? info.symLinkTarget() : target);
}

QString describe(const FileError &error)
{
    QString text = u"Файл: "_s + error.path();
    const QString real = realPath(error.path());
    if (real != error.path())
        text += u"\nТова е връзка към файла %1 в папка %2"_s.arg(
                real, QDir::toNativeSeparators(QFileInfo(real).absolutePath()));
    text += u"\n%1 (грешка %2)."_s.arg(error.text()).arg(int(error.number()));
    if (!error.reason().isEmpty())
        text += u"\nПричина: "_s + error.reason();
    return text;
}

// Whether the file lies in the program's own folder (a copy unpacked anywhere), rather than
// in the pupil's own data folder of an install for all users.
bool inProgramFolder(const QString &folder)
{
    return QFileInfo(folder).canonicalFilePath() == QFileInfo(applicationFolder()).canonicalFilePath();
}

// What the pupil can do about the cause of a failed save.
QString advice(const FileError &error)
{
    const QString folder = QDir::toNativeSeparators(QFileInfo(realPath(error.path())).absolutePath());
    // Only a program folder of one's own can be moved; the data folder of an install is
    // the computer's administrator's to mend.
    const bool movable = inProgramFolder(folder);
    switch (error.cause()) {
    case FileError::Cause::NoPermission:
        return movable ? u"Нямате право да записвате в папка %1. Преместете папката на програмата там, "
                         u"където можете да записвате (например в личната си папка или на флашка), "
                         u"и опитайте отново."_s.arg(folder)
                       : u"Нямате право да записвате в папка %1. Помолете учителя или администратора "
                         u"на компютъра да Ви даде това право и опитайте отново."_s.arg(folder);
    case FileError::Cause::InUse:
        return u"Затворете програмата, която използва файла (например програма за архивиране или "
               u"антивирусна програма), и опитайте отново."_s;
    case FileError::Cause::DiskFull:
    case FileError::Cause::QuotaFull:
    case FileError::Cause::TooLarge:
        return u"Освободете място на диска и опитайте отново."_s;
    case FileError::Cause::ReadOnly:
        return movable ? u"Дискът не позволява запис (например заключена флашка). Преместете папката "
                         u"на програмата на диск, на който може да се записва, и опитайте отново."_s
                       : u"Дискът с папка %1 не позволява запис. Помолете учителя или администратора "
                         u"на компютъра за помощ и опитайте отново."_s.arg(folder);
    case FileError::Cause::NotAFile:
        return u"Преименувайте или преместете това, което стои на мястото на файла, "
               u"и опитайте отново."_s;
    case FileError::Cause::NameTooLong:
        return movable ? u"Преместете папката на програмата на място с по-кратък път и опитайте отново."_s
                       : u"Пътят до папка %1 е твърде дълъг. Помолете учителя или администратора "
                         u"на компютъра за помощ и опитайте отново."_s.arg(folder);
    case FileError::Cause::Missing:
    case FileError::Cause::NotAFolder:
        return u"Проверете дали папка %1 съществува и опитайте отново."_s.arg(folder);
    case FileError::Cause::DeviceFault:
        return u"Проверете диска или флашката и опитайте отново."_s;
    case FileError::Cause::Unknown:
        break;
    }
    return u"Проверете дали папка %1 позволява запис и дали дискът има място, и опитайте отново."_s.arg(
            folder);
}

// What became of the files: all as before, unless a file could not be put back.
QString outcome(const FileError &error)
{
    if (error.changedFile().isEmpty())
        return u"Нито един файл не е променен, а промените Ви са още в прозореца."_s;
    return u"Внимание: файлът %1 вече съдържа новите данни, а другите файлове са както преди. "
           u"Промените Ви са още в прозореца: запишете ги отново."_s.arg(error.changedFile());
}

} // namespace

QString loadFailureMessage(const FileError &error)
{
    return u"Данните не могат да бъдат прочетени и прозорецът няма да се отвори.\n\n"_s + describe(error);
}

QString saveFailureMessage(const FileError &error)
{
    return u"Записът не бе успешен.\n\n"_s + describe(error) + u"\n\n"_s + outcome(error) + u' ' + advice(error);
}

} // namespace storage
