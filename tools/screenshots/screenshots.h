#pragma once

#include <QImage>
#include <QList>
#include <QString>

class QWidget;

struct Screenshot
{
    QString name; // "calculator", "timetable-1" .. "timetable-5"
    QImage image;
};

// Writes the sample data files into `folder`: fifteen subjects with their grades and a week
// of lessons.
void writeSampleFiles(const QString &folder);

inline constexpr int TitleBarHeight = 22;

// The window as it stands on the screen, under a classic title bar with its icon and caption
// (offscreen there is none), at the screen's scale.
QImage withTitleBar(QWidget *window);

// Opens the program's windows on sample data, as the program does, and pictures the
// calculator after computing the mean and the timetable at each day, each under a title bar.
QList<Screenshot> takeScreenshots();
