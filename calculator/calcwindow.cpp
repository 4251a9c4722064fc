#include "calcwindow.h"

#include "average.h"
#include "calcicons.h"
#include "storage/failuremessage.h"
#include "storage/recordfile.h"
#include "widgets/announcement.h"
#include "widgets/authorcredit.h"
#include "widgets/desktopinput.h"
#include "widgets/dropdownlist.h"
#include "widgets/fixedwindow.h"
#include "widgets/frame.h"
#include "widgets/messagebox.h"
#include "widgets/statusbar.h"
#include "widgets/themecolors.h"
#include "widgets/twips.h"
#include "widgets/typingfilter.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
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
constexpr QRect authorButton = twips::rect(4320, 4800, 2775, 375);
constexpr QRect gradeCountBox = twips::rect(4440, 5520, 735, 285);
constexpr QRect settingsFrame = twips::rect(4320, 480, 2775, 4215);
constexpr QRect closeButton = twips::rect(5640, 5520, 1455, 375);
constexpr QRect gradesCaption = twips::rect(3000, 240, 1215, 255);
constexpr QRect subjectsCaption = twips::rect(360, 240, 2535, 255);

// Inside the settings frame.
constexpr QRect countCaption = twips::rect(600, 240, 1215, 255);
constexpr QRect gradeCountList = twips::rect(1920, 240, 735, 315);
constexpr QRect computeButton = twips::rect(720, 720, 1935, 495);
constexpr QRect meanCaption = twips::rect(720, 1200, 1935, 495);
constexpr QRect meanBox = twips::rect(720, 1680, 1935, 285);
constexpr QRect saveButton = twips::rect(720, 2040, 1935, 855);
constexpr QRect countHint = twips::rect(240, 3120, 2415, 855);

const QColor oddRowColor{255, 0, 0};
const QColor evenRowColor{0, 0, 255};
const QColor listColor{255, 255, 192};
} // namespace design

constexpr storage::DataFile SubjectsFile{"Predmeti.dat", 1};
constexpr storage::DataFile GradesFile{"Ocenki.dat", 2};

const QString Caption = u"Калкулатор за средно аритметичен успех"_s;
const QString ShortCredit = u"© Tumbora"_s;

using fixedwindow::placed;

QLabel *label(QWidget *parent, const QString &name, const QString &caption, const QRect &rect)
{
    auto *result = placed(new QLabel(caption, parent), name, rect);
    result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return result;
}

// The design's colour, or one as near to it as a dark or high-contrast palette reads.
void setTextColor(QWidget *widget, const QColor &design)
{
    QPalette palette = widget->palette();
    const QColor color = themecolors::text(palette, design, palette.color(QPalette::Base), QPalette::Text);
    palette.setColor(QPalette::Active, QPalette::Text, color);
    palette.setColor(QPalette::Inactive, QPalette::Text, color);
    widget->setPalette(palette);
}

} // namespace

