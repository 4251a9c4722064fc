#include "windowtesting.h"

#include "widgets/dialogfont.h"
#include "widgets/tabcontrol.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace windowtesting;

namespace {

QLineEdit *lessonBox(const QWidget *window, int day, int slot)
{
    return box(window, u"Text%1"_s.arg(day * 8 + slot));
}
TabControl *dayTabs(const QWidget *window) { return child<TabControl>(window, u"SSTab1"_s); }
const QStringList dayMenus = {u"mnuPon"_s, u"mnuVto"_s, u"mnuSrq"_s, u"mnuChe"_s, u"mnuPet"_s};

} // namespace

class tst_Timetable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { dialogfont::apply(); }
    void loadFillsEveryDay();
    void fileFailure_data();
    void fileFailure();
    void saveWritesTheSelectedDayOnly_data();
    void saveWritesTheSelectedDayOnly();
    void daySelection_data();
    void daySelection();
    void keyboard();
    void calculatorEntries();
    void exitStatus_data();
    void exitStatus();
};

// The calculator opens first, then Monday comes to the front and the five files are read.
void tst_Timetable::loadFillsEveryDay()
{
    Program program;
    program.folder.write(u"Srqda.dat"_s, "\"1\",\"2\",\"  a, b  \",\"\",\"5\",\"6\",\"7\",\"8\"\r\n\"ninth\"\r\n");
    QWidget *window = program.open(programwindows::Timetable);
    QVERIFY(window);
    QVERIFY(program.windows.window(programwindows::Calculator)->isVisible());
    QCOMPARE(dayTabs(window)->tab(), 0);
    QCOMPARE(panelText(window, 1), u"Ден от седмицата   Понеделник"_s);
    const QStringList wednesday = {u"1"_s, u"2"_s, u"  a, b  "_s, QString(), u"5"_s, u"6"_s, u"7"_s, u"8"_s};
    for (int day = 0; day < 5; ++day) {
        const QStringList lessons = day == 2 ? wednesday : dayLessons(Program::dayNames[day]);
        for (int slot = 1; slot <= 8; ++slot) {
            QCOMPARE(lessonBox(window, day, slot)->text(), lessons[slot - 1]);
            QCOMPARE(lessonBox(window, day, slot)->cursorPosition(), 0);
        }
    }
}

void tst_Timetable::fileFailure_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("atSave");
    QTest::addColumn<bool>("calculatorOpen");

    QTest::newRow("calculator cannot load") << u"Ocenki.dat"_s << false << false;
    QTest::newRow("Thursday missing") << u"Chetvurtuk.dat"_s << false << true;
    QTest::newRow("Monday cannot be saved") << u"Ponedelnic.dat"_s << true << true;
}

// The file is named, nothing is lost, and only a window that loaded stays.
void tst_Timetable::fileFailure()
{
    QFETCH(QString, file);
    QFETCH(bool, atSave);
    QFETCH(bool, calculatorOpen);

    Program program;
    if (!atSave)
        QVERIFY(QFile::remove(program.folder.filePath(file)));
    QWidget *window = program.open(programwindows::Timetable);
    QCOMPARE(window != nullptr, atSave);
    if (atSave) {
        lessonBox(window, 0, 1)->setText(u"Промяна"_s);
        program.folder.blockWithFolder(file);
        click(window, u"Command2"_s);
        QCOMPARE(lessonBox(window, 0, 1)->text(), u"Промяна"_s);
    }
    QCOMPARE(program.windows.window(programwindows::Calculator) != nullptr, calculatorOpen);
    QCOMPARE(program.messages.boxes.size(), 1);
    QCOMPARE(program.messages.boxes[0].title, atSave ? u"Седмична програма"_s : u"Грешка"_s);
    QVERIFY(program.messages.boxes[0].text.contains(program.folder.filePath(file)));
}

void tst_Timetable::saveWritesTheSelectedDayOnly_data()
{
    QTest::addColumn<int>("day");
    for (int day = 0; day < 5; ++day)
        QTest::newRow(qPrintable(Program::dayFiles[day])) << day;
}

void tst_Timetable::saveWritesTheSelectedDayOnly()
{
    QFETCH(int, day);

    Program program;
    QWidget *window = program.open(programwindows::Timetable);
    for (int other = 0; other < 5; ++other) {
        for (int slot = 1; slot <= 8; ++slot)
            lessonBox(window, other, slot)->setText(u"Урок %1"_s.arg(slot));
    }
    lessonBox(window, day, 3)->clear();
    trigger(window, dayMenus[day]);
    click(window, u"Command2"_s);

    QStringList saved = numbered(u"Урок "_s, 8);
    saved[2] = QString();
    for (int other = 0; other < 5; ++other) {
        QCOMPARE(program.folder.read(Program::dayFiles[other]),
                 records(other == day ? saved : dayLessons(Program::dayNames[other])));
    }
    QVERIFY(program.messages.boxes.isEmpty());
}

