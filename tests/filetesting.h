#pragma once

// Shared by the tests: a temporary folder of data files, their bytes, and the quoted lines
// the program writes.

#include "storage/codepage.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_WIN
#  include <qt_windows.h>
#endif

namespace filetesting {

// Wine's ntdll exports its version; Windows' does not. Where Wine differs from Windows, a
// test skips there and says why.
inline bool runsUnderWine()
{
#ifdef Q_OS_WIN
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
#else
    return false;
#endif
}

// "prefix1" .. "prefixN"
inline QStringList numbered(const QString &prefix, int count)
{
    QStringList texts;
    for (int i = 1; i <= count; ++i)
        texts << prefix + QString::number(i);
    return texts;
}

// The texts as the program stores them: one quoted Windows-1251 line each.
inline QByteArray records(const QStringList &texts)
{
    QByteArray bytes;
    for (const QString &text : texts)
        bytes += '"' + storage::cp1251::encode(text) + "\"\r\n";
    return bytes;
}

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

class DataFolder
{
public:
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return QDir::toNativeSeparators(m_dir.filePath(name)); }

    void write(const QString &name, const QByteArray &bytes) const { writeBytes(m_dir.filePath(name), bytes); }
    QByteArray read(const QString &name) const { return readBytes(m_dir.filePath(name)); }

private:
    QTemporaryDir m_dir;
};

} // namespace filetesting
