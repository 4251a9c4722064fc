#pragma once

#include <QString>

class QWidget;

// The program's own messages: modal boxes with a text, a title and no icon.
namespace messagebox {

// One OK button.
void show(QWidget *parent, const QString &title, const QString &text);

enum class SaveAnswer { Save, Discard, Cancel };

// Whether to save edits before they are dropped: "Запиши" (the default), "Не записвай" and
// "Отказ" (also Escape and the close box).
SaveAnswer askToSave(QWidget *parent, const QString &title, const QString &question);

} // namespace messagebox
