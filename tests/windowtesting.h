#pragma once

// Shared by the window tests: named controls, typing, and the messages the windows show.

#include "filetesting.h"
#include "widgets/messagebox.h"

#include <QLabel>

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
