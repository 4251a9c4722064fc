#pragma once

#include <QString>

#include <functional>

class QWidget;

// The program's own messages: a modal box with a text, a title, one OK button and no icon.
namespace messagebox {

void show(QWidget *parent, const QString &title, const QString &text);

// Replaces the box, so tests can see the messages without a modal loop; an empty
// function restores the real box.
using Hook = std::function<void(QWidget *parent, const QString &title, const QString &text)>;
void setHook(Hook hook);

} // namespace messagebox
