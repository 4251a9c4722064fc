#pragma once

#include <QImage>
#include <QList>
#include <QString>

struct Screenshot
{
    QString name; // "calculator", "timetable-1" .. "timetable-5"
    QImage image;
};

// Opens the program's windows on sample data, as the program does, and pictures the
// calculator after computing the mean and the timetable at each day, each under a title
// bar with the window's icon and caption. Pictures are at the screen's scale.
QList<Screenshot> takeScreenshots();
