#pragma once

#include <QString>

class QWidget;

// The program's own messages: a modal box with a text, a title, one OK button and no icon.
namespace messagebox {

void show(QWidget *parent, const QString &title, const QString &text);

} // namespace messagebox
