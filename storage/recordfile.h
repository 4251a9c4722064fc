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

    // The next field, however the fields are spread over lines, decoded as Windows-1251
    // (see FieldReader).
    QString readField();
    // Whether the fields read so far are UTF-8 text rather than Windows-1251.
    bool isUtf8() const;
    void close();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// Writes one single-field record line per text into a new copy beside the file, which
// replaces the file only when close() succeeds; until then, and after any failure, the
// previous file stays as it was. A bare double quote is written as a typographic one, so
// it never ends a field early.
class RecordWriter
{
public:
    // Errors name `shownAs` where given: the file a copy is written for.
    RecordWriter(const QString &path, int handle, const QString &shownAs = {});
    ~RecordWriter(); // abandons a file that was not closed
    RecordWriter(const RecordWriter &) = delete;
    RecordWriter &operator=(const RecordWriter &) = delete;

    void writeLine(QStringView text);
    // Puts the copy on the disk and renames it over the file.
    void close();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// Opens, reads `count` fields and closes: all of them, or a FileError and nothing. A file
// of UTF-8 text gives its texts as they would have been typed (see textfit::read).
QStringList readRecords(const QString &path, int handle, int count);

struct RecordFile
{
    QString path;
    int handle;
    QStringList texts;
};

// Writes every file completely, one record line per text, and puts each on the disk before
// any of them replaces its previous file; then replaces them in order, one right after
// another, and syncs their folders. A FileError leaves every file as it was, unless a
// rename itself fails after an earlier one went through.
void writeRecordFiles(const QList<RecordFile> &files);

// writeRecordFiles() for one file.
void writeRecords(const QString &path, int handle, const QStringList &texts);

} // namespace storage
