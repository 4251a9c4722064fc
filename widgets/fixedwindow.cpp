#include "clientarea.h"

#include <QLayout>
#include <QMainWindow>

void placeClientArea(QMainWindow *window, const QPoint &position)
{
    // Sizes the window and places its menu bar, so the client area's offset is known.
    window->layout()->activate();
    const QPoint offset = window->centralWidget()->geometry().topLeft();
    window->setGeometry({position - offset, window->size()});
}
