#include "dropdownlist.h"

#include <QStyleOptionComboBox>
#include <QStylePainter>

void DropDownList::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);

    // The styles draw the field of an editable list flat; the text is the selected item's.
    QStyleOptionComboBox field = option;
    field.editable = true;
    painter.drawComplexControl(QStyle::CC_ComboBox, field);
    // Themed styles (Windows) paint the field from the theme, white, whatever the palette.
    painter.fillRect(style()->subControlRect(QStyle::CC_ComboBox, &field, QStyle::SC_ComboBoxEditField, this),
                     palette().base());
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}
