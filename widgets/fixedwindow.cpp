#include "fixedwindow.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace fixedwindow {

namespace {

constexpr qreal smallestPointSize = 6;

// The frame the platform draws around the window: as it tells once the window's native window
// exists (Windows, from the window's style), or, where it tells only after the window is shown
// (X11), as Qt's dialogs estimate it when they centre themselves: 10 pixels wider, 40 higher.
QMargins frameMargins(QMainWindow *window)
{
    window->winId();
    const QMargins known = window->windowHandle()->frameMargins();
    return known.isNull() ? QMargins(5, 35, 5, 5) : known;
}

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
    QRect geometry{position - offset, window->size()};
    const QMargins frame = frameMargins(window);
    const QScreen *screen = QGuiApplication::screenAt(position);
    if (!screen)
        screen = window->screen();
    geometry.moveTopLeft(fittedPosition(geometry.marginsAdded(frame), screen->availableGeometry())
                         + QPoint(frame.left(), frame.top()));
    window->setGeometry(geometry);
}

QPoint fittedPosition(const QRect &frame, const QRect &available)
{
    const auto fitted = [](int start, int length, int freeStart, int freeLength) {
        return std::max(freeStart, std::min(start, freeStart + freeLength - length));
    };
    return {fitted(frame.x(), frame.width(), available.x(), available.width()),
            fitted(frame.y(), frame.height(), available.y(), available.height())};
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
