#pragma once

#include <QComboBox>

// A drop-down list as the designs draw it: its field flat in the list's Base colour with the
// arrow button beside it. Qt's styles draw a list the user cannot type into as a push
// button, shaded from the Button colour.
class DropDownList : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent *event) override;
};
