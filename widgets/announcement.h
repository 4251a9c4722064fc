#pragma once

class QString;
class QWidget;

// What a screen reader must say at once, whatever has the focus: a new grade count, the mean,
// a refused key. Qt 6.4 has no announcement event, and the text and description changes it
// sends are not spoken for a control that lacks the focus (Orca cannot speak its description
// changes at all: the event carries the control in place of the text). What screen readers do
// speak at once is a notification coming into view: each window holds one, never drawn, that
// takes the text as its name and is shown anew. Orca also keeps it in its list of notifications.
namespace announcement {

// Says `text` through the notification of the window that holds `widget`, if it is shown.
void announce(QWidget *widget, const QString &text);

} // namespace announcement
