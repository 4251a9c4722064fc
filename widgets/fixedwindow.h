#pragma once

#include <QRect>
#include <QString>

class QMainWindow;
class QPoint;
class QSize;
class QWidget;

// A window of fixed size whose controls stand at the rectangles of its design.
namespace fixedwindow {

// A title bar with the system menu and the close button; no maximise button, no resizing.
inline constexpr Qt::WindowFlags flags = Qt::Window | Qt::MSWindowsFixedSizeDialogHint
        | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowCloseButtonHint;

// Gives `window` a client area, its central widget below the menu bar, of exactly `size`,
// fixes the window's size to fit it, and returns the client area.
QWidget *createClientArea(QMainWindow *window, const QSize &size);

// Puts a window's client area at `position` on the screen, or, where the window's frame would not
// lie wholly on the screen's free area there, as near to it as the frame does (see fittedPosition).
// It places the client area itself: QWidget::move() places the outer frame wherever the platform
// knows the frame before the window is shown, which would move the client area by the frame's
// border and title bar.
void placeClientArea(QMainWindow *window, const QPoint &position);

// Where a window's frame goes, its top-left corner: where `frame` is when it lies wholly inside
// `available`, else the nearest place where it does; along a side longer than `available`, at
// the start of `available`, so that its top-left corner stays on the screen.
QPoint fittedPosition(const QRect &frame, const QRect &available);

// Shrinks, in half-point steps, the font of each label of `client` whose caption does not fit
// its rectangle. The designs were drawn for the classic 8-point dialog font; the platform may
// give a wider one (Segoe UI, or Wine's Tahoma), and a caption must never lose letters.
void fitCaptions(QWidget *client);

// Names a control (its objectName, by which tools and tests find it) and sets its geometry.
template<typename Widget>
Widget *placed(Widget *widget, const QString &name, const QRect &rect)
{
    widget->setObjectName(name);
    widget->setGeometry(rect);
    return widget;
}

} // namespace fixedwindow
