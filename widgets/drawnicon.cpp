#include "drawnicon.h"

#include <QPainter>
#include <QPixmap>

QIcon drawnIcon(std::initializer_list<int> sizes, const std::function<void(QPainter &)> &draw)
{
    QIcon icon;
    for (int size : sizes) {
        for (qreal scale : {1.0, 2.0}) {
            QPixmap pixmap(QSize(size, size) * scale);
            pixmap.setDevicePixelRatio(scale);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(size / 16.0, size / 16.0);
            draw(painter);
            icon.addPixmap(pixmap);
        }
    }
    return icon;
}
