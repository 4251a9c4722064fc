#include "frame.h"

#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

namespace {
constexpr int captionIndent = 6;  // from the frame's left edge to the caption's background
constexpr int captionPadding = 2; // the border stops this far from the caption's text
} // namespace

Frame::Frame(const QString &caption, QWidget *parent) : QGroupBox(caption, parent) {}

void Frame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();

    // An etched line, as the designs' platform draws it. The styles' own group box frame
    // cannot be used: it moves itself down below a caption.
    qDrawShadeRect(&painter, rect().adjusted(0, metrics.height() / 2, 0, 0), palette(), true, 1, 0);

    if (title().isEmpty())
        return;
    const QRect caption(captionIndent, 0, metrics.horizontalAdvance(title()) + 2 * captionPadding,
                        metrics.height());
    painter.fillRect(caption, palette().window());
    style()->drawItemText(&painter, caption, Qt::AlignCenter | Qt::TextHideMnemonic, palette(),
                          isEnabled(), title(), QPalette::WindowText);
}
