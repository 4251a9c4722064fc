#include "calcicons.h"

#include "widgets/drawnicon.h"

#include <QPainter>

namespace calcicons {

void paintWindow(QPainter &p)
{
    p.setPen(QPen(QColor(20, 40, 90), 0.8));
    p.setBrush(QColor(50, 90, 170));
    p.drawRoundedRect(QRectF(2.5, 0.5, 11, 15), 1.5, 1.5);
    p.setBrush(QColor(200, 235, 190));
    p.drawRect(QRectF(4, 2, 8, 3.5));
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            p.setBrush(row == 2 && column == 2 ? QColor(230, 60, 40) : QColor(235, 235, 235));
            p.drawRect(QRectF(4 + 3 * column, 7 + 2.7 * row, 2, 1.8));
        }
    }
}

QIcon window()
{
    return drawnIcon({16, 32, 48}, paintWindow);
}

QIcon save()
{
    return drawnIcon({32}, [](QPainter &p) { // the button shows it at 32 pixels alone
        p.setPen(QPen(QColor(20, 30, 60), 0.8));
        p.setBrush(QColor(40, 70, 150));
        p.drawPolygon(QPolygonF({{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}}));
        p.setBrush(QColor(245, 245, 245));
        p.drawRect(QRectF(4, 1.5, 7.5, 5));
        p.setBrush(QColor(40, 70, 150));
        p.drawRect(QRectF(9, 2.5, 1.5, 3));
        p.setBrush(QColor(250, 250, 235));
        p.drawRect(QRectF(3.5, 9, 9, 5.5));
    });
}

} // namespace calcicons
