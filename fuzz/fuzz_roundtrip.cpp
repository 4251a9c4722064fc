// Any list of texts a file may hold (code page characters but the double quote and NUL),
// written to a data file and read back, is the same list; or, where the bytes of every text
// happen to be valid UTF-8 with a byte beyond ASCII (never so for words, see FieldReader),
// the list read as UTF-8.
#include "storage/codepage.h"
#include "storage/recordfile.h"
#include "storage/textfit.h"

#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
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

    QStringList expected = texts;
    bool utf8 = true;
    bool beyondAscii = false;
    for (const QString &text : texts) {
        const QByteArray bytes = storage::cp1251::encode(text);
        utf8 = utf8 && bytes.isValidUtf8();
        beyondAscii = beyondAscii || std::any_of(bytes.begin(), bytes.end(), [](char c) { return c & 0x80; });
    }
    if (utf8 && beyondAscii) {
        for (QString &text : expected)
            text = storage::textfit::read(QString::fromUtf8(storage::cp1251::encode(text)));
    }

    storage::writeRecords(path, 1, texts);
    if (storage::readRecords(path, 1, int(texts.size())) != expected)
        std::abort();
    return 0;
}
