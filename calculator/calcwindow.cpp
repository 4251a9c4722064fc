#include "calcwindow.h"

#include "average.h"
#include "calcicons.h"
#include "storage/failuremessage.h"
#include "storage/recordfile.h"
#include "widgets/authorcredit.h"
#include "widgets/clientarea.h"
#include "widgets/desktopinput.h"
#include "widgets/dropdownlist.h"
#include "widgets/frame.h"
#include "widgets/messagebox.h"
#include "widgets/statusbar.h"
#include "widgets/twips.h"
#include "widgets/typingfilter.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// The window's design, in twips.
namespace design {
constexpr QSize client = twips::size(7245, 6210);
constexpr QPoint clientPosition{twips::toPixels(465), twips::toPixels(2865)};

constexpr int rowTop(int row) { return 480 + 360 * (row - 1); }
constexpr QRect rowLabel(int row) { return twips::rect(120, rowTop(row), 255, 255); }
constexpr QRect subjectBox(int row) { return twips::rect(360, rowTop(row), 2535, 285); }
constexpr QRect gradeBox(int row) { return twips::rect(3120, rowTop(row), 495, 285); }

constexpr int statusBarHeight = 255;
constexpr QRect Command4 = twips::rect(4320, 4800, 2775, 375);
constexpr QRect txt = twips::rect(4440, 5520, 735, 285);
constexpr QRect Frame1 = twips::rect(4320, 480, 2775, 4215);
constexpr QRect Command1 = twips::rect(5640, 5520, 1455, 375);
constexpr QRect Label2 = twips::rect(3000, 240, 1215, 255);
constexpr QRect Label1 = twips::rect(360, 240, 2535, 255);

// Inside Frame1.
constexpr QRect Label4 = twips::rect(600, 240, 1215, 255);
constexpr QRect Combo1 = twips::rect(1920, 240, 735, 315);
constexpr QRect Command2 = twips::rect(720, 720, 1935, 495);
constexpr QRect Label3 = twips::rect(720, 1200, 1935, 495);
constexpr QRect Res = twips::rect(720, 1680, 1935, 285);
constexpr QRect Command3 = twips::rect(720, 2040, 1935, 855);
constexpr QRect Label5 = twips::rect(240, 3120, 2415, 855);

const QColor oddRowColor{255, 0, 0};
const QColor evenRowColor{0, 0, 255};
const QColor listColor{255, 255, 192};
} // namespace design

constexpr storage::DataFile SubjectsFile{"Predmeti.dat", 1};
constexpr storage::DataFile GradesFile{"Ocenki.dat", 2};

const QString Caption = u"Калкулатор за средно аритметичен успех"_s;
const QString ShortCredit = u"© Tumbora"_s;

template<typename Widget>
Widget *placed(Widget *widget, const QString &name, const QRect &rect)
{
    widget->setObjectName(name);
    widget->setGeometry(rect);
    return widget;
}

QLabel *label(QWidget *parent, const QString &name, const QString &caption, const QRect &rect)
{
    auto *result = placed(new QLabel(caption, parent), name, rect);
    result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return result;
}

void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Active, QPalette::Text, color);
    palette.setColor(QPalette::Inactive, QPalette::Text, color);
    widget->setPalette(palette);
}

} // namespace

CalcWindow::CalcWindow(const QString &dataFolder, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                                  | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                  | Qt::WindowCloseButtonHint),
      m_dataFolder(dataFolder)
{
    setObjectName(u"Calc"_s);
    setWindowTitle(Caption);
    setWindowIcon(calcicons::window());

    auto *client = new QWidget(this);
    client->setFixedSize(design::client);
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    createRows(client);

    StatusBar1 = new StatusBar({{StatusBar::Style::Text, StatusBar::AutoSize::Contents, 1440, 1440},
                                {StatusBar::Style::Text, StatusBar::AutoSize::Spring, 2850, 1440},
                                {StatusBar::Style::Clock, StatusBar::AutoSize::Contents, 1440, 1440},
                                {StatusBar::Style::Text, StatusBar::AutoSize::None, 1440, 1440,
                                 ShortCredit}},
                               design::statusBarHeight, client);
    StatusBar1->setObjectName(u"StatusBar1"_s);
    StatusBar1->setAccessibleName(u"Лента на състоянието"_s);
    StatusBar1->panel(4)->setToolTip(authorCredit());

    Command4 = placed(new QPushButton(u"За Автора"_s, client), u"Command4"_s, design::Command4);
    txt = placed(new QLineEdit(client), u"txt"_s, design::txt);
    txt->hide();
    createFrame(client);
    Command1 = placed(new QPushButton(u"Затвори"_s, client), u"Command1"_s, design::Command1);
    label(client, u"Label2"_s, u"Срочни оценки :"_s, design::Label2);
    label(client, u"Label1"_s, u"Предмети :"_s, design::Label1);

    createMenu();
    setKeyboardOrder();

    for (int row = 1; row <= RowCount; ++row)
        connect(o(row), &QLineEdit::textChanged, this, [this, row] { o_Change(row); });
    connect(Combo1, &QComboBox::currentIndexChanged, this, &CalcWindow::Combo1_Click);
    connect(txt, &QLineEdit::textChanged, this, &CalcWindow::txt_Change);
    connect(Res, &QLineEdit::textChanged, this, &CalcWindow::Res_Change);
    connect(Command1, &QPushButton::clicked, this, &CalcWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &CalcWindow::Command2_Click);
    connect(Command3, &QToolButton::clicked, this, &CalcWindow::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &CalcWindow::Command4_Click);

    desktopinput::apply(this);
    placeClientArea(this, design::clientPosition);
    Text(1)->setFocus();
}

