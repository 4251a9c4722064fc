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
        PermissionDenied = 70,
        PathFileAccess = 75,
        PathNotFound = 76,
    };

    // What the operating system said went wrong, as far as a pupil can act on it.
    enum class Cause {
        Unknown,
        NoPermission,
        InUse,
        DiskFull,
        QuotaFull,
        TooLarge,
        ReadOnly,
        NotAFile,
        NameTooLong,
        Missing,
        NotAFolder,
        DeviceFault,
    };

    // `reason` says what is wrong with a broken file, or is the operating system's own text.
    FileError(Number number, QString path, QString reason = {});
    // The number and the Bulgarian reason of a known cause.
    FileError(Cause cause, QString path);

    Number number() const { return m_number; }
    Cause cause() const { return m_cause; }
    QString path() const { return m_path; }
    QString reason() const { return m_reason; }
    // The description of the number (of the cause, for a file in use), in Bulgarian
    // ("Файлът не е намерен").
    QString text() const;

    // A save of several files that failed and could not put back a file it had already
    // replaced: that file, which now holds the new text. Empty when every file is as before.
    QString changedFile() const { return m_changedFile; }
    void setChangedFile(const QString &path) { m_changedFile = path; }

    const char *what() const noexcept override { return m_what.constData(); }

private:
    FileError(Number number, Cause cause, QString path, QString reason);

    Number m_number;
    Cause m_cause;
    QString m_path;
    QString m_reason;
    QString m_changedFile;
    QByteArray m_what;
};

} // namespace storage
