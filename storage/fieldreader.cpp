#include "fieldreader.h"

#include "codepage.h"
#include "fileerror.h"

#include <QIODevice>

using namespace Qt::StringLiterals;

namespace storage {

namespace {

constexpr qint64 kChunk = 16 * 1024;
// No field the program writes comes near this.
constexpr qsizetype kMaxField = 64 * 1024;

bool isLineEnd(int c)
{
    return c == '\r' || c == '\n';
}

} // namespace

FieldReader::FieldReader(QIODevice &device, QString path) : m_device(device), m_path(std::move(path))
{
}

// The next byte without consuming it, or -1 at the end of the file.
int FieldReader::peek()
{
    if (m_pos == m_buffer.size()) {
        m_offset += m_buffer.size();
        m_buffer.resize(kChunk);
        const qint64 n = m_device.read(m_buffer.data(), kChunk);
        if (n < 0)
            throw FileError(FileError::DeviceIoError, m_path, m_device.errorString());
        m_buffer.resize(n);
        m_pos = 0;
        if (n == 0)
            return -1;
    }
    const auto c = static_cast<unsigned char>(m_buffer[m_pos]);
    if (c == 0)
        throw FileError(FileError::BrokenFile, m_path,
                        u"нулев байт на позиция %1"_s.arg(m_offset + m_pos));
    return c;
}

// Every byte of a field but its quotes and delimiter counts against the limit.
void FieldReader::count()
{
    if (++m_fieldBytes > kMaxField)
        throw FileError(FileError::BrokenFile, m_path, u"поле, по-дълго от 64 KiB"_s);
}

void FieldReader::skipBlanks()
{
    while (peek() == ' ') {
        count();
        skip();
    }
}

// Consumes a comma or line end (CR LF, CR or LF); false if something else follows.
bool FieldReader::endField()
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

void FieldReader::skipRestOfLine()
{
    while (peek() >= 0 && !isLineEnd(peek())) {
        count();
        skip();
    }
    endField();
}

QString FieldReader::readField()
{
    if (peek() < 0)
        throw FileError(FileError::InputPastEnd, m_path);
    m_fieldBytes = 0;
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

} // namespace storage