void CalcWindow::createRows(QWidget *client)
{
    for (int row = 1; row <= RowCount; ++row) {
        label(client, u"Label%1"_s.arg(row + 5), QString::number(row), design::rowLabel(row));

        const QColor color = row % 2 ? design::oddRowColor : design::evenRowColor;
        m_subjects[row - 1] = placed(new QLineEdit(u"Въведете предмет"_s, client),
                                     u"Text%1"_s.arg(row), design::subjectBox(row));
        m_grades[row - 1] = placed(new QLineEdit(client), u"o%1"_s.arg(row), design::gradeBox(row));
        TypingFilter::install(Text(row));
        TypingFilter::install(o(row), 1); // typed as one character; a file may still hold "10"
        setTextColor(Text(row), color);
        setTextColor(o(row), color);
        Text(row)->setAccessibleName(u"Предмет %1"_s.arg(row));
        o(row)->setAccessibleName(u"Оценка %1"_s.arg(row));
    }
}

void CalcWindow::createFrame(QWidget *client)
{
    Frame1 = placed(new Frame(u"Настройки и резултати :"_s, client), u"Frame1"_s, design::Frame1);

    QLabel *Label4 = label(Frame1, u"Label4"_s, u"Брой предмети:"_s, design::Label4);

    Combo1 = placed(new DropDownList(Frame1), u"Combo1"_s, design::Combo1);
    QPalette listPalette = Combo1->palette();
    listPalette.setColor(QPalette::Base, design::listColor); // the field and the open list
    for (auto role : {QPalette::Text, QPalette::ButtonText})
        listPalette.setColor(role, Qt::black);
    Combo1->setPalette(listPalette);
    // Screen readers on Linux name a list by its label, elsewhere by its accessible name.
    Label4->setBuddy(Combo1);
    Combo1->setAccessibleName(u"Брой оценки"_s);
    Combo1->setAccessibleDescription(u"Колко от оценките влизат в средния успех"_s);

    Command2 = placed(new QPushButton(u"Изчисли "_s, Frame1), u"Command2"_s, design::Command2);

    label(Frame1, u"Label3"_s, u"Вашата средно аритметична  оценка е :"_s, design::Label3)
            ->setWordWrap(true);

    Res = placed(new QLineEdit(Frame1), u"Res"_s, design::Res);
    Res->setReadOnly(true);
    Res->setAccessibleName(u"Средноаритметична оценка"_s);

    Command3 = placed(new QToolButton(Frame1), u"Command3"_s, design::Command3);
    Command3->setText(u"Запиши!"_s);
    Command3->setIcon(calcicons::save());
    Command3->setIconSize({32, 32});
    Command3->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Command3->setFocusPolicy(Qt::StrongFocus);

    label(Frame1, u"Label5"_s,
          u"Ако например Вашите срочни оценки са 10 на брой, изберете 10 от падащото меню най- горе. "_s,
          design::Label5)
            ->setWordWrap(true);
}

void CalcWindow::createMenu()
{
    QMenu *mnuMenu = menuBar()->addMenu(u"Меню"_s);
    mnuMenu->setObjectName(u"mnuMenu"_s);

    QAction *mnuSave = mnuMenu->addAction(u"Запиши!"_s, this, &CalcWindow::Command3_Click);
    mnuSave->setObjectName(u"mnuSave"_s);
    mnuMenu->addSeparator()->setObjectName(u"mnu0"_s);

    QMenu *mnuSum = mnuMenu->addMenu(u"Брой оценки"_s);
    mnuSum->setObjectName(u"mnuSum"_s);
    for (int count = 1; count <= RowCount; ++count) {
        QAction *entry = mnuSum->addAction(QString::number(count), this, [this, count] { mnu_Click(count); });
        entry->setObjectName(u"mnu%1"_s.arg(count, 2, 10, QLatin1Char('0')));
    }
    mnuMenu->addSeparator()->setObjectName(u"mnu001"_s);

    QAction *mnuAbout = mnuMenu->addAction(u"За Автора"_s, this, &CalcWindow::Command4_Click);
    mnuAbout->setObjectName(u"mnuAbout"_s);
}

