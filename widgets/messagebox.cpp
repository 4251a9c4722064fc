#include "messagebox.h"

#include <QMessageBox>

namespace messagebox {

namespace {
Hook &hook()
{
    static Hook instance;
    return instance;
}
} // namespace

void show(QWidget *parent, const QString &title, const QString &text)
{
    if (hook()) {
        hook()(parent, title, text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

void setHook(Hook newHook)
{
    hook() = std::move(newHook);
}

} // namespace messagebox
