// Record-line reading at scale: a generated data file of 10^5 and of 10^6 record lines read
// field by field with storage::RecordReader, beside a plain line scan of the same bytes with
// memchr (read through QFile in 16 KiB chunks, as the reader reads), and the making and
// release of a QString of each field's length, which any reader returning QStrings pays.
// Prints one line per size: lines, bytes, the median of eleven runs of each (ns per line)
// and the throughput ratio reader / scan. It reports and asserts nothing.
//
//   bench_records [LINES...]        (default: 100000 1000000)

#include "storage/codepage.h"
#include "storage/recordfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The program's own data files, over and over: a block of 70 lines as its seven files hold
// them, 15 subjects, 15 grades and 40 lessons (five days of eight, the eighth often free).
QByteArray recordLines(int count)
{
    static const char16_t *const subjects[] = {
        u"Български език и литература", u"Математика", u"Английски език", u"Руски език",
        u"Информационни технологии", u"История и цивилизации", u"География и икономика",
        u"Философия", u"Биология и здравно образование", u"Физика и астрономия",
        u"Химия и опазване на околната среда", u"Музика", u"Изобразително изкуство",
        u"Физическо възпитание и спорт", u"Технологии и предприемачество",
    };
    static const char16_t *const grades[] = {u"6", u"5.50", u"5", u"4.75", u"6", u"3", u"5,25", u"6",
                                             u"4", u"5", u"6", u"5.50", u"6", u"4.50", u"5"};
    QList<QByteArray> block;
    for (const char16_t *subject : subjects)
        block << storage::cp1251::encode(QStringView(subject));
    for (const char16_t *grade : grades)
        block << storage::cp1251::encode(QStringView(grade));
    for (int day = 0; day < 5; ++day) {
        for (int lesson = 0; lesson < 8; ++lesson)
            block << (lesson == 7 && day % 2 ? QByteArray() : block.at((day * 4 + lesson * 2) % 15));
    }

    QByteArray bytes;
    bytes.reserve(qsizetype(count) * 22);
    for (int i = 0; i < count; ++i)
        bytes += '"' + block.at(i % block.size()) + "\"\r\n";
    return bytes;
}

template<typename Run>
double medianNs(Run run)
{
    std::vector<double> times;
    for (int i = 0; i < 11; ++i) {
        const auto start = Clock::now();
        run();
        times.push_back(std::chrono::duration<double, std::nano>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {100'000, 1'000'000};

    QTemporaryDir folder;
    for (int lines : sizes) {
        const QString path = folder.filePath(QStringLiteral("records.dat"));
        const QByteArray bytes = recordLines(lines);
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            return 1;
        out.close();

        qsizetype checksum = 0;
        const double readerNs = medianNs([&] {
            storage::RecordReader reader(path, 1);
            for (int i = 0; i < lines; ++i)
                checksum += reader.readField().size();
            reader.close();
        });
        qsizetype newlines = 0;
        const double scanNs = medianNs([&] {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
                std::abort();
            std::vector<char> chunk(16 * 1024);
            for (qint64 n; (n = file.read(chunk.data(), qint64(chunk.size()))) > 0;) {
                for (const char *p = chunk.data(), *end = p + n;
                     (p = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p))));
                     ++p)
                    ++newlines;
            }
        });
        // What any reader that returns a QString per field pays besides the scan: one
        // QString of each field's length made and released (Qt's allocation, glibc's malloc).
        std::vector<qsizetype> lengths;
        for (qsizetype from = 0, to; (to = bytes.indexOf('\n', from)) >= 0; from = to + 1)
            lengths.push_back(to - from - 3); // less the quotes and CR LF
        const double stringNs = medianNs([&] {
            for (const qsizetype length : lengths)
                checksum += QString(length, Qt::Uninitialized).size();
        });
        if (newlines != qsizetype(lines) * 11 || checksum == 0)
            return 1;
        std::printf("lines=%d bytes=%lld reader_ns_per_line=%.1f scan_ns_per_line=%.2f "
                    "qstring_ns_per_line=%.1f reader_mb_s=%.0f scan_mb_s=%.0f ratio=%.3f\n",
                    lines, qlonglong(bytes.size()), readerNs / lines, scanNs / lines, stringNs / lines,
                    bytes.size() / readerNs * 1e3, bytes.size() / scanNs * 1e3, scanNs / readerNs);
        std::fflush(stdout);
    }
    return 0;
}
