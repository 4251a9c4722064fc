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
    QString name = QString::fromUtf8(file.name);
    // Names are written as the program's originals had them, "\Predmeti.dat".
    while (name.startsWith(u'\\') || name.startsWith(u'/'))
        name.remove(0, 1);
    return QDir::toNativeSeparators(QDir(folder).filePath(name));
}

} // namespace storage
