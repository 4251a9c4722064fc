#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

namespace storage {

// The one failure type of every data file operation: a run-time error number in the
// classic numbering, a description for the pupil, and the file concerned.
// BrokenFile is ours (see FieldReader for what counts as broken); it borrows 59
// ("bad record length"), the classic number closest to it.
class FileError : public std::exception
{
public:
    enum Number {
        FileAlreadyOpen = 55,
        DeviceIoError = 57,
        DiskFull = 61,
        InputPastEnd = 62,
        FileNotFound = 53,
        BrokenFile = 59,
        PathFileAccess = 75,
    };

    // `reason` is the operating system's own wording, or what is wrong with a broken file.
    FileError(Number number, QString path, QString reason = {});

    Number number() const { return m_number; }
    QString path() const { return m_path; }
    QString reason() const { return m_reason; }
    // The description of the number, in Bulgarian ("Файлът не е намерен").
    QString text() const;

    const char *what() const noexcept override { return m_what.constData(); }

private:
    Number m_number;
    QString m_path;
    QString m_reason;
    QByteArray m_what;
};

} // namespace storage
