#include "dialogfont.h"

#include <QApplication>
#include <QFont>

using namespace Qt::StringLiterals;

namespace dialogfont {

QFont font()
{
    QFont result;
#ifdef Q_OS_WIN
    result.setFamilies({u"MS Shell Dlg 2"_s, u"Tahoma"_s});
    result.setPointSize(8);
#else
    // Arial's shapes (shared by Liberation Sans and Arimo) at the width of the classic
    // dialog font: at 11 pixels "Срочни оценки :" would not fit its label.
    result.setFamilies({u"Liberation Sans"_s, u"Arimo"_s, u"Arial"_s, u"DejaVu Sans"_s});
    result.setPixelSize(10);
#endif
    return result;
}

void apply()
{
    QApplication::setFont(font());
}

} // namespace dialogfont
