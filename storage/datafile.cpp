#include "datafile.h"

#include "fileerror.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace storage {

QString applicationFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString dataFilePath(const QString &folder, const DataFile &file)
{
    return QDir::toNativeSeparators(QDir(folder).filePath(QString::fromUtf8(file.name)));
}

QString userDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

void fillDataFolder(const QString &folder, const QString &defaultsFolder)
{
    constexpr auto ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
    constexpr auto ownerOnlyFolder = ownerOnly | QFile::ExeOwner | QFile::ExeUser;
    if (folder.isEmpty())
        throw FileError(FileError::PathFileAccess, folder, u"Папката за данните не е известна."_s);
    const QDir target(folder);
    if (!target.exists()) {
        const QString parent = QFileInfo(folder).absolutePath();
        if (!QDir().mkpath(parent) || !QDir(parent).mkdir(target.dirName(), ownerOnlyFolder))
            throw FileError(FileError::PathFileAccess, QDir::toNativeSeparators(folder),
                            u"Папката за данните не може да бъде създадена."_s);
    }
    const QDir defaults(defaultsFolder);
    for (const QString &name : defaults.entryList({u"*.dat"_s}, QDir::Files)) {
        const QString path = target.filePath(name);
        if (QFileInfo::exists(path))
            continue;
        QFile copy(defaults.filePath(name));
        if (!copy.copy(path) || !QFile::setPermissions(path, ownerOnly))
            throw FileError(FileError::PathFileAccess, QDir::toNativeSeparators(path), copy.errorString());
    }
}

} // namespace storage
