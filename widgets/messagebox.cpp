#include "messagebox.h"

#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace messagebox {

void show(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

SaveAnswer askToSave(QWidget *parent, const QString &title, const QString &question)
{
    QMessageBox box(QMessageBox::NoIcon, title, question, QMessageBox::NoButton, parent);
    QPushButton *save = box.addButton(u"Запиши"_s, QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(u"Не записвай"_s, QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(u"Отказ"_s, QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveAnswer::Save;
    return box.clickedButton() == discard ? SaveAnswer::Discard : SaveAnswer::Cancel;
}

} // namespace messagebox
