#include "recordfile.h"

#include "codepage.h"
#include "fieldreader.h"
#include "fileerror.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QStorageInfo>

using namespace Qt::StringLiterals;

namespace storage {

namespace {

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

} // namespace

struct RecordReader::Private
{
    Private(const QString &path, int handle);

    HandleClaim claim;
    QFile file;
    FieldReader fields;
};

RecordReader::Private::Private(const QString &path, int handle)
    : claim(handle, path), file(path), fields(file, path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw FileError(FileError::FileNotFound, path);
    // Checked before opening: opening a named pipe would wait for a writer forever, and
    // a device may never end.
    if (!info.isFile())
        throw FileError(FileError::PathFileAccess, path, u"не е обикновен файл"_s);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw FileError(FileError::PathFileAccess, path, file.errorString());
}

RecordReader::RecordReader(const QString &path, int handle)
    : d(std::make_unique<Private>(path, handle))
{
}

RecordReader::~RecordReader() = default;

QString RecordReader::readField()
{
    Q_ASSERT(d);
    return d->fields.readField();
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
    // Unbuffered, so a short write (full disk, size limit) shows in write()'s count: a
    // buffered flush loses it, and commit() would put the first part of the file in place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
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
    // A NUL byte marks a broken file to the reader, so the writer never puts one in.
    const QByteArray line = '"' + cp1251::encode(text).replace('\0', '?') + "\"\r\n";
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
