// Writes the program's icon as tumbora-<size>.png for each size given and as tumbora.ico,
// painted by the same code as the calculator's window icon.

#include "calculator/calcicons.h"
#include "widgets/drawnicon.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QtEndian>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

QImage render(int size)
{
    return drawnImage(size, 1.0, calcicons::paintWindow);
}

QByteArray png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

template<typename T>
void put(QByteArray &out, T value)
{
    value = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&value), sizeof value);
}

// An .ico whose images are stored as PNG, as Windows has read them since Vista.
QByteArray ico(const QList<int> &sizes)
{
    QList<QByteArray> images;
    for (int size : sizes)
        images << png(render(size));

    QByteArray out;
    put<quint16>(out, 0); // reserved
    put<quint16>(out, 1); // icon
    put<quint16>(out, quint16(sizes.size()));
    quint32 offset = 6 + 16 * quint32(sizes.size());
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        out.append(char(sizes[i] % 256)); // 0 stands for 256
        out.append(char(sizes[i] % 256));
        out.append(char(0)); // no palette
        out.append(char(0));
        put<quint16>(out, 1);  // planes
        put<quint16>(out, 32); // bits per pixel
        put<quint32>(out, quint32(images[i].size()));
        put<quint32>(out, offset);
        offset += quint32(images[i].size());
    }
    for (const QByteArray &image : images)
        out += image;
    return out;
}

bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush())
        return true;
    std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <folder> <size>...\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(u"."_s))
        return 1;
    for (int i = 2; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        if (size < 1 || size > 256)
            return 2;
        if (!write(folder.filePath(u"tumbora-%1.png"_s.arg(size)), png(render(size))))
            return 1;
    }
    // Windows picks from these for the executable in Explorer, the task bar and shortcuts.
    return write(folder.filePath(u"tumbora.ico"_s), ico({16, 24, 32, 48, 256})) ? 0 : 1;
}
