// The floor: the least any Qt Widgets program can do to show a window like the calculator's.
// It builds the same kinds and numbers of plain Qt widgets at absolute positions in a client
// area of the same size (a menu bar with a menu, a submenu of fifteen entries, a status bar
// with four panels, 32 line edits, four buttons, a list, a frame and 20 labels, with texts
// of the same lengths), shows the window and does nothing else: no data files, no icons, no
// palettes, no validators, no connections, the toolkit's default font.
//
// bench/run.sh measures Tumbora against it. With BENCH_EXIT_AT_FIRST_FRAME=1 it ends as soon
// as its first frame is painted (see firstframe.cpp), like the bench build of Tumbora.

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

constexpr int px(int twips) { return (twips + 7) / 15; }
QRect rect(int left, int top, int width, int height)
{
    return {px(left), px(top), px(width), px(height)};
}

template<typename Widget>
Widget *at(Widget *widget, const QRect &geometry)
{
    widget->setGeometry(geometry);
    return widget;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    QMainWindow window;
    window.setWindowTitle(u"Калкулатор за средно аритметичен успех"_s);
    auto *client = new QWidget(&window);
    client->setFixedSize(px(7245), px(6210) - px(255));
    window.setCentralWidget(client);

    for (int row = 1; row <= 15; ++row) {
        const int top = 480 + 360 * (row - 1);
        at(new QLabel(QString::number(row), client), rect(120, top, 255, 255));
        at(new QLineEdit(u"Въведете предмет"_s, client), rect(360, top, 2535, 285));
        at(new QLineEdit(client), rect(3120, top, 495, 285));
    }
    at(new QPushButton(u"За Автора"_s, client), rect(4320, 4800, 2775, 375));
    at(new QLineEdit(client), rect(4440, 5520, 735, 285))->hide();
    at(new QPushButton(u"Затвори"_s, client), rect(5640, 5520, 1455, 375));
    at(new QLabel(u"Срочни оценки :"_s, client), rect(3000, 240, 1215, 255));
    at(new QLabel(u"Предмети :"_s, client), rect(360, 240, 2535, 255));

    auto *frame = at(new QGroupBox(u"Настройки и резултати :"_s, client), rect(4320, 480, 2775, 4215));
    at(new QLabel(u"Брой предмети:"_s, frame), rect(600, 240, 1215, 255));
    at(new QComboBox(frame), rect(1920, 240, 735, 315));
    at(new QPushButton(u"Изчисли "_s, frame), rect(720, 720, 1935, 495));
    at(new QLabel(u"Вашата средно аритметична  оценка е :"_s, frame), rect(720, 1200, 1935, 495))
            ->setWordWrap(true);
    at(new QLineEdit(frame), rect(720, 1680, 1935, 285));
    auto *save = at(new QToolButton(frame), rect(720, 2040, 1935, 855));
    save->setText(u"Запиши!"_s);
    save->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    at(new QLabel(u"Ако например Вашите срочни оценки са 10 на брой, изберете 10 от падащото меню най- горе. "_s,
                  frame),
       rect(240, 3120, 2415, 855))
            ->setWordWrap(true);

    QMenu *menu = window.menuBar()->addMenu(u"Меню"_s);
    menu->addAction(u"Запиши!"_s);
    menu->addSeparator();
    QMenu *count = menu->addMenu(u"Брой оценки"_s);
    for (int entry = 1; entry <= 15; ++entry)
        count->addAction(QString::number(entry));
    menu->addSeparator();
    menu->addAction(u"За Автора"_s);

    for (const QString &text : {u"Брой предмети:   15"_s, u"Оценка:   "_s, u"12:00"_s, u"© Tumbora"_s})
        window.statusBar()->addWidget(new QLabel(text));

    window.show();
    window.activateWindow();
    return QApplication::exec();
}
