#include "failuremessage.h"

using namespace Qt::StringLiterals;

namespace storage {

namespace {
QString describe(const FileError &error)
{
    QString text = u"Файл: %1\n%2 (грешка %3)."_s.arg(error.path(), error.text()).arg(int(error.number()));
    if (!error.reason().isEmpty())
        text += u"\nПричина: "_s + error.reason();
    return text;
}
} // namespace

QString loadFailureMessage(const FileError &error)
{
    return u"Данните не могат да бъдат прочетени и прозорецът няма да се отвори.\n\n"_s + describe(error);
}

QString saveFailureMessage(const FileError &error)
{
    return u"Записът не бе успешен.\n\n"_s + describe(error)
           + u"\n\nПредишното съдържание на файла е запазено, а промените Ви са още в прозореца. "
             u"Проверете дали папката на програмата позволява запис и дали дискът има място, "
             u"и опитайте отново."_s;
}

} // namespace storage