void CalcWindow::setKeyboardOrder()
{
    QList<QWidget *> order;
    for (int row = 1; row < RowCount; ++row)
        order << Text(row);
    for (int row = 1; row < RowCount; ++row)
        order << o(row);
    order << Command1 << Text(RowCount) << o(RowCount) << Combo1 << Command3 << Res << Command2
          << Command4;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void CalcWindow::Form_Load()
{
    {
        // QComboBox selects its first item by itself; the list has no selection until "15".
        const QSignalBlocker quiet(Combo1);
        for (int count = 1; count <= RowCount; ++count)
            Combo1->addItem(QString::number(count));
        Combo1->setCurrentIndex(-1);
    }
    Combo1->setCurrentIndex(14);

    const QStringList subjects = storage::readRecords(storage::dataFilePath(m_dataFolder, SubjectsFile),
                                                      SubjectsFile.handle, RowCount);
    for (int row = 1; row <= RowCount; ++row) {
        Text(row)->setText(subjects[row - 1]);
        Text(row)->setCursorPosition(0); // a long subject shows its beginning
    }

    const QStringList grades = storage::readRecords(storage::dataFilePath(m_dataFolder, GradesFile),
                                                    GradesFile.handle, RowCount);
    for (int row = 1; row <= RowCount; ++row) {
        o(row)->setText(grades[row - 1]);
        o_Change(row); // an empty box set empty again raises no change, yet must show "0"
        o(row)->setCursorPosition(0);
    }
}

void CalcWindow::Command1_Click()
{
    close();
}

void CalcWindow::Command3_Click()
{
    QStringList subjects;
    QStringList grades;
    for (int row = 1; row <= RowCount; ++row) {
        subjects << Text(row)->text();
        grades << o(row)->text();
    }
    try {
        // Both files or neither.
        storage::writeRecordFiles(
                {{storage::dataFilePath(m_dataFolder, SubjectsFile), SubjectsFile.handle, subjects},
                 {storage::dataFilePath(m_dataFolder, GradesFile), GradesFile.handle, grades}});
    } catch (const storage::FileError &error) {
        messagebox::show(this, Caption, storage::saveFailureMessage(error));
    }
}

void CalcWindow::Command4_Click()
{
    messagebox::show(this, Caption, authorCredit());
}

void CalcWindow::Combo1_Click()
{
    txt->setText(Combo1->currentText());
    StatusBar1->panel(1)->setText(u"Брой предмети:   "_s + Combo1->currentText());
}

void CalcWindow::txt_Change()
{
    // Exact text comparisons, so "05", " 5" or "16" change nothing.
    for (int count = 1; count <= RowCount; ++count) {
        if (txt->text() != QString::number(count))
            continue;
        for (int row = count + 1; row <= RowCount; ++row)
            o(row)->setText(u"0"_s);
        for (int row = 1; row <= RowCount; ++row)
            o(row)->setEnabled(row <= count);
    }
}

void CalcWindow::o_Change(int row)
{
    if (!o(row)->text().isEmpty())
        return;
    o(row)->setText(u"0"_s);
    o(row)->selectAll(); // the next digit typed replaces the "0"
}

void CalcWindow::Command2_Click()
{
    // Only these rows' subjects are looked at; rows 7, 10, 13 and 15 play no part.
    static constexpr int checkedRows[] = {1, 2, 3, 4, 5, 6, 8, 9, 11, 12, 14};
    if (std::ranges::all_of(checkedRows, [this](int row) { return Text(row)->text().isEmpty(); })) {
        messagebox::show(this, u"Error"_s, u"Моля въведете всички предмети!"_s);
        return;
    }

    std::array<double, RowCount> grades{};
    for (int row = 1; row <= RowCount; ++row) {
        const auto grade = average::parseNumber(o(row)->text());
        if (!grade) {
            messagebox::show(this, u"Error"_s, u"Оценката на ред %1 не е число!"_s.arg(row));
            return;
        }
        grades[row - 1] = *grade;
    }

    // A count that is empty, not a number or zero leaves the result as it was.
    const auto count = average::parseNumber(Combo1->currentText());
    if (!count || *count == 0)
        return;
    const double mean = average::gradeTotal(grades) / *count;
    if (std::isfinite(mean))
        Res->setText(average::formatNumber(mean));
}

void CalcWindow::Res_Change()
{
    StatusBar1->panel(2)->setText(u"Оценка:   "_s + Res->text());
}

void CalcWindow::mnu_Click(int count)
{
    Combo1->setCurrentIndex(count - 1);
}
