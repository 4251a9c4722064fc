#include "timetablewindow.h"

#include "timetableicon.h"
#include "storage/failuremessage.h"
#include "storage/recordfile.h"
#include "widgets/authorcredit.h"
#include "widgets/desktopinput.h"
#include "widgets/fixedwindow.h"
#include "widgets/frame.h"
#include "widgets/messagebox.h"
#include "widgets/statusbar.h"
#include "widgets/tabcontrol.h"
#include "widgets/themecolors.h"
#include "widgets/twips.h"
#include "widgets/typingfilter.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The window's design, in twips.
namespace design {
constexpr QSize client = twips::size(6420, 5400);
constexpr QPoint clientPosition{twips::toPixels(7830), twips::toPixels(2865)};
constexpr int statusBarHeight = 255;
constexpr QRect saveButton = twips::rect(120, 4560, 2895, 375);
constexpr QRect exitButton = twips::rect(3360, 4560, 2655, 375);
constexpr QRect dayTabs = twips::rect(120, 120, 6075, 4335);
constexpr int tabHeight = twips::toPixels(520);
constexpr int tabsPerRow = 3;

// On each page, relative to the tab control; lesson boxes and labels relative to the frame.
constexpr QRect frame = twips::rect(120, 720, 5655, 3375);
constexpr QRect numberLabel(int lesson) { return twips::rect(2400, 360 * lesson, 255, 255); }
constexpr QRect lessonBox(int lesson) { return twips::rect(2760, 360 * lesson, 2775, 285); }

// The classic Windows values of the inactive and active border colours.
const QColor windowColor{212, 208, 200};
const QColor pageColor{212, 208, 200};
const QColor captionColor{0, 0, 255};
} // namespace design

struct Day
{
    QString name;       // tab caption, menu entry and status text
    const char *menu;   // the day's menu entry
    const char *frame;  // the frame on the day's page
    int firstLabel;     // the number label of lesson 1 ...
    int labelStep;      // ... and the step to the next lesson's
    storage::DataFile file;
};

const Day days[TimetableWindow::DayCount] = {
    {u"Понеделник"_s, "mnuPon", "Frame2", 1, 1, {"Ponedelnic.dat", 1}},
    {u"Вторник"_s, "mnuVto", "Frame1", 9, 1, {"Vtornic.dat", 2}},
    {u"Сряда"_s, "mnuSrq", "Frame3", 17, 1, {"Srqda.dat", 3}},
    {u"Четвъртък"_s, "mnuChe", "Frame4", 33, 1, {"Chetvurtuk.dat", 4}},
    {u"Петък"_s, "mnuPet", "Frame5", 48, -1, {"Petuk.dat", 5}},
};

QString dayStatus(int day)
{
    return u"Ден от седмицата   "_s + days[day].name;
}

using fixedwindow::placed;

} // namespace

