#pragma once

#include "datafile.h"

#include <QStringList>

#include <memory>

namespace storage {

// Reads the fields of a record-line file one after another. Every failure throws FileError.
class RecordReader
{
public:
    // Opens an existing regular file from its start; it is never created.
    RecordReader(const QString &path, int handle);
    ~RecordReader();
    RecordReader(const RecordReader &) = delete;
    RecordReader &operator=(const RecordReader &) = delete;

    // The next field, however the fields are spread over lines (see FieldReader).
    QString readField();
    void close();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// Writes one single-field record line per text. The file on disk is replaced only when
// close() succeeds; until then, and after any failure, the previous file stays as it was.
class RecordWriter
{
public:
    RecordWriter(const QString &path, int handle);
    ~RecordWriter(); // abandons a file that was not closed
    RecordWriter(const RecordWriter &) = delete;
    RecordWriter &operator=(const RecordWriter &) = delete;

    void writeLine(QStringView text);
    void close();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// Opens, reads `count` fields and closes: all of them, or a FileError and nothing.
QStringList readRecords(const QString &path, int handle, int count);

// Opens, writes one record line per text and closes: the whole file, or a FileError
// and the previous file untouched.
void writeRecords(const QString &path, int handle, const QStringList &texts);

} // namespace storage
