#include "desktopinput.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QWidget>

namespace desktopinput {

namespace {

class WheelOnlyWhenFocused : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Swallowed: the list under the pointer stays as it is, and nothing behind it moves.
        return event->type() == QEvent::Wheel && !static_cast<QWidget *>(watched)->hasFocus();
    }
};

class ReturnPresses : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            || (key->modifiers() & ~Qt::KeypadModifier))
            return false;
        if (!key->isAutoRepeat())
            static_cast<QAbstractButton *>(watched)->click();
        return true;
    }
};

} // namespace

void apply(QWidget *window)
{
    auto *wheel = new WheelOnlyWhenFocused(window);
    auto *returnKey = new ReturnPresses(window);
    for (QWidget *control : window->findChildren<QWidget *>()) {
        // Lists and spin boxes take the focus by the wheel; nothing else here turns with it.
        if (control->focusPolicy() == Qt::WheelFocus) {
            control->setFocusPolicy(Qt::StrongFocus);
            control->installEventFilter(wheel);
        }
        if (auto *button = qobject_cast<QAbstractButton *>(control))
            button->installEventFilter(returnKey);
    }
}

} // namespace desktopinput
