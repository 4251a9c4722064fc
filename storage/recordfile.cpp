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

namespace {

// QSaveFile refuses these two without a system error: a folder or device in the file's
// place, and a file it may not replace, which opening it to append (changing nothing) tells
// the reason for. Errors name `shownAs`.
void checkReplaceable(const QString &path, const QString &shownAs)
{
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        throw FileError(FileError::Cause::NotAFile, shownAs);
    if (target.exists() && !target.isWritable()) {
        QFile existing(path);
        systemerror::clear();
        if (!existing.open(QIODevice::WriteOnly | QIODevice::Append))
            throw systemerror::fileError(shownAs, systemerror::last(), FileError::PathFileAccess,
                                         existing.errorString());
    }
}

} // namespace

struct RecordWriter::Private
{
    Private(const QString &path, int handle, const QString &shownAs);
    // The error of the call that just failed.
    [[noreturn]] void fail(FileError::Number fallback) const;

    HandleClaim claim;
    QString shownAs;
    QSaveFile file;
};

RecordWriter::Private::Private(const QString &path, int handle, const QString &shownAs)
    : claim(handle, shownAs), shownAs(shownAs), file(path)
{
    checkReplaceable(path, shownAs);
    systemerror::clear();
    // Unbuffered, so a short write (full disk, size limit) shows in write()'s count: a
    // buffered flush loses it, and commit() would put the first part of the file in place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        fail(FileError::PathFileAccess);
}

void RecordWriter::Private::fail(FileError::Number fallback) const
{
    throw systemerror::fileError(shownAs, systemerror::last(), fallback, file.errorString());
}

RecordWriter::RecordWriter(const QString &path, int handle, const QString &shownAs)
    : d(std::make_unique<Private>(path, handle, shownAs.isEmpty() ? path : shownAs))
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
    return fields;
}

namespace {

void writeWhole(const QString &path, int handle, const QStringList &texts, const QString &shownAs)
{
    RecordWriter writer(path, handle, shownAs);
    for (const QString &text : texts)
        writer.writeLine(text);
    writer.close();
}

// The file a save replaces: where the path is a link, the file it leads to.
QString replacedFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() && !info.canonicalFilePath().isEmpty() ? info.canonicalFilePath() : path;
}

} // namespace

namespace {

// One file of a save: the new text saved whole beside the file, then renamed over it.
struct Replacement
{
    QString shownAs; // the data file, as messages name it
    QString target;  // the file replaced: where the path is a link, the file it leads to
    QString copy;    // "<name>.new", the new text
    QString backup;  // "<name>.old", the replaced file, until every file is replaced
};

// Puts back what the renames before `failed` replaced, and clears away copies and
// backups. A file that cannot be put back is named in the error.
void rollBack(const QList<Replacement> &files, qsizetype failed, FileError &error)
{
    for (qsizetype i = 0; i < files.size(); ++i) {
        const Replacement &file = files[i];
        if (i < failed) {
            const bool restored = file.backup.isEmpty() ? QFile::remove(file.target)
                                                        : disksync::replace(file.backup, file.target);
            if (!restored)
                error.setChangedFile(file.shownAs);
        } else {
            QFile::remove(file.copy);
        }
        if (!file.backup.isEmpty())
            QFile::remove(file.backup);
    }
}

} // namespace

void writeRecordFiles(const QList<RecordFile> &files)
{
    // Each file's new text is first saved whole beside it as "<name>.new" (QSaveFile: on the
    // disk, or not there at all); only then are the copies renamed over the files, one right
    // after another, so that a kill leaves the files of two different saves for the moment
    // between two renames only. QSaveFile's own rename would sync each copy again in between.
    QList<Replacement> replacements;
    try {
        for (const RecordFile &file : files) {
            const QString target = replacedFile(file.path);
            checkReplaceable(target, file.path);
            writeWhole(target + u".new"_s, file.handle, file.texts, file.path);
            replacements.append({file.path, target, target + u".new"_s, {}});
            // The copy takes the file's place, so it takes the file's permissions too (an
            // owner-only file stays owner-only), as QSaveFile's own rename does.
            if (QFileInfo::exists(target))
                QFile::setPermissions(replacements.back().copy, QFileInfo(target).permissions());
        }
        // Every replaced file but the last is kept until the last rename is done, so that a
        // rename that fails can put the earlier ones back.
        for (qsizetype i = 0; i + 1 < replacements.size(); ++i) {
            Replacement &file = replacements[i];
            if (!QFileInfo::exists(file.target))
                continue;
            systemerror::clear();
            if (!disksync::keep(file.target, file.target + u".old"_s))
                throw systemerror::fileError(file.shownAs, systemerror::last(), FileError::PathFileAccess, {});
            file.backup = file.target + u".old"_s;
        }
    } catch (FileError &error) {
        rollBack(replacements, 0, error);
        throw;
    }
    for (qsizetype i = 0; i < replacements.size(); ++i) {
        systemerror::clear();
        if (!disksync::replace(replacements[i].copy, replacements[i].target)) {
            FileError error = systemerror::fileError(replacements[i].shownAs, systemerror::last(),
                                                     FileError::PathFileAccess, {});
            rollBack(replacements, i, error);
            throw error;
        }
    }
    QStringList folders;
    for (const Replacement &file : std::as_const(replacements)) {
        if (!file.backup.isEmpty())
            QFile::remove(file.backup);
        folders << QFileInfo(file.target).absolutePath();
    }
    folders.removeDuplicates();
    for (const QString &folder : std::as_const(folders))
        disksync::syncFolder(folder);
}

void writeRecords(const QString &path, int handle, const QStringList &texts)
{
    writeRecordFiles({{path, handle, texts}});
}

} // namespace storage
