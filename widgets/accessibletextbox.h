#pragma once

// The accessible interface of the text boxes (QLineEdit). Qt 6.4's own gives a box's text
// attributes an empty run, and Orca, which reads a line only to the end of its last run, then
// drops each box's last character ("Математик") and reads a one-character box as empty. This
// one reports the one run a box has, its whole text, and is otherwise Qt's, but for edits made
// through it (a screen reader's, UI Automation's SetValue): they are made as the pupil's own,
// so the box's validator and undo history see them, and a read-only box refuses them.
namespace accessibletextbox {

// Gives every QLineEdit this interface; once there is a QApplication.
void install();

} // namespace accessibletextbox
