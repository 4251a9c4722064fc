#include "dialogfont.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

#include <algorithm>

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
    const QStringList families = {u"Liberation Sans"_s, u"Arimo"_s, u"Arial"_s, u"DejaVu Sans"_s};
    // Qt would take the first of them that is installed; naming that one alone gives the
    // same font without the cost of a font with further families: for each font engine
    // Qt loads for it, fontconfig sorts every installed font (FcFontSort), about 5 % of
    // the instructions to the first frame. With none of them installed the list stays.
    const auto installed = std::ranges::find_if(families, [](const QString &family) {
        return QFontDatabase::hasFamily(family);
    });
    if (installed != families.end())
        result.setFamily(*installed);
    else
        result.setFamilies(families);
    result.setPixelSize(10);
#endif
    return result;
}

void apply()
{
    QApplication::setFont(font());
}

} // namespace dialogfont
