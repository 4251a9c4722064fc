#include "fieldreader.h"

#include "codepage.h"
#include "fileerror.h"
#include "systemerror.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

using namespace Qt::StringLiterals;

namespace storage {

namespace {

constexpr qint64 kChunk = 16 * 1024;
constexpr qsizetype kMaxField = MaxFieldLength;
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

bool isLineEnd(int c)
{
    return c == '\r' || c == '\n';
}

// The failures, kept out of the loops that check for them.
[[noreturn]] Q_DECL_COLD_FUNCTION void nulByte(const QString &path, qint64 position)
{
    throw FileError(FileError::BrokenFile, path, u"нулев байт на позиция %1"_s.arg(position));
}

[[noreturn]] Q_DECL_COLD_FUNCTION void fieldTooLong(const QString &path)
{
    throw FileError(FileError::BrokenFile, path, u"поле, по-дълго от 64 KiB"_s);
}

} // namespace

FieldReader::FieldReader(QIODevice &device, QString path) : m_device(device), m_path(std::move(path))
{
}

// The next byte without consuming it, or -1 at the end of the file.
inline int FieldReader::peek()
{
    if (m_pos == m_buffer.size()) [[unlikely]]
        return refill();
    const auto c = static_cast<unsigned char>(m_buffer.constData()[m_pos]);
    if (c == 0) [[unlikely]]
        nulByte(m_path, m_offset + m_pos);
    return c;
}

// Reads the next chunk, then as peek().
int FieldReader::refill()
{
    m_offset += m_buffer.size();
    m_buffer.resize(kChunk);
    systemerror::clear();
    const qint64 n = m_device.read(m_buffer.data(), kChunk);
    if (n < 0)
        throw systemerror::fileError(m_path, systemerror::last(), FileError::DeviceIoError,
                                     m_device.errorString());
    m_buffer.resize(n);
    m_pos = m_offset == 0 && m_buffer.startsWith(kByteOrderMark) ? 3 : 0;
    return n == 0 ? -1 : peek();
}

// Every byte of a field but its quotes and delimiter counts against the limit.
inline void FieldReader::count()
{
    if (++m_fieldBytes > kMaxField) [[unlikely]]
        fieldTooLong(m_path);
}

inline void FieldReader::skipBlanks()
{
    while (peek() == ' ') {
        count();
        skip();
    }
}

// Consumes a comma or line end (CR LF, CR or LF); false if something else follows.
inline bool FieldReader::endField()
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
        QString text;
        bool closed = false;
        // Up to the closing quote, a run of the buffer at a time; what the byte-by-byte
        // reading would check, in the same order: a NUL, then the length limit.
        while (peek() >= 0) {
            const char *const data = m_buffer.constData();
            const char *const begin = data + m_pos;
            const char *const end = data + m_buffer.size();
            const char *stop = static_cast<const char *>(std::memchr(begin, '"', size_t(end - begin)));
            if (!stop)
                stop = end;
            if (const void *nul = std::memchr(begin, '\0', size_t(stop - begin)))
                stop = static_cast<const char *>(nul);
            const qsizetype length = stop - begin;
            if (m_fieldBytes + length > kMaxField) [[unlikely]]
                fieldTooLong(m_path);
            m_fieldBytes += length;
            m_pos += length;
            if (stop == end) {
                value.append(begin, length);
                continue;
            }
            if (*stop == '\0') [[unlikely]]
                nulByte(m_path, m_offset + m_pos);
            skip();
            // Most fields lie in one buffer: decoded from there, without a copy.
            text = value.isEmpty() ? decode(QByteArrayView(begin, length))
                                   : decode(value.append(begin, length));
            closed = true;
            break;
        }
        if (!closed) // the file ended inside the quotes
            text = decode(value);
        skipBlanks();
        // Whatever a quote inside the text left behind goes with the rest of its line, so
        // the fields after it stay in place in a file of one field per line.
        if (!endField())
            skipRestOfLine();
        return text;
    }
    for (int c = peek(); c >= 0 && c != ',' && !isLineEnd(c); c = peek()) {
        count();
        value.append(char(c));
        skip();
    }
    endField();
    while (value.endsWith(' '))
        value.chop(1);
    return decode(value);
}

QString FieldReader::decode(QByteArrayView bytes)
{
    if (m_validUtf8) {
        m_validUtf8 = bytes.isValidUtf8();
        m_beyondAscii = m_beyondAscii || std::any_of(bytes.begin(), bytes.end(), [](char c) { return c & 0x80; });
    }
    return cp1251::decode(bytes);
}

} // namespace storage
