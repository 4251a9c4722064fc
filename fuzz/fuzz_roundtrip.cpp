// Any list of texts a file may hold (code page characters but the double quote and NUL),
// written to a data file and read back, is the same list.
#include "storage/codepage.h"
#include "storage/recordfile.h"

#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QTemporaryDir folder;
    static const QString path = folder.filePath(QStringLiteral("Predmeti.dat"));

    FuzzedDataProvider input(data, size);
    QStringList texts(input.ConsumeIntegralInRange(0, 40));
    for (QString &text : texts) {
        const std::string bytes = input.ConsumeRandomLengthString(64 * 1024);
        text = storage::cp1251::decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())))
                       .remove(u'"')
                       .remove(QChar(0));
    }

    storage::writeRecords(path, 1, texts);
    if (storage::readRecords(path, 1, int(texts.size())) != texts)
        std::abort();
    return 0;
}
