#pragma once

#include <QGroupBox>

// A frame as the designs draw it: the caption stands on the top border line, which runs at
// half the caption's height, and the children keep their places inside the frame's outer
// rectangle. Qt's styles put the caption above the border instead, and the border through
// the first row of children.
class Frame : public QGroupBox
{
    Q_OBJECT

public:
    explicit Frame(const QString &caption, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