void tst_Timetable::daySelection_data()
{
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("route");
    for (int day = 0; day < 5; ++day) {
        for (const QString &route : {u"menu"_s, u"key"_s, u"tab"_s})
            QTest::addRow("%s by %s", qPrintable(Program::dayNames[day]), qPrintable(route)) << day << route;
    }
}

void tst_Timetable::daySelection()
{
    QFETCH(int, day);
    QFETCH(QString, route);

    Program program;
    QWidget *window = program.open(programwindows::Timetable);
    QVERIFY(QTest::qWaitForWindowActive(window));
    TabControl *tabs = dayTabs(window);
    if (day == 0) // start elsewhere, so Monday is a real change
        tabs->setTab(4);

    if (route == u"menu")
        trigger(window, dayMenus[day]);
    else if (route == u"key")
        QTest::keyClick(window, Qt::Key(Qt::Key_F1 + day));
    else
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(day).center());

    QCOMPARE(tabs->tab(), day);
    QCOMPARE(panelText(window, 1), u"Ден от седмицата   "_s + Program::dayNames[day]);
    for (int shown = 0; shown < 5; ++shown) {
        for (int slot = 1; slot <= 8; ++slot)
            QCOMPARE(lessonBox(window, shown, slot)->isVisible(), shown == day);
    }
}

// Tab cycles the tab control and the two buttons; Return presses the focused button; a
// lesson is reached by clicking it.
void tst_Timetable::keyboard()
{
    Program program;
    QWidget *window = program.open(programwindows::Timetable);
    QVERIFY(QTest::qWaitForWindowActive(window));
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int press = 0; press < 3; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, QStringList({u"SSTab1"_s, u"Command1"_s, u"Command2"_s, u"SSTab1"_s}));

    auto *save = child<QPushButton>(window, u"Command2"_s);
    QSignalSpy saves(save, &QPushButton::clicked);
    save->setFocus();
    QTest::keyClick(save, Qt::Key_Return);
    QCOMPARE(saves.size(), 1);

    QTest::mouseClick(lessonBox(window, 0, 2), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), lessonBox(window, 0, 2));
}

// Both calculator entries show the one calculator, loading it afresh once it was closed;
// exit and minimise act on the timetable alone.
void tst_Timetable::calculatorEntries()
{
    Program program;
    QWidget *timetable = program.open(programwindows::Timetable);
    QWidget *calculator = program.windows.window(programwindows::Calculator);
    box(calculator, u"Text1"_s)->setText(u"Непазено"_s);
    for (const QString &entry : {u"mnuShowC"_s, u"mnuCalc"_s}) {
        trigger(timetable, entry);
        QCOMPARE(program.windows.window(programwindows::Calculator), calculator);
        QCOMPARE(box(calculator, u"Text1"_s)->text(), u"Непазено"_s);
    }
    for (const QString &entry : {u"mnuShowC"_s, u"mnuCalc"_s}) {
        program.windows.window(programwindows::Calculator)->close();
        QTRY_VERIFY(!program.windows.window(programwindows::Calculator));
        trigger(timetable, entry);
        QCOMPARE(box(program.windows.window(programwindows::Calculator), u"Text1"_s)->text(), u"Предмет 1"_s);
    }

    trigger(timetable, u"mnuMinimize"_s);
    QVERIFY(timetable->isMinimized());
    QVERIFY(!program.windows.window(programwindows::Calculator)->isMinimized());
    for (const QString &exit : {u"Command1"_s, u"mnuExit"_s}) {
        timetable = program.open(programwindows::Timetable);
        if (exit == u"Command1")
            click(timetable, exit);
        else
            trigger(timetable, exit);
        QTRY_VERIFY(!program.windows.window(programwindows::Timetable));
        QVERIFY(program.windows.window(programwindows::Calculator)->isVisible());
    }
}

void tst_Timetable::exitStatus_data()
{
    QTest::addColumn<QString>("missing");
    QTest::addColumn<int>("status");
    QTest::newRow("Friday missing, the calculator stays") << u"Petuk.dat"_s << EXIT_SUCCESS;
    QTest::newRow("no window left") << u"Ocenki.dat"_s << EXIT_FAILURE;
}

// A load that fails while no other window is open ends the program with a failure.
void tst_Timetable::exitStatus()
{
    QFETCH(QString, missing);
    QFETCH(int, status);

    Program program;
    QVERIFY(QFile::remove(program.folder.filePath(missing)));
    QTimer::singleShot(0, [&program] {
        QVERIFY(!program.open(programwindows::Timetable));
        QTimer::singleShot(0, [] { QCoreApplication::exit(EXIT_SUCCESS); });
    });
    QCOMPARE(QApplication::exec(), status);
}

QTEST_MAIN(tst_Timetable)
#include "tst_timetable.moc"
