// Any bytes, read as a data file asking for up to forty fields: a field or a FileError,
// never a crash, a hang, a leak or a field over the limit. The code page keeps every byte.
#include "storage/codepage.h"
#include "storage/fieldreader.h"
#include "storage/fileerror.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int wanted = data[0] % 40 + 1;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    if (storage::cp1251::encode(storage::cp1251::decode(bytes)) != bytes)
        std::abort();

    QBuffer device;
    device.setData(bytes);
    device.open(QIODevice::ReadOnly);
    storage::FieldReader reader(device, QStringLiteral("fuzz.dat"));
    try {
        for (int i = 0; i < wanted; ++i) {
            if (reader.readField().size() > 64 * 1024)
                std::abort();
        }
    } catch (const storage::FileError &) {
    }
    return 0;
}
