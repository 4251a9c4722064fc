#include "fixedwindow.h"

#include <QFontInfo>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>

namespace fixedwindow {

namespace {

constexpr qreal smallestPointSize = 6;

bool fits(const QLabel *label)
{
    const QSize room = label->size();
    const QSize needed = label->wordWrap() ? QSize(room.width(), label->heightForWidth(room.width()))
                                           : label->sizeHint();
    return needed.width() <= room.width() && needed.height() <= room.height();
}

} // namespace

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

void fitCaptions(QWidget *client)
{
    for (QLabel *label : client->findChildren<QLabel *>()) {
        QFont font = label->font();
        for (qreal size = QFontInfo(font).pointSizeF(); !fits(label) && size > smallestPointSize;) {
            size -= 0.5;
            font.setPointSizeF(size);
            label->setFont(font);
        }
    }
}

} // namespace fixedwindow
