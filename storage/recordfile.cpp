#include "recordfile.h"

#include "codepage.h"
#include "disksync.h"
#include "fieldreader.h"
#include "fileerror.h"
#include "systemerror.h"
#include "textfit.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include <vector>

using namespace Qt::StringLiterals;

namespace storage {

namespace {

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
        throw FileError(FileError::Cause::NotAFile, path);
    systemerror::clear();
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw systemerror::fileError(path, systemerror::last(), FileError::PathFileAccess, file.errorString());
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

bool RecordReader::isUtf8() const
{
    Q_ASSERT(d);
    return d->fields.isUtf8();
}

void RecordReader::close()
{
    d.reset();
}

struct RecordWriter::Private
{
    Private(const QString &path, int handle);
    // The error of the call that just failed.
    [[noreturn]] void fail(FileError::Number fallback) const;

    HandleClaim claim;
    QString path;
    QSaveFile file;
};

RecordWriter::Private::Private(const QString &path, int handle)
    : claim(handle, path), path(path), file(path)
{
    // QSaveFile refuses these two without a system error: a folder or device in the file's
    // place, and a file it may not replace, which opening it to append (changing nothing)
    // tells the reason for.
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        throw FileError(FileError::Cause::NotAFile, path);
    if (target.exists() && !target.isWritable()) {
        QFile existing(path);
        systemerror::clear();
        if (!existing.open(QIODevice::WriteOnly | QIODevice::Append))
            throw systemerror::fileError(path, systemerror::last(), FileError::PathFileAccess,
                                         existing.errorString());
    }
    systemerror::clear();
    // Unbuffered, so a short write (full disk, size limit) shows in write()'s count: a
    // buffered flush loses it, and commit() would put the first part of the file in place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        fail(FileError::PathFileAccess);
}

void RecordWriter::Private::fail(FileError::Number fallback) const
{
    throw systemerror::fileError(path, systemerror::last(), fallback, file.errorString());
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
    const QByteArray line = '"' + cp1251::encode(textfit::withoutBareQuotes(text.toString())).replace('\0', '?')
                            + "\"\r\n";
    systemerror::clear();
    if (d->file.write(line) != line.size())
        d->fail(FileError::DeviceIoError);
}

void RecordWriter::flush()
{
    Q_ASSERT(d);
    systemerror::clear();
    if (!disksync::flush(d->file))
        d->fail(FileError::DeviceIoError);
}

void RecordWriter::close()
{
    Q_ASSERT(d);
    const std::unique_ptr<Private> closing = std::move(d); // the handle is free even on failure
    systemerror::clear();
    if (!closing->file.commit())
        closing->fail(FileError::DeviceIoError);
}

QStringList readRecords(const QString &path, int handle, int count)
{
    RecordReader reader(path, handle);
    QStringList fields;
    fields.reserve(count);
    for (int i = 0; i < count; ++i)
        fields.append(reader.readField());
    // Decoding the Windows-1251 text back to its bytes gives the file's bytes again.
    if (reader.isUtf8()) {
        for (QString &field : fields)
            field = textfit::read(QString::fromUtf8(cp1251::encode(field)));
    }
    reader.close();
    return fields;
}

void writeRecordFiles(const QList<RecordFile> &files)
{
    std::vector<std::unique_ptr<RecordWriter>> writers;
    for (const RecordFile &file : files) {
        writers.push_back(std::make_unique<RecordWriter>(file.path, file.handle));
        for (const QString &text : file.texts)
            writers.back()->writeLine(text);
    }
    // QSaveFile puts a copy on the disk as it commits it; flushing them all first keeps the
    // writing out of the time between two renames.
    if (writers.size() > 1) {
        for (const auto &writer : writers)
            writer->flush();
    }
    // The renames as close together as the file system lets them be: QSaveFile syncs each
    // copy again as it commits it, and on Linux ext4 a copy made before another waits there
    // for the journal if the other was renamed first (its unnamed inode sits behind the
    // other's on the orphan list), so the last copy made is renamed first.
    for (auto writer = writers.rbegin(); writer != writers.rend(); ++writer)
        (*writer)->close();

    // The folder of each name and, where a name is a link, of the file it leads to.
    QSet<QString> folders;
    for (const RecordFile &file : files) {
        const QFileInfo info(file.path);
        folders << info.absolutePath() << QFileInfo(info.canonicalFilePath()).absolutePath();
    }
    for (const QString &folder : std::as_const(folders))
        disksync::syncFolder(folder);
}

void writeRecords(const QString &path, int handle, const QStringList &texts)
{
    writeRecordFiles({{path, handle, texts}});
}

} // namespace storage
