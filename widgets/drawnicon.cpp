#include "drawnicon.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

#include <map>

namespace {

QPixmap picture(const std::function<void(QPainter &)> &draw, int size, qreal scale)
{
    return QPixmap::fromImage(drawnImage(size, scale, draw));
}

// Paints a picture when it is first asked for, not every picture when the icon is made: a
// window shows one or two of them, and painting all of them took 4 % of the instructions
// to the calculator's first frame. The answers are the plain icon's (QIcon::addPixmap with
// each picture): at scale 1 it takes, among its 1x pictures, the one of the least area not
// below the requested area, or else its largest, and shrinks it if it is larger than asked.
// What that rule covers without shrinking is answered with one picture painted alone; any
// other request (another mode or state, another scale, a shrunk picture) goes to the plain
// icon itself, made on first need.
class DrawnIconEngine final : public QIconEngine
{
public:
    DrawnIconEngine(QList<int> sizes, std::function<void(QPainter &)> draw)
        : m_sizes(std::move(sizes)), m_draw(std::move(draw))
    {
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        const int side = bestSide(size);
        if (mode == QIcon::Normal && state == QIcon::Off && side <= size.width() && side <= size.height()) {
            QPixmap &drawn = m_drawn[side];
            if (drawn.isNull())
                drawn = picture(m_draw, side, 1.0);
            return drawn;
        }
        return plainIcon().pixmap(size, 1.0, mode, state);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        if (scale == 1.0)
            return pixmap(size, mode, state);
        // QIcon asks for `size` as its logical size times `scale`; ask the plain icon the same.
        QSize logical = (QSizeF(size) / scale).toSize();
        for (const QSize &near : {logical, logical - QSize(1, 1), logical + QSize(1, 1)}) {
            if (near * scale == size)
                logical = near;
        }
        return plainIcon().pixmap(logical, scale, mode, state);
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const QPaintDevice *device = painter->device();
        const qreal scale = device ? device->devicePixelRatio() : qApp->devicePixelRatio();
        painter->drawPixmap(rect, scaledPixmap(rect.size() * scale, mode, state, scale));
    }

    // Every mode and state falls back on the normal, off pictures: the answer is the same.
    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        QSize actual(bestSide(size), bestSide(size));
        if (actual.width() > size.width() || actual.height() > size.height())
            actual.scale(size, Qt::KeepAspectRatio);
        return actual;
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        QList<QSize> sizes;
        if (mode == QIcon::Normal && state == QIcon::Off) {
            for (int size : std::as_const(m_sizes))
                sizes << QSize(size, size) << QSize(2 * size, 2 * size);
        }
        return sizes;
    }

    QString key() const override { return QStringLiteral("DrawnIconEngine"); }
    QIconEngine *clone() const override { return new DrawnIconEngine(m_sizes, m_draw); }

private:
    int bestSide(const QSize &size) const
    {
        const qint64 wanted = qint64(size.width()) * size.height();
        int best = 0;
        for (int side : std::as_const(m_sizes)) {
            const qint64 area = qint64(side) * side;
            const bool bigEnough = area >= wanted;
            const qint64 bestArea = qint64(best) * best;
            if (best == 0 || (bigEnough ? area < bestArea || bestArea < wanted : bestArea < wanted && area > bestArea))
                best = side;
        }
        return best;
    }

    const QIcon &plainIcon()
    {
        if (m_plain.isNull()) {
            for (int size : std::as_const(m_sizes)) {
                for (qreal scale : {1.0, 2.0})
                    m_plain.addPixmap(picture(m_draw, size, scale));
            }
        }
        return m_plain;
    }

    QList<int> m_sizes;
    std::function<void(QPainter &)> m_draw;
    std::map<int, QPixmap> m_drawn; // by side, in pixels
    QIcon m_plain;
};

} // namespace

QImage drawnImage(int size, qreal scale, const std::function<void(QPainter &)> &draw)
{
    QImage image(QSize(size, size) * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    draw(painter);
    return image;
}

QIcon drawnIcon(std::initializer_list<int> sizes, const std::function<void(QPainter &)> &draw)
{
    return QIcon(new DrawnIconEngine(QList<int>(sizes), draw));
}
