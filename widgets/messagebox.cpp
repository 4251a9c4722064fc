#include "messagebox.h"

#include <QMessageBox>

namespace messagebox {

void show(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace messagebox
