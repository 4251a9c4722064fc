#include "fixedwindow.h"

#include <QLayout>
#include <QMainWindow>

namespace fixedwindow {

QWidget *createClientArea(QMainWindow *window, const QSize &size)
{
    auto *client = new QWidget(window);
    client->setFixedSize(size);
    window->setCentralWidget(client);
    window->layout()->setSizeConstraint(QLayout::SetFixedSize);
    return client;
}

void placeClientArea(QMainWindow *window, const QPoint &position)
{
    // Sizes the window and places its menu bar, so the client area's offset is known.
    window->layout()->activate();
    const QPoint offset = window->centralWidget()->geometry().topLeft();
    window->setGeometry({position - offset, window->size()});
}

} // namespace fixedwindow
