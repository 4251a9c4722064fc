#include "screenshots.h"

#include "app/programwindows.h"
#include "app/windowtable.h"
#include "storage/recordfile.h"

#include <QAction>
#include <QDir>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

struct SampleFile
{
    const char *name;
    QStringList lines;
};

const QList<SampleFile> sampleFiles = {
    {"Predmeti.dat",
     {u"Български език"_s, u"Литература"_s, u"Математика"_s, u"Английски език"_s, u"История"_s,
      u"География"_s, u"Биология"_s, u"Физика"_s, u"Химия"_s, u"Информатика"_s, u"Музика"_s,
      u"Изобразително изкуство"_s, u"Физическо възпитание"_s, u"Философия"_s, u"Технологии"_s}},
    {"Ocenki.dat",
     {u"6"_s, u"5"_s, u"6"_s, u"5"_s, u"4"_s, u"5"_s, u"6"_s, u"5"_s, u"5"_s, u"6"_s, u"6"_s,
      u"6"_s, u"6"_s, u"5"_s, u"6"_s}},
    {"Ponedelnic.dat",
     {u"Български език"_s, u"Математика"_s, u"Английски език"_s, u"История"_s, u"Физика"_s,
      u"Музика"_s, {}, {}}},
    {"Vtornic.dat",
     {u"Математика"_s, u"Литература"_s, u"Биология"_s, u"Химия"_s, u"География"_s,
      u"Физическо възпитание"_s, u"Информатика"_s, {}}},
    {"Srqda.dat",
     {u"Английски език"_s, u"Английски език"_s, u"Математика"_s, u"Философия"_s,
      u"Изобразително изкуство"_s, {}, {}, {}}},
    {"Chetvurtuk.dat",
     {u"Физика"_s, u"Български език"_s, u"История"_s, u"Технологии"_s, u"Информатика"_s,
      u"Физическо възпитание"_s, {}, {}}},
    {"Petuk.dat",
     {u"Литература"_s, u"Математика"_s, u"Биология"_s, u"География"_s, u"Химия"_s,
      u"Час на класа"_s, {}, {}}},
};

const char *const dayEntries[] = {"mnuPon", "mnuVto", "mnuSrq", "mnuChe", "mnuPet"};

} // namespace

void writeSampleFiles(const QString &folder)
{
    for (const SampleFile &file : sampleFiles)
        storage::writeRecords(QDir(folder).filePath(QString::fromLatin1(file.name)), 1, file.lines);
}

QImage withTitleBar(QWidget *window)
{
    const QPixmap client = window->grab();
    const qreal scale = client.devicePixelRatio();
    QImage image(QSize(window->width(), window->height() + TitleBarHeight) * scale,
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);

    QPainter painter(&image);
    const QRect title(0, 0, window->width(), TitleBarHeight);
    QLinearGradient gradient(title.topLeft(), title.topRight());
    gradient.setColorAt(0, QColor(10, 36, 106));
    gradient.setColorAt(1, QColor(166, 202, 240));
    painter.fillRect(title, gradient);
    window->windowIcon().paint(&painter, QRect(3, 3, 16, 16));
    QFont font = window->font();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(title.adjusted(24, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, window->windowTitle());
    painter.drawPixmap(0, TitleBarHeight, client);
    return image;
}

QList<Screenshot> takeScreenshots()
{
    QTemporaryDir folder;
    writeSampleFiles(folder.path());

    WindowTable windows;
    programwindows::addTo(windows, folder.path());
    QList<Screenshot> shots;
    if (!windows.open(programwindows::Timetable))
        return shots;

    QWidget *calculator = windows.window(programwindows::Calculator);
    calculator->findChild<QPushButton *>(u"Command2"_s)->click();
    shots.append({u"calculator"_s, withTitleBar(calculator)});

    QWidget *timetable = windows.window(programwindows::Timetable);
    for (int day = 0; day < 5; ++day) {
        timetable->findChild<QAction *>(QString::fromLatin1(dayEntries[day]))->trigger();
        shots.append({u"timetable-%1"_s.arg(day + 1), withTitleBar(timetable)});
    }
    calculator->close();
    timetable->close();
    return shots;
}
