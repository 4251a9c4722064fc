#include "recordfile.h"

#include "codepage.h"
#include "fileerror.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QStorageInfo>

using namespace Qt::StringLiterals;

namespace storage {

namespace {

constexpr qint64 kChunk = 16 * 1024;
// No field the program writes comes near this; anything longer is a broken file, and
// the limit keeps a huge line from filling memory.
constexpr qsizetype kMaxField = 64 * 1024;
// Free space below what a save needed plus this margin counts as a full disk.
constexpr qint64 kFreeSpaceMargin = 64 * 1024;

// Only the UI thread opens data files, so the table needs no lock.
QSet<int> &openHandles()
{
    static QSet<int> handles;
    return handles;
}

// Holds a handle in the table of open handles for as long as it lives.
class HandleClaim
{
public:
    HandleClaim(int handle, const QString &path) : m_handle(handle)
    {
        if (openHandles().contains(handle))
            throw FileError(FileError::FileAlreadyOpen, path);
        openHandles().insert(handle);
    }
    ~HandleClaim() { openHandles().remove(m_handle); }
    Q_DISABLE_COPY_MOVE(HandleClaim)

private:
    int m_handle;
};

bool isLineEnd(int c)
{
    return c == '\r' || c == '\n';
}

} // namespace

struct RecordReader::Private
{
    Private(const QString &path, int handle);
    QString readField();

    int peek();
    void skip() { ++pos; }
    void count();
    void skipBlanks();
    bool endField();
    void skipRestOfLine();

    HandleClaim claim;
    QString path;
    QFile file;
    QByteArray buffer;
    qsizetype pos = 0;
    qsizetype fieldBytes = 0;
};

RecordReader::Private::Private(const QString &path, int handle)
    : claim(handle, path), path(path), file(path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw FileError(FileError::FileNotFound, path);
    // Checked before opening: opening a named pipe would wait for a writer forever.
    if (!info.isFile())
        throw FileError(FileError::PathFileAccess, path, u"не е обикновен файл"_s);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw FileError(FileError::PathFileAccess, path, file.errorString());
}

// The next byte without consuming it, or -1 at the end of the file.
int RecordReader::Private::peek()
{
    if (pos == buffer.size()) {
        buffer.resize(kChunk);
        const qint64 n = file.read(buffer.data(), kChunk);
        if (n < 0)
            throw FileError(FileError::DeviceIoError, path, file.errorString());
        buffer.resize(n);
        pos = 0;
        if (n == 0)
            return -1;
    }
    return static_cast<unsigned char>(buffer[pos]);
}

// Every byte of a field but its quotes and delimiter counts against the limit.
void RecordReader::Private::count()
{
    if (++fieldBytes > kMaxField)
        throw FileError(FileError::FieldTooLong, path);
}

void RecordReader::Private::skipBlanks()
{
    while (peek() == ' ') {
        count();
        skip();
    }
}

// Consumes a comma or line end (CR LF, CR or LF); false if something else follows.
bool RecordReader::Private::endField()
{
    const int c = peek();
    if (c == ',' || c == '\n') {
        skip();
    } else if (c == '\r') {
        skip();
        if (peek() == '\n')
            skip();
    } else if (c >= 0) {
        return false;
    }
    return true;
}

void RecordReader::Private::skipRestOfLine()
{
    while (peek() >= 0 && !isLineEnd(peek())) {
        count();
        skip();
    }
    endField();
}

QString RecordReader::Private::readField()
{
    if (peek() < 0)
        throw FileError(FileError::InputPastEnd, path);
    fieldBytes = 0;
    skipBlanks();
    QByteArray value;
    if (peek() == '"') {
        skip();
        for (int c = peek(); c >= 0; c = peek()) {
            skip();
            if (c == '"')
                break;
            count();
            value.append(char(c));
        }
        skipBlanks();
        // Whatever a quote inside the text left behind goes with the rest of its line, so
        // the fields after it stay in place in a file of one field per line.
        if (!endField())
            skipRestOfLine();
    } else {
        for (int c = peek(); c >= 0 && c != ',' && !isLineEnd(c); c = peek()) {
            count();
            value.append(char(c));
            skip();
        }
        endField();
        while (value.endsWith(' '))
            value.chop(1);
    }
    return cp1251::decode(value);
}

RecordReader::RecordReader(const QString &path, int handle)
    : d(std::make_unique<Private>(path, handle))
{
}

RecordReader::~RecordReader() = default;

QString RecordReader::readField()
{
    Q_ASSERT(d);
    return d->readField();
}

void RecordReader::close()
{
    d.reset();
}

struct RecordWriter::Private
{
    Private(const QString &path, int handle);
    FileError failure() const;

    HandleClaim claim;
    QString path;
    QSaveFile file;
    qint64 written = 0;
};

RecordWriter::Private::Private(const QString &path, int handle)
    : claim(handle, path), path(path), file(path)
{
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(FileError::PathFileAccess, path, file.errorString());
}

// By the time a commit fails the unfinished copy is gone again, so the free space
// is compared with what the save needed rather than checked for zero.
FileError RecordWriter::Private::failure() const
{
    const QStorageInfo volume(QFileInfo(path).absolutePath());
    const qint64 free = volume.bytesAvailable();
    const bool full = volume.isValid() && free >= 0 && free < written + kFreeSpaceMargin;
    return FileError(full ? FileError::DiskFull : FileError::DeviceIoError, path,
                     file.errorString());
}

RecordWriter::RecordWriter(const QString &path, int handle)
    : d(std::make_unique<Private>(path, handle))
{
}

// An uncommitted QSaveFile removes its copy when destroyed; the old file stays.
RecordWriter::~RecordWriter() = default;

void RecordWriter::writeLine(QStringView text)
{
    Q_ASSERT(d);
    const QByteArray line = '"' + cp1251::encode(text) + "\"\r\n";
    d->written += line.size();
    if (d->file.write(line) != line.size())
        throw d->failure();
}

void RecordWriter::close()
{
    Q_ASSERT(d);
    const std::unique_ptr<Private> closing = std::move(d); // the handle is free even on failure
    if (!closing->file.commit())
        throw closing->failure();
}

QStringList readRecords(const QString &path, int handle, int count)
{
    RecordReader reader(path, handle);
    QStringList fields;
    fields.reserve(count);
    for (int i = 0; i < count; ++i)
        fields.append(reader.readField());
    reader.close();
    return fields;
}

void writeRecords(const QString &path, int handle, const QStringList &texts)
{
    RecordWriter writer(path, handle);
    for (const QString &text : texts)
        writer.writeLine(text);
    writer.close();
}

} // namespace storage