TimetableWindow::TimetableWindow(const QString &dataFolder, OpenCalculator openCalculator,
                                 QWidget *parent)
    : GuardedWindow(parent, fixedwindow::flags),
      m_dataFolder(dataFolder),
      m_openCalculator(std::move(openCalculator))
{
    setObjectName(u"Form1"_s);
    setWindowTitle(u"Седмична програма"_s);
    setWindowIcon(timetableIcon());

    QWidget *client = fixedwindow::createClientArea(this, design::client);
    client->setAutoFillBackground(true);
    QPalette background = client->palette();
    background.setColor(QPalette::Window, themecolors::background(background, design::windowColor, QPalette::Window));
    client->setPalette(background);

    m_statusPanels = new StatusBar({{StatusBar::Style::Text, StatusBar::AutoSize::Spring, 3480, 1440},
                                    {StatusBar::Style::Clock, StatusBar::AutoSize::None, 1440, 1440},
                                    {StatusBar::Style::CapsLock, StatusBar::AutoSize::None, 1440, 1440,
                                     u"CAPS"_s}},
                                   design::statusBarHeight, client);
    m_statusPanels->setObjectName(u"StatusBar1"_s);
    m_statusPanels->setAccessibleName(u"Лента на състоянието"_s);
    m_saveButton = placed(new QPushButton(u"Запиши  часовете"_s, client), u"Command2"_s,
                          design::saveButton);
    m_exitButton = placed(new QPushButton(u"Изход"_s, client), u"Command1"_s, design::exitButton);
    m_dayTabs = placed(new TabControl(client), u"SSTab1"_s, design::dayTabs);
    m_dayTabs->setAccessibleName(u"Ден от седмицата"_s);
    createDayPages();
    createMenu();

    // Only the tab control and the two buttons are tab stops; a lesson box is clicked.
    setTabOrder(m_dayTabs, m_exitButton);
    setTabOrder(m_exitButton, m_saveButton);
    m_dayTabs->setFocus();

    connect(m_exitButton, &QPushButton::clicked, this, &TimetableWindow::close); // as mnuExit
    connect(m_saveButton, &QPushButton::clicked, this, &TimetableWindow::saveSelectedDay);
    connect(m_dayTabs, &TabControl::clicked, this, &TimetableWindow::showSelectedDay);

    desktopinput::apply(this);
    fixedwindow::fitCaptions(client);
    fixedwindow::placeClientArea(this, design::clientPosition);
}

void TimetableWindow::createDayPages()
{
    m_dayTabs->setTabsPerRow(design::tabsPerRow);
    m_dayTabs->setTabHeight(design::tabHeight);
    const QPalette palette = m_dayTabs->palette();
    const QColor page = themecolors::background(palette, design::pageColor, QPalette::Window);
    m_dayTabs->setPageColor(page);
    m_dayTabs->setCaptionColor(themecolors::text(palette, design::captionColor, page, QPalette::WindowText));

    for (int day = 0; day < DayCount; ++day) {
        QWidget *page = m_dayTabs->addPage(days[day].name);
        auto *frame = placed(new Frame({}, page), QString::fromLatin1(days[day].frame), design::frame);
        for (int lesson = 1; lesson <= SlotsPerDay; ++lesson) {
            const int label = days[day].firstLabel + days[day].labelStep * (lesson - 1);
            placed(new QLabel(QString::number(lesson), frame), u"Label%1"_s.arg(label),
                   design::numberLabel(lesson))
                    ->setAlignment(Qt::AlignLeft | Qt::AlignTop);

            const int number = day * SlotsPerDay + lesson;
            auto *box = placed(new QLineEdit(frame), u"Text%1"_s.arg(number), design::lessonBox(lesson));
            box->setFocusPolicy(Qt::ClickFocus);
            TypingFilter::install(box);
            box->setAccessibleName(u"%1, час %2"_s.arg(days[day].name).arg(lesson));
            m_lessonBoxes[number - 1] = box;
        }
    }
}

void TimetableWindow::createMenu()
{
    QMenu *mnuMenu = menuBar()->addMenu(u"Меню"_s);
    mnuMenu->setObjectName(u"mnuMenu"_s);

    QMenu *mnuDay = mnuMenu->addMenu(u"Ден от седмицата"_s);
    mnuDay->setObjectName(u"mnuDay"_s);
    for (int day = 0; day < DayCount; ++day) {
        QAction *entry = mnuDay->addAction(days[day].name, this, [this, day] { selectDay(day); });
        entry->setObjectName(QString::fromLatin1(days[day].menu));
        entry->setShortcut(QKeySequence(Qt::Key_F1 + day));
    }
    mnuMenu->addSeparator()->setObjectName(u"mnu0"_s);
    QAction *mnuCalc = mnuMenu->addAction(u"Калкулатор"_s, this, &TimetableWindow::openCalculator);
    mnuCalc->setObjectName(u"mnuCalc"_s);
    mnuCalc->setShortcut(QKeySequence(Qt::Key_F8));
    mnuMenu->addSeparator()->setObjectName(u"mnu1"_s);
    mnuMenu->addAction(u"За Автора"_s, this, &TimetableWindow::showAuthor)
            ->setObjectName(u"mnuAuthor"_s);
    mnuMenu->addAction(u"Изход"_s, this, &TimetableWindow::close)->setObjectName(u"mnuExit"_s);

    // Two commands stand directly on the menu bar and run when clicked.
    menuBar()->addAction(u"Калкулатор"_s, this, &TimetableWindow::openCalculator)
            ->setObjectName(u"mnuShowC"_s);
    menuBar()->addAction(u".:Минимизирай:."_s, this, &TimetableWindow::minimize)
            ->setObjectName(u"mnuMinimize"_s);
}

