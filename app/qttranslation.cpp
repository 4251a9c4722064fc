#include "qttranslation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace qttranslation {

bool install()
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    const QString folders[] = {QDir(QCoreApplication::applicationDirPath()).filePath(u"translations"_s),
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    for (const QString &folder : folders) {
        if (translator->load(u"qtbase_bg"_s, folder))
            return QCoreApplication::installTranslator(translator);
    }
    delete translator;
    return false;
}

} // namespace qttranslation
