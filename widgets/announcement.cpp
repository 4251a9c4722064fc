#include "announcement.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace announcement {

namespace {

// A window's notification: no size, no focus, shown only to be announced.
class Notification : public QWidget
{
    Q_OBJECT

public:
    explicit Notification(QWidget *window) : QWidget(window) { setGeometry(0, 0, 0, 0); }
};

QAccessibleInterface *notificationInterface(const QString &className, QObject *object)
{
    if (className != QLatin1StringView(Notification::staticMetaObject.className()))
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
}

} // namespace

void announce(QWidget *widget, const QString &text)
{
    [[maybe_unused]] static const bool installed = (QAccessible::installFactory(notificationInterface), true);
    QWidget *window = widget->window();
    if (!window->isVisible()) // a window being loaded has nothing to say yet
        return;
    auto *notification = window->findChild<Notification *>(QString(), Qt::FindDirectChildrenOnly);
    if (!notification)
        notification = new Notification(window);
    notification->hide();
    notification->setAccessibleName(text);
    notification->show();
}

} // namespace announcement

#include "announcement.moc"