QString TimetableWindow::dayFilePath(int day) const
{
    return storage::dataFilePath(m_dataFolder, days[day].file);
}

QStringList TimetableWindow::lessons(int day) const
{
    QStringList texts;
    for (int lesson = 1; lesson <= SlotsPerDay; ++lesson)
        texts << lessonBox(day, lesson)->text();
    return texts;
}

void TimetableWindow::load()
{
    selectDay(0);
    for (int day = 0; day < DayCount; ++day) {
        const QStringList texts = storage::readRecords(dayFilePath(day), days[day].file.handle, SlotsPerDay);
        for (int lesson = 1; lesson <= SlotsPerDay; ++lesson) {
            lessonBox(day, lesson)->setText(texts[lesson - 1]);
            lessonBox(day, lesson)->setCursorPosition(0); // a long lesson shows its beginning
        }
        m_savedLessons[day] = texts;
    }
}

QList<int> TimetableWindow::unsavedDays() const
{
    QList<int> unsaved;
    for (int day = 0; day < DayCount; ++day) {
        if (lessons(day) != m_savedLessons[day])
            unsaved << day;
    }
    return unsaved;
}

QString TimetableWindow::unsavedQuestion() const
{
    QStringList names;
    for (const int day : unsavedDays())
        names << days[day].name;
    return names.isEmpty() ? QString() : u"Да запиша ли промените в програмата за %1?"_s.arg(names.join(u", "_s));
}

// Each unsaved day's file, all or nothing; the first that fails stops the rest.
bool TimetableWindow::saveUnsaved()
{
    return std::ranges::all_of(unsavedDays(), [this](int day) { return saveDay(day); });
}

// Command2, "Запиши  часовете": writes the selected day's file.
void TimetableWindow::saveSelectedDay()
{
    // Independent tests of the selected day, each reading the tab control afresh.
    for (int day = 0; day < DayCount; ++day) {
        if (m_dayTabs->tab() == day)
            saveDay(day);
    }
}

bool TimetableWindow::saveDay(int day)
{
    const QStringList texts = lessons(day);
    try {
        storage::writeRecords(dayFilePath(day), days[day].file.handle, texts);
    } catch (const storage::FileError &error) {
        messagebox::show(this, windowTitle(), storage::saveFailureMessage(error));
        return false;
    }
    m_savedLessons[day] = texts;
    return true;
}

// SSTab1: the clicked day goes to the status bar.
void TimetableWindow::showSelectedDay()
{
    for (int day = 0; day < DayCount; ++day) {
        if (m_dayTabs->tab() == day)
            m_statusPanels->panel(1)->setText(dayStatus(day));
    }
}

// mnuPon .. mnuPet, F1 .. F5.
void TimetableWindow::selectDay(int day)
{
    m_dayTabs->setTab(day);
    m_statusPanels->panel(1)->setText(dayStatus(day));
}

// mnuCalc and mnuShowC, "Калкулатор".
void TimetableWindow::openCalculator()
{
    m_openCalculator();
}

// mnuMinimize: this window only.
void TimetableWindow::minimize()
{
    setWindowState(windowState() | Qt::WindowMinimized);
}

// mnuAuthor, "За Автора".
void TimetableWindow::showAuthor()
{
    messagebox::show(this, u"За Автора"_s, authorCredit());
}
