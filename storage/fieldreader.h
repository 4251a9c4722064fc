#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

namespace storage {

// The longest field a file may hold, in bytes: a Windows-1251 text of as many characters.
inline constexpr qsizetype MaxFieldLength = 64 * 1024;

// Splits the bytes of a record-line file into fields, reading the device only as far as
// the fields asked for. Every failure throws FileError naming `path`.
//
// A broken file: a field over 64 KiB (it is refused before more of it is read, so a
// huge line cannot fill memory) or a NUL byte in what is read (a text file never holds
// one; a file zeroed by a crash does).
//
// Fields come decoded as Windows-1251. A UTF-8 byte-order mark at the start is skipped,
// and isUtf8() tells whether the fields read so far are UTF-8 text instead: valid UTF-8
// with a byte beyond ASCII. Windows-1251 text never is, since two of its letters in a row
// are never valid UTF-8.
class FieldReader
{
public:
    FieldReader(QIODevice &device, QString path);

    // The next field, however the fields are spread over lines.
    QString readField();
    bool isUtf8() const { return m_validUtf8 && m_beyondAscii; }

private:
    QString decode(QByteArrayView bytes);
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
    bool m_validUtf8 = true;
    bool m_beyondAscii = false;
};

} // namespace storage