CalcWindow::CalcWindow(const QString &dataFolder, QWidget *parent)
    : GuardedWindow(parent, fixedwindow::flags),
      m_dataFolder(dataFolder)
{
    setObjectName(u"Calc"_s);
    setWindowTitle(Caption);
    setWindowIcon(calcicons::window());

    QWidget *client = fixedwindow::createClientArea(this, design::client);
    createRows(client);

    m_statusPanels = new StatusBar({{StatusBar::Style::Text, StatusBar::AutoSize::Contents, 1440, 1440},
                                    {StatusBar::Style::Text, StatusBar::AutoSize::Spring, 2850, 1440},
                                    {StatusBar::Style::Clock, StatusBar::AutoSize::Contents, 1440, 1440},
                                    {StatusBar::Style::Text, StatusBar::AutoSize::None, 1440, 1440,
                                     ShortCredit}},
                                   design::statusBarHeight, client);
    m_statusPanels->setObjectName(u"StatusBar1"_s);
    m_statusPanels->setAccessibleName(u"Лента на състоянието"_s);
    m_statusPanels->panel(4)->setToolTip(authorCredit());

    m_authorButton = placed(new QPushButton(u"За Автора"_s, client), u"Command4"_s,
                            design::authorButton);
    m_gradeCountBox = placed(new QLineEdit(client), u"txt"_s, design::gradeCountBox);
    m_gradeCountBox->hide();
    createSettingsFrame(client);
    m_closeButton = placed(new QPushButton(u"Затвори"_s, client), u"Command1"_s, design::closeButton);
    label(client, u"Label2"_s, u"Срочни оценки :"_s, design::gradesCaption);
    label(client, u"Label1"_s, u"Предмети :"_s, design::subjectsCaption);

    createMenu();
    setKeyboardOrder();

    for (int row = 1; row <= RowCount; ++row)
        connect(gradeBox(row), &QLineEdit::textChanged, this, [this, row] { zeroEmptyGrade(row); });
    connect(m_gradeCountList, &QComboBox::currentIndexChanged, this, &CalcWindow::applyGradeCount);
    connect(m_gradeCountList, &QComboBox::currentIndexChanged, this, &CalcWindow::tellGradeCount);
    connect(m_gradeCountBox, &QLineEdit::textChanged, this, &CalcWindow::limitGradeBoxes);
    connect(m_meanBox, &QLineEdit::textChanged, this, &CalcWindow::showMeanInStatus);
    connect(m_closeButton, &QPushButton::clicked, this, &CalcWindow::close);
    connect(m_computeButton, &QPushButton::clicked, this, &CalcWindow::computeMean);
    connect(m_saveButton, &QToolButton::clicked, this, &CalcWindow::saveGrades);
    connect(m_authorButton, &QPushButton::clicked, this, &CalcWindow::showAuthor);

    desktopinput::apply(this);
    fixedwindow::fitCaptions(client);
    fixedwindow::placeClientArea(this, design::clientPosition);
    subjectBox(1)->setFocus();
}

void CalcWindow::createRows(QWidget *client)
{
    for (int row = 1; row <= RowCount; ++row) {
        label(client, u"Label%1"_s.arg(row + 5), QString::number(row), design::rowLabel(row));

        const QColor color = row % 2 ? design::oddRowColor : design::evenRowColor;
        m_subjectBoxes[row - 1] = placed(new QLineEdit(u"Въведете предмет"_s, client),
                                         u"Text%1"_s.arg(row), design::subjectBox(row));
        m_gradeBoxes[row - 1] = placed(new QLineEdit(client), u"o%1"_s.arg(row), design::gradeBox(row));
        TypingFilter::install(subjectBox(row));
        TypingFilter::install(gradeBox(row), 1); // typed as one character; a file may still hold "10"
        setTextColor(subjectBox(row), color);
        setTextColor(gradeBox(row), color);
        subjectBox(row)->setAccessibleName(u"Предмет %1"_s.arg(row));
        gradeBox(row)->setAccessibleName(u"Оценка %1"_s.arg(row));
    }
}

void CalcWindow::createSettingsFrame(QWidget *client)
{
    m_settingsFrame = placed(new Frame(u"Настройки и резултати :"_s, client), u"Frame1"_s,
                             design::settingsFrame);

    QLabel *countCaption = label(m_settingsFrame, u"Label4"_s, u"Брой предмети:"_s, design::countCaption);

    m_gradeCountList = placed(new DropDownList(m_settingsFrame), u"Combo1"_s, design::gradeCountList);
    QPalette listPalette = m_gradeCountList->palette();
    if (themecolors::scheme(listPalette) == themecolors::Scheme::Design) { // else the system's colours
        listPalette.setColor(QPalette::Base, design::listColor); // the field and the open list
        for (auto role : {QPalette::Text, QPalette::ButtonText})
            listPalette.setColor(role, Qt::black);
        m_gradeCountList->setPalette(listPalette);
    }
    // Screen readers on Linux name a list by its label, elsewhere by its accessible name.
    countCaption->setBuddy(m_gradeCountList);
    m_gradeCountList->setAccessibleName(u"Брой оценки"_s);

    m_computeButton = placed(new QPushButton(u"Изчисли "_s, m_settingsFrame), u"Command2"_s,
                             design::computeButton);

    label(m_settingsFrame, u"Label3"_s, u"Вашата средно аритметична  оценка е :"_s, design::meanCaption)
            ->setWordWrap(true);

    m_meanBox = placed(new QLineEdit(m_settingsFrame), u"Res"_s, design::meanBox);
    m_meanBox->setReadOnly(true);
    m_meanBox->setAccessibleName(u"Средноаритметична оценка"_s);

    m_saveButton = placed(new QToolButton(m_settingsFrame), u"Command3"_s, design::saveButton);
    m_saveButton->setText(u"Запиши!"_s);
    m_saveButton->setIcon(calcicons::save());
    m_saveButton->setIconSize({32, 32});
    m_saveButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_saveButton->setFocusPolicy(Qt::StrongFocus);

    label(m_settingsFrame, u"Label5"_s,
          u"Ако например Вашите срочни оценки са 10 на брой, изберете 10 от падащото меню най- горе. "_s,
          design::countHint)
            ->setWordWrap(true);
}

