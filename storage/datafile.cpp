#include "datafile.h"

#include <QCoreApplication>
#include <QDir>

namespace storage {

QString applicationFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString dataFilePath(const QString &folder, const DataFile &file)
{
    return QDir::toNativeSeparators(QDir(folder).filePath(QString::fromUtf8(file.name)));
}

} // namespace storage
