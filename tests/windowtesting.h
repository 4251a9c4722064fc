#pragma once

// Shared by the window tests: the program's windows over a folder of data files, their
// named controls, typing, and the message boxes they show.

#include "filetesting.h"

#include "app/programwindows.h"
#include "app/windowtable.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

namespace windowtesting {

using namespace filetesting;

template<typename Control = QWidget>
Control *child(const QObject *window, const QString &name)
{
    auto *control = window->findChild<Control *>(name);
    if (!control)
        qFatal("no control named %s", qPrintable(name));
    return control;
}

inline QLineEdit *box(const QObject *window, const QString &name) { return child<QLineEdit>(window, name); }

// Clicks the button or triggers the menu entry of that name.
inline void press(const QObject *window, const QString &name)
{
    if (auto *button = window->findChild<QAbstractButton *>(name))
        button->click();
    else
        child<QAction>(window, name)->trigger();
}

// Status bar panels are counted from 1.
inline QLabel *panel(const QObject *window, int number)
{
    return child(window, QStringLiteral("StatusBar1"))->findChildren<QLabel *>().at(number - 1);
}
inline QString panelText(const QObject *window, int number) { return panel(window, number)->text(); }

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

// Reads the real message boxes as they appear, as "title: text", and presses their OK button.
class Messages : public QObject
{
public:
    Messages() { qApp->installEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = qobject_cast<QMessageBox *>(watched);
        if (box && event->type() == QEvent::Show) {
            const bool plain = box->icon() == QMessageBox::NoIcon && box->standardButtons() == QMessageBox::Ok;
            shown << (plain ? QString() : QStringLiteral("not plain! ")) + box->windowTitle() + QStringLiteral(": ") + box->text();
            QMetaObject::invokeMethod(box->button(QMessageBox::Ok), &QAbstractButton::click, Qt::QueuedConnection);
        }
        return false;
    }
    QStringList shown;
};

// The program's windows over a data folder whose files all load.
struct Program
{
    static inline const QStringList dayFiles = {QStringLiteral("Ponedelnic.dat"), QStringLiteral("Vtornic.dat"),
                                                QStringLiteral("Srqda.dat"), QStringLiteral("Chetvurtuk.dat"),
                                                QStringLiteral("Petuk.dat")};
    static inline const QStringList dayNames = {QStringLiteral("Понеделник"), QStringLiteral("Вторник"),
                                                QStringLiteral("Сряда"), QStringLiteral("Четвъртък"),
                                                QStringLiteral("Петък")};
    static QStringList dayLessons(int day) { return numbered(dayNames[day] + QStringLiteral(" час "), 8); }

    Program()
    {
        folder.write(QStringLiteral("Predmeti.dat"), records(numbered(QStringLiteral("Предмет "), 15)));
        folder.write(QStringLiteral("Ocenki.dat"), records(QStringList(15, QStringLiteral("5"))));
        for (int day = 0; day < 5; ++day)
            folder.write(dayFiles[day], records(dayLessons(day)));
        programwindows::addTo(windows, folder.path());
    }
    ~Program()
    {
        for (int entry : {programwindows::Calculator, programwindows::Timetable})
            delete windows.window(entry);
    }
    // The window of that entry, opened as the program opens it; null when it failed to load.
    QWidget *open(int entry) { return windows.open(entry) ? windows.window(entry) : nullptr; }

    DataFolder folder;
    Messages messages;
    WindowTable windows;
};

} // namespace windowtesting
