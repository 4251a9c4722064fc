#pragma once

// Shared by the tests: a temporary folder of data files, their bytes, the quoted lines the
// program writes, and the reviewed texts a pupil reads.

#include "storage/codepage.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_WIN
#  include <qt_windows.h>
#endif

namespace filetesting {

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

// Every entry of a folder, with a file's bytes or a link's target.
inline QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> state;
    for (const QFileInfo &entry : QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        state.insert(entry.fileName(), readBytes(entry.filePath()) + entry.symLinkTarget().toUtf8());
    return state;
}

// Compares `actual`, line by line, with the reviewed text tests/reviewed/<name>.txt. A
// difference leaves `actual` as <name>.actual.txt in the working folder, from where
// scripts/update-reviewed.sh takes it after a deliberate change.
inline void compareWithReviewed(const QString &actual, const QString &name)
{
    const QString reviewed = QString::fromUtf8(readBytes(QStringLiteral(TUMBORA_REVIEWED "/") + name + QStringLiteral(".txt")));
    if (actual != reviewed)
        writeBytes(name + QStringLiteral(".actual.txt"), actual.toUtf8());
    QCOMPARE(actual.split(u'\n'), reviewed.split(u'\n'));
}

class DataFolder
{
public:
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return QDir::toNativeSeparators(m_dir.filePath(name)); }

    void write(const QString &name, const QByteArray &bytes) const { writeBytes(m_dir.filePath(name), bytes); }

private:
    QTemporaryDir m_dir;
};

} // namespace filetesting
