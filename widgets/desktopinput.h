#pragma once

class QWidget;

// Mouse and keyboard as on the desktop the windows were designed for: the wheel turns a
// list only while the list has the keyboard focus, and never gives it the focus; Return
// and Enter press the focused button, as Space does (Qt does that only for the buttons
// of a dialog).
namespace desktopinput {

// Applies both to every control the window holds now.
void apply(QWidget *window);

} // namespace desktopinput
