#pragma once

class QMainWindow;
class QPoint;

// Puts a window's client area, its central widget below the menu bar, at `position` on the
// screen. It places the client area itself: QWidget::move() places the outer frame wherever
// the platform knows the frame before the window is shown, which would move the client area
// by the frame's border and title bar.
void placeClientArea(QMainWindow *window, const QPoint &position);