void CalcWindow::createMenu()
{
    QMenu *mnuMenu = menuBar()->addMenu(u"Меню"_s);
    mnuMenu->setObjectName(u"mnuMenu"_s);

    QAction *mnuSave = mnuMenu->addAction(u"Запиши!"_s, this, &CalcWindow::saveGrades);
    mnuSave->setObjectName(u"mnuSave"_s);
    mnuMenu->addSeparator()->setObjectName(u"mnu0"_s);

    QMenu *mnuSum = mnuMenu->addMenu(u"Брой оценки"_s);
    mnuSum->setObjectName(u"mnuSum"_s);
    for (int count = 1; count <= RowCount; ++count) {
        QAction *entry = mnuSum->addAction(QString::number(count), this,
                                           [this, count] { chooseGradeCount(count); });
        entry->setObjectName(u"mnu%1"_s.arg(count, 2, 10, QLatin1Char('0')));
    }
    mnuMenu->addSeparator()->setObjectName(u"mnu001"_s);

    QAction *mnuAbout = mnuMenu->addAction(u"За Автора"_s, this, &CalcWindow::showAuthor);
    mnuAbout->setObjectName(u"mnuAbout"_s);
}

void CalcWindow::setKeyboardOrder()
{
    QList<QWidget *> order;
    for (int row = 1; row < RowCount; ++row)
        order << subjectBox(row);
    for (int row = 1; row < RowCount; ++row)
        order << gradeBox(row);
    order << m_closeButton << subjectBox(RowCount) << gradeBox(RowCount) << m_gradeCountList << m_saveButton
          << m_meanBox << m_computeButton << m_authorButton;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void CalcWindow::load()
{
    {
        // QComboBox selects its first item by itself; the list has no selection until "15".
        const QSignalBlocker quiet(m_gradeCountList);
        for (int count = 1; count <= RowCount; ++count)
            m_gradeCountList->addItem(QString::number(count));
        m_gradeCountList->setCurrentIndex(-1);
    }
    m_gradeCountList->setCurrentIndex(14);

    const QStringList subjects = storage::readRecords(storage::dataFilePath(m_dataFolder, SubjectsFile),
                                                      SubjectsFile.handle, RowCount);
    for (int row = 1; row <= RowCount; ++row) {
        subjectBox(row)->setText(subjects[row - 1]);
        subjectBox(row)->setCursorPosition(0); // a long subject shows its beginning
    }

    const QStringList grades = storage::readRecords(storage::dataFilePath(m_dataFolder, GradesFile),
                                                    GradesFile.handle, RowCount);
    for (int row = 1; row <= RowCount; ++row) {
        gradeBox(row)->setText(grades[row - 1]);
        zeroEmptyGrade(row); // an empty box set empty again raises no change, yet must show "0"
        gradeBox(row)->setCursorPosition(0);
    }
    m_savedTexts = boxTexts();
}

QStringList CalcWindow::boxTexts() const
{
    QStringList texts;
    for (const auto &boxes : {m_subjectBoxes, m_gradeBoxes}) {
        for (const QLineEdit *box : boxes)
            texts << box->text();
    }
    return texts;
}

QString CalcWindow::unsavedQuestion() const
{
    return boxTexts() == m_savedTexts ? QString() : u"Да запиша ли промените в предметите и оценките?"_s;
}

bool CalcWindow::saveUnsaved()
{
    return saveGrades();
}

// Command3 and mnuSave, "Запиши!": writes the subjects and the grades, both files or neither.
bool CalcWindow::saveGrades()
{
    const QStringList texts = boxTexts();
    try {
        storage::writeRecordFiles(
                {{storage::dataFilePath(m_dataFolder, SubjectsFile), SubjectsFile.handle, texts.mid(0, RowCount)},
                 {storage::dataFilePath(m_dataFolder, GradesFile), GradesFile.handle, texts.mid(RowCount)}});
    } catch (const storage::FileError &error) {
        messagebox::show(this, Caption, storage::saveFailureMessage(error));
        return false;
    }
    m_savedTexts = texts;
    return true;
}

// Command4 and mnuAbout, "За Автора".
void CalcWindow::showAuthor()
{
    messagebox::show(this, Caption, authorCredit());
}

// Combo1: the chosen count goes to the hidden box and the status bar.
void CalcWindow::applyGradeCount()
{
    m_gradeCountBox->setText(m_gradeCountList->currentText());
    m_statusPanels->panel(1)->setText(u"Брой предмети:   "_s + m_gradeCountList->currentText());
}

// txt: enables the grade boxes up to the count and zeroes the rest, keeping the grades it
// zeroes aside, so that a larger count, or a count typed digit by digit ("1", then "10"),
// brings them back.
void CalcWindow::limitGradeBoxes()
{
    // Exact text comparisons, so "05", " 5" or "16" change nothing.
    for (int count = 1; count <= RowCount; ++count) {
        if (m_gradeCountBox->text() != QString::number(count))
            continue;
        for (int row = count + 1; row <= RowCount; ++row) {
            if (!m_gradesSetAside[row - 1])
                m_gradesSetAside[row - 1] = gradeBox(row)->text();
            gradeBox(row)->setText(u"0"_s);
        }
        for (int row = 1; row <= RowCount; ++row) {
            if (row <= count && m_gradesSetAside[row - 1])
                gradeBox(row)->setText(*std::exchange(m_gradesSetAside[row - 1], std::nullopt));
            gradeBox(row)->setEnabled(row <= count);
        }
    }
}

// o1 .. o15: an emptied grade box shows "0".
void CalcWindow::zeroEmptyGrade(int row)
{
    if (!gradeBox(row)->text().isEmpty())
        return;
    gradeBox(row)->setText(u"0"_s);
    gradeBox(row)->selectAll(); // the next digit typed replaces the "0"
}

// Command2, "Изчисли".
void CalcWindow::computeMean()
{
    // Only these rows' subjects are looked at; rows 7, 10, 13 and 15 play no part.
    static constexpr int checkedRows[] = {1, 2, 3, 4, 5, 6, 8, 9, 11, 12, 14};
    if (std::ranges::all_of(checkedRows, [this](int row) { return subjectBox(row)->text().isEmpty(); })) {
        messagebox::show(this, u"Error"_s, u"Моля въведете всички предмети!"_s);
        return;
    }

    std::array<double, RowCount> grades{};
    for (int row = 1; row <= RowCount; ++row) {
        const auto grade = average::parseNumber(gradeBox(row)->text());
        if (!grade) {
            messagebox::show(this, u"Error"_s, u"Оценката на ред %1 не е число!"_s.arg(row));
            return;
        }
        grades[row - 1] = *grade;
    }

    // A count that is empty, not a number or zero leaves the result as it was.
    const auto count = average::parseNumber(m_gradeCountList->currentText());
    if (!count || *count == 0)
        return;
    const double mean = average::gradeTotal(grades) / *count;
    if (std::isfinite(mean)) {
        m_meanBox->setText(average::formatNumber(mean));
        announcement::announce(this, u"Вашата средно аритметична оценка е "_s + m_meanBox->text());
    }
}

// Res: the mean goes to the status bar.
void CalcWindow::showMeanInStatus()
{
    m_statusPanels->panel(2)->setText(u"Оценка:   "_s + m_meanBox->text());
}

// Screen readers read the count with the list, in its description, and say it when it changes.
void CalcWindow::tellGradeCount()
{
    const QString count = m_gradeCountList->currentText();
    const QString told = u"%1 от %2 оценки %3 в средния успех"_s.arg(count).arg(RowCount)
                                 .arg(count == u"1" ? u"влиза"_s : u"влизат"_s);
    m_gradeCountList->setAccessibleDescription(told);
    announcement::announce(this, told);
}

// mnu01 .. mnu15.
void CalcWindow::chooseGradeCount(int count)
{
    m_gradeCountList->setCurrentIndex(count - 1);
}
