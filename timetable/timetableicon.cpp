#include "timetableicon.h"

#include "widgets/drawnicon.h"

#include <QPainter>

QIcon timetableIcon()
{
    return drawnIcon({16, 32}, [](QPainter &p) {
        p.setPen(QPen(QColor(60, 60, 60), 0.8));
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(1.5, 2.5, 13, 12));
        p.setBrush(QColor(200, 40, 40));
        p.drawRect(QRectF(1.5, 2.5, 13, 3.5));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 70, 150));
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 4; ++column)
                p.drawRect(QRectF(3 + 2.8 * column, 7.3 + 2.4 * row, 1.8, 1.5));
        p.setBrush(QColor(90, 90, 90));
        p.drawRect(QRectF(4.5, 1, 1.2, 3));
        p.drawRect(QRectF(10.3, 1, 1.2, 3));
    });
}
