#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

namespace storage {

// Splits the bytes of a record-line file into fields, reading the device only as far as
// the fields asked for. Every failure throws FileError naming `path`.
//
// A broken file: a field over 64 KiB (it is refused before more of it is read, so a
// huge line cannot fill memory) or a NUL byte in what is read (a text file never holds
// one; a file zeroed by a crash does).
class FieldReader
{
public:
    FieldReader(QIODevice &device, QString path);

    // The next field, however the fields are spread over lines.
    QString readField();

private:
    int peek();
    int refill();
    void skip() { ++m_pos; }
    void count();
    void skipBlanks();
    bool endField();
    void skipRestOfLine();

    QIODevice &m_device;
    QString m_path;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    qint64 m_offset = 0; // of the buffer's first byte in the file
    qsizetype m_fieldBytes = 0;
};

} // namespace storage
