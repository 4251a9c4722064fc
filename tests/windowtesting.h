#pragma once

// Shared by the window tests: a folder of data files, named controls, and the messages
// the windows show.

#include "storage/codepage.h"
#include "widgets/messagebox.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_WIN
#  include <qt_windows.h>
#endif

namespace windowtesting {

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

inline QByteArray records(const QStringList &texts)
{
    QByteArray bytes;
    for (const QString &text : texts)
        bytes += '"' + storage::cp1251::encode(text) + "\"\r\n";
    return bytes;
}

class DataFolder
{
public:
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return QDir::toNativeSeparators(m_dir.filePath(name)); }

    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    QByteArray read(const QString &name) const
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // A folder that has taken a data file's name: no one can write the file, root included.
    void blockWithFolder(const QString &name) const
    {
        QFile::remove(m_dir.filePath(name));
        QVERIFY(QDir(m_dir.path()).mkdir(name));
    }

private:
    QTemporaryDir m_dir;
};

template<typename Control = QWidget>
Control *child(const QObject *window, const QString &name)
{
    auto *control = window->findChild<Control *>(name);
    if (!control)
        qFatal("no control named %s", qPrintable(name));
    return control;
}

// Status bar panels are counted from 1.
inline QString panelText(const QObject *window, int number)
{
    return child(window, QStringLiteral("StatusBar1"))->findChildren<QLabel *>().at(number - 1)->text();
}

// Types `text` a character at a time, as a keyboard of any layout does; QTest::keyClicks
// sends only Latin-1.
inline void typeText(QWidget *widget, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, length), Qt::NoModifier);
        i += length - 1;
    }
}

inline QRect twipsToPixels(const QRect &twips)
{
    return {(twips.x() + 7) / 15, (twips.y() + 7) / 15, (twips.width() + 7) / 15, (twips.height() + 7) / 15};
}

// Collects the program's message boxes instead of showing them.
struct Messages
{
    struct Box
    {
        QString title;
        QString text;
    };
    Messages()
    {
        messagebox::setHook([this](QWidget *, const QString &title, const QString &text) {
            boxes.append({title, text});
        });
    }
    ~Messages() { messagebox::setHook({}); }
    QList<Box> boxes;
};

} // namespace windowtesting
