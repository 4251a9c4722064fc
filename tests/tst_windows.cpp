#include "windowtesting.h"

#include "app/qtarguments.h"
#include "app/qttranslation.h"
#include "widgets/dialogfont.h"
#include "widgets/tabcontrol.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QMainWindow>
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>
#include <QToolTip>

#include <memory>

using namespace Qt::StringLiterals;
using namespace windowtesting;
using programwindows::Calculator;
using programwindows::Timetable;

namespace {

QLineEdit *subjectBox(const QWidget *window, int row) { return box(window, u"Text%1"_s.arg(row)); }
QLineEdit *gradeBox(const QWidget *window, int row) { return box(window, u"o%1"_s.arg(row)); }
QLineEdit *lessonBox(const QWidget *window, int day, int slot) { return box(window, u"Text%1"_s.arg(day * 8 + slot)); }
QComboBox *gradeCountList(const QWidget *window) { return child<QComboBox>(window, u"Combo1"_s); }
TabControl *dayTabs(const QWidget *window) { return child<TabControl>(window, u"SSTab1"_s); }
const QStringList dayMenus = {u"mnuPon"_s, u"mnuVto"_s, u"mnuSrq"_s, u"mnuChe"_s, u"mnuPet"_s};
const QString CalculatorTitle = u"Калкулатор за средно аритметичен успех"_s;

// Records, in order, the text and enabled changes of the fifteen grade boxes.
struct GradeLog : QObject
{
    explicit GradeLog(const QWidget *window)
    {
        for (int row = 1; row <= 15; ++row) {
            connect(gradeBox(window, row), &QLineEdit::textChanged, this,
                    [this, row](const QString &text) { entries << u"o%1=%2"_s.arg(row).arg(text); });
            gradeBox(window, row)->installEventFilter(this);
        }
    }
    bool eventFilter(QObject *box, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange)
            entries << box->objectName() + (static_cast<QWidget *>(box)->isEnabled() ? u" on"_s : u" off"_s);
        return false;
    }
    QStringList entries;
};

} // namespace

class tst_Windows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void qtSpeaksBulgarianAndTakesNoOptions();
    void controlsFitTheirWindow_data();
    void controlsFitTheirWindow();
    void keyboardOrder_data();
    void keyboardOrder();
    void calculatorShowsItsFiles();
    void timetableShowsItsFiles();
    void saveWritesTheFiles_data();
    void saveWritesTheFiles();
    void fileFailureIsReported_data();
    void fileFailureIsReported();
    void exitStatus_data();
    void exitStatus();
    void typedTextComesBack_data();
    void typedTextComesBack();
    void gradeCountChain_data();
    void gradeCountChain();
    void computeMean_data();
    void computeMean();
    void daySelection_data();
    void daySelection();
    void calculatorEntries();
    void authorBox_data();
    void authorBox();
};

void tst_Windows::initTestCase()
{
    QVERIFY(qttranslation::install());
    dialogfont::apply();
}

void tst_Windows::qtSpeaksBulgarianAndTakesNoOptions()
{
    Program program;
    QWidget *calculator = program.open(Calculator);
    std::unique_ptr<QMenu> menu(subjectBox(calculator, 1)->createStandardContextMenu());
    QCOMPARE(menu->actions().first()->text().section(u'\t', 0, 0), u"&Отмяна"_s);
    // The -reverse and -qwindowtitle given to the test (see main) never reached Qt.
    QCOMPARE(QGuiApplication::layoutDirection(), Qt::LeftToRight);
    QCOMPARE(calculator->windowHandle()->title(), CalculatorTitle);
}

void tst_Windows::controlsFitTheirWindow_data()
{
    QTest::addColumn<int>("entry");
    QTest::newRow("calculator") << int(Calculator);
    QTest::newRow("timetable") << int(Timetable);
}

// Every control lies inside the fixed client area, clear of its neighbours, shows its whole
// caption and has a name a screen reader can say.
void tst_Windows::controlsFitTheirWindow()
{
    QFETCH(int, entry);
    Program program;
    const auto *window = static_cast<QMainWindow *>(program.open(entry));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    const QWidget *client = window->centralWidget();
    for (const QWidget *control : client->findChildren<QWidget *>()) {
        const QString name = control->objectName();
        if (control->window() != window) // a list's popup
            continue;
        QVERIFY2(client->rect().contains(QRect(control->mapTo(client, QPoint()), control->size())), qPrintable(name));
        if (control->focusPolicy() != Qt::NoFocus && !control->isHidden() && !qobject_cast<const QAbstractButton *>(control))
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(name));
        // The design's number labels touch their boxes by a pixel.
        const QRect core = control->geometry().adjusted(1, 1, -1, -1);
        for (const QWidget *sibling : control->parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (sibling != control && !sibling->isHidden() && !control->isHidden())
                QVERIFY2(!sibling->geometry().intersects(core), qPrintable(name + u" "_s + sibling->objectName()));
        }
        if (runsUnderWine()) // its Tahoma look-alike has glyph widths of its own
            continue;
        const int room = control->width();
        if (const auto *label = qobject_cast<const QLabel *>(control)) {
            const QSize needed = label->wordWrap() ? QSize(room, label->heightForWidth(room)) : label->sizeHint();
            QVERIFY2(needed.width() <= room && needed.height() <= label->height(), qPrintable(name));
        } else if (const auto *button = qobject_cast<const QAbstractButton *>(control)) {
            QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) + 8 <= room, qPrintable(name));
        } else if (const auto *frame = qobject_cast<const QGroupBox *>(control)) {
            QVERIFY2(frame->fontMetrics().horizontalAdvance(frame->title()) + 16 <= room, qPrintable(name));
        } else if (const auto *tabs = qobject_cast<const TabControl *>(control)) {
            for (int day = 0; day < tabs->count(); ++day)
                QVERIFY(tabs->fontMetrics().horizontalAdvance(tabs->caption(day)) + 8 <= tabs->tabRect(day).width());
        }
    }
}

void tst_Windows::keyboardOrder_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QStringList>("order"); // from the control that has the focus at first
    QTest::newRow("calculator, 14 grades") << int(Calculator)
            << numbered(u"Text"_s, 14) + numbered(u"o"_s, 14)
                    + QStringList{u"Command1"_s, u"Text15"_s, u"Combo1"_s, u"Command3"_s, u"Res"_s,
                                  u"Command2"_s, u"Command4"_s, u"Text1"_s};
    QTest::newRow("timetable") << int(Timetable) << QStringList{u"SSTab1"_s, u"Command1"_s, u"Command2"_s, u"SSTab1"_s};
}

void tst_Windows::keyboardOrder()
{
    QFETCH(int, entry);
    QFETCH(QStringList, order);
    Program program;
    QWidget *window = program.open(entry);
    if (entry == Calculator)
        trigger(window, u"mnu14"_s); // a disabled grade box is skipped
    QVERIFY(QTest::qWaitForWindowActive(window));
    QStringList visited{QApplication::focusWidget()->objectName()};
    while (visited.size() < order.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, order);
}

void tst_Windows::calculatorShowsItsFiles()
{
    Program program;
    QStringList subjects = numbered(u"Литература "_s, 15);
    subjects[2] = QString();
    subjects[4] = u"Час \"ЧК\""_s; // a bare quote, unquoted in the file, shown as read
    QStringList grades(15, u"6"_s);
    grades[4] = QString(); // shown as "0"
    grades[5] = u"10"_s;   // longer than typing allows, yet kept
    program.folder.write(u"Predmeti.dat"_s, records(subjects.mid(0, 4)) + storage::cp1251::encode(subjects[4])
                                                    + "\r\n" + records(subjects.mid(5)));
    program.folder.write(u"Ocenki.dat"_s, records(grades));
    QWidget *window = program.open(Calculator);
    QVERIFY(window);

    QCOMPARE(gradeCountList(window)->count(), 15);
    QCOMPARE(gradeCountList(window)->itemText(0), u"1"_s);
    QCOMPARE(gradeCountList(window)->currentText(), u"15"_s);
    QCOMPARE(panelText(window, 1), u"Брой предмети:   15"_s);
    grades[4] = u"0"_s;
    for (int row = 1; row <= 15; ++row) {
        QCOMPARE(subjectBox(window, row)->text(), subjects[row - 1]);
        QCOMPARE(gradeBox(window, row)->text(), grades[row - 1]);
        QCOMPARE(gradeBox(window, row)->cursorPosition(), 0); // a long text shows its beginning
        const QColor rowColor = row % 2 ? QColor(Qt::red) : QColor(Qt::blue);
        QCOMPARE(subjectBox(window, row)->palette().color(QPalette::Text), rowColor);
        QCOMPARE(gradeBox(window, row)->palette().color(QPalette::Text), rowColor);
    }
}

// The calculator opens first, then Monday comes to the front and the five files are read.
void tst_Windows::timetableShowsItsFiles()
{
    Program program;
    program.folder.write(u"Srqda.dat"_s, "\"1\",\"2\",\"  a, b  \",\"\",\"5\",\"6\",\"7\",\"8\"\r\n\"ninth\"\r\n");
    QWidget *window = program.open(Timetable);
    QVERIFY(window);
    QVERIFY(program.windows.window(Calculator)->isVisible());
    QCOMPARE(dayTabs(window)->tab(), 0);
    QCOMPARE(panelText(window, 1), u"Ден от седмицата   Понеделник"_s);
    const QStringList wednesday = {u"1"_s, u"2"_s, u"  a, b  "_s, QString(), u"5"_s, u"6"_s, u"7"_s, u"8"_s};
    for (int day = 0; day < 5; ++day) {
        for (int slot = 1; slot <= 8; ++slot) {
            QCOMPARE(lessonBox(window, day, slot)->text(),
                     (day == 2 ? wednesday : dayLessons(Program::dayNames[day]))[slot - 1]);
            QCOMPARE(lessonBox(window, day, slot)->cursorPosition(), 0);
        }
    }
}

void tst_Windows::saveWritesTheFiles_data()
{
    QTest::addColumn<QString>("save"); // a button or a menu entry
    QTest::addColumn<int>("day");      // -1: the calculator
    QTest::newRow("Запиши!") << u"Command3"_s << -1;
    QTest::newRow("menu Запиши!") << u"mnuSave"_s << -1;
    for (int day = 0; day < 5; ++day)
        QTest::newRow(qPrintable(Program::dayFiles[day])) << u"Command2"_s << day;
}

// The calculator writes both of its files; the timetable writes the selected day alone.
void tst_Windows::saveWritesTheFiles()
{
    QFETCH(QString, save);
    QFETCH(int, day);
    Program program;
    QWidget *window = program.open(day < 0 ? Calculator : Timetable);
    QStringList lessons = numbered(u"Урок "_s, 8);
    lessons[2] = QString();
    QStringList subjects = numbered(u"Предмет "_s, 15);
    subjects[1] = QString();
    if (day < 0) {
        subjectBox(window, 2)->clear();
        trigger(window, u"mnu03"_s);
    } else {
        for (int other = 0; other < 5; ++other) {
            for (int slot = 1; slot <= 8; ++slot)
                lessonBox(window, other, slot)->setText(lessons[slot - 1]);
        }
        trigger(window, dayMenus[day]);
    }
    if (auto *button = window->findChild<QAbstractButton *>(save))
        button->click();
    else
        trigger(window, save);

    QVERIFY(program.messages.boxes.isEmpty());
    if (day < 0) {
        QCOMPARE(program.folder.read(u"Predmeti.dat"_s), records(subjects));
        QCOMPARE(program.folder.read(u"Ocenki.dat"_s), records(QStringList(3, u"5"_s) + QStringList(12, u"0"_s)));
    }
    for (int other = 0; other < 5; ++other) {
        QCOMPARE(program.folder.read(Program::dayFiles[other]),
                 records(other == day ? lessons : dayLessons(Program::dayNames[other])));
    }
}

void tst_Windows::fileFailureIsReported_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("save"); // empty: the file is missing at the load
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("calculatorOpen");

    QTest::newRow("calculator: grades missing") << int(Calculator) << u"Ocenki.dat"_s << QString() << u"Грешка"_s << false;
    QTest::newRow("calculator: grades cannot be saved") << int(Calculator) << u"Ocenki.dat"_s << u"Command3"_s
                                                        << CalculatorTitle << true;
    QTest::newRow("timetable: the calculator cannot load") << int(Timetable) << u"Predmeti.dat"_s << QString()
                                                           << u"Грешка"_s << false;
    QTest::newRow("timetable: Thursday missing") << int(Timetable) << u"Chetvurtuk.dat"_s << QString() << u"Грешка"_s << true;
    QTest::newRow("timetable: Monday cannot be saved") << int(Timetable) << u"Ponedelnic.dat"_s << u"Command2"_s
                                                       << u"Седмична програма"_s << true;
}

// The file is named, the edits stay for another try, and only windows that loaded remain.
void tst_Windows::fileFailureIsReported()
{
    QFETCH(int, entry);
    QFETCH(QString, file);
    QFETCH(QString, save);
    QFETCH(QString, title);
    QFETCH(bool, calculatorOpen);
    Program program;
    if (save.isEmpty())
        QVERIFY(QFile::remove(program.folder.filePath(file)));
    QWidget *window = program.open(entry);
    QCOMPARE(window != nullptr, !save.isEmpty());
    if (window) {
        QLineEdit *edited = box(window, u"Text1"_s);
        edited->setText(u"Промяна"_s);
        program.folder.blockWithFolder(file);
        click(window, save);
        QCOMPARE(edited->text(), u"Промяна"_s);
    }
    QCOMPARE(program.windows.window(Calculator) != nullptr, calculatorOpen);
    QCOMPARE(program.messages.boxes.size(), 1);
    QCOMPARE(program.messages.boxes[0].title, title);
    QVERIFY(program.messages.boxes[0].text.contains(program.folder.filePath(file)));
}

void tst_Windows::exitStatus_data()
{
    QTest::addColumn<QString>("missing");
    QTest::addColumn<int>("status");
    QTest::newRow("Friday missing, the calculator stays") << u"Petuk.dat"_s << EXIT_SUCCESS;
    QTest::newRow("no window left") << u"Ocenki.dat"_s << EXIT_FAILURE;
}

// A load that fails while no other window is open ends the program with a failure.
void tst_Windows::exitStatus()
{
    QFETCH(QString, missing);
    QFETCH(int, status);
    Program program;
    QVERIFY(QFile::remove(program.folder.filePath(missing)));
    QTimer::singleShot(0, [&program] {
        QVERIFY(!program.open(Timetable));
        QTimer::singleShot(0, [] { QCoreApplication::exit(EXIT_SUCCESS); });
    });
    QCOMPARE(QApplication::exec(), status);
}

void tst_Windows::typedTextComesBack_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed"); // "\b" is the Delete key
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("told"); // a tooltip says what was refused

    const QString full(64 * 1024, u'ж');
    QTest::newRow("quotes typed") << u"Text7"_s << u"Физика 7\", \"8\""_s << QString() << u"Физика 7“, „8“"_s << false;
    QTest::newRow("quotes pasted") << u"Text7"_s << QString() << u"Час \"ЧК\", (\"Б\")"_s << u"Час „ЧК“, („Б“)"_s << false;
    QTest::newRow("diacritics") << u"Text7"_s << u"ѝ é Йё"_s << QString() << u"и e Йё"_s << false;
    QTest::newRow("emoji") << u"Text7"_s << u"a😀b"_s << QString() << u"ab"_s << true;
    QTest::newRow("foreign and NUL") << u"Text7"_s << QString() << u"a中b"_s + QChar(0) + u"c"_s << u"abc"_s << true;
    QTest::newRow("64 KiB") << u"Text7"_s << QString() << full << full << false;
    QTest::newRow("over 64 KiB") << u"Text7"_s << QString() << full + u'ж' << u"Предмет 7"_s << true;
    QTest::newRow("grade: one character") << u"o7"_s << u"45"_s << QString() << u"4"_s << true;
    QTest::newRow("grade: emptied shows 0") << u"o7"_s << u"\b"_s << QString() << u"0"_s << false;
    QTest::newRow("grade: a digit replaces that 0") << u"o7"_s << u"\b3"_s << QString() << u"3"_s << false;
    QTest::newRow("mean is read-only") << u"Res"_s << u"9"_s << QString() << QString() << false;
    QTest::newRow("lesson") << u"Text12"_s << u"Час \"ЧК\", ѝ"_s << QString() << u"Час „ЧК“, и"_s << false;
}

// What a box shows after typing or pasting is what a save writes and a fresh window shows.
void tst_Windows::typedTextComesBack()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    QFETCH(bool, told);
    Program program;
    const int entry = box == u"Text12" ? Timetable : Calculator;
    QWidget *window = program.open(entry);
    if (entry == Timetable)
        trigger(window, u"mnuVto"_s);
    QLineEdit *edit = windowtesting::box(window, box);
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());
    edit->selectAll();
    const QStringList parts = typed.split(u'\b');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            QTest::keyClick(edit, Qt::Key_Delete);
        typeText(edit, parts[i]);
    }
    if (!pasted.isEmpty()) {
        QGuiApplication::clipboard()->setText(pasted);
        edit->paste();
    }
    QCOMPARE(edit->text(), shown);
    QCOMPARE(QToolTip::isVisible(), told);

    click(window, entry == Timetable ? u"Command2"_s : u"Command3"_s);
    QVERIFY(program.messages.boxes.isEmpty());
    delete window;
    QCOMPARE(windowtesting::box(program.open(entry), box)->text(), shown);
}

void tst_Windows::gradeCountChain_data()
{
    QTest::addColumn<QString>("route"); // a menu entry, a list row, or the hidden count box's text
    QTest::addColumn<int>("count");     // 0: the count stays 15
    for (int count : {1, 7, 12, 14})
        QTest::addRow("menu %d", count) << u"mnu%1"_s.arg(count, 2, 10, QLatin1Char('0')) << count;
    for (int count : {2, 13})
        QTest::addRow("list %d", count) << u"list"_s << count;
    QTest::newRow("back to 15") << u"mnu15"_s << 15;
    for (const QString &text : {u"05"_s, u" 5"_s, u"16"_s, u"0"_s, QString()})
        QTest::addRow("count box '%s'", qPrintable(text)) << text << 0;
}

// A new count resets the rows that fall out of use first, in ascending order, each running
// its own change handling, then enables exactly the rows in use.
void tst_Windows::gradeCountChain()
{
    QFETCH(QString, route);
    QFETCH(int, count);
    Program program;
    QWidget *window = program.open(Calculator);
    const bool raising = count == 15;
    if (raising)
        trigger(window, u"mnu07"_s);
    GradeLog log(window);
    if (route.startsWith(u"mnu"))
        trigger(window, route);
    else if (route == u"list")
        gradeCountList(window)->setCurrentIndex(count - 1);
    else
        box(window, u"txt"_s)->setText(route);

    QStringList expected;
    const int inUse = count ? count : 15;
    for (int row = inUse + 1; row <= 15 && !raising; ++row)
        expected << u"o%1=0"_s.arg(row);
    for (int row = raising ? 8 : inUse + 1; row <= 15; ++row)
        expected << u"o%1 %2"_s.arg(row).arg(raising ? u"on"_s : u"off"_s);
    QCOMPARE(log.entries, expected);
    QCOMPARE(gradeCountList(window)->currentText(), QString::number(inUse));
    QCOMPARE(panelText(window, 1), u"Брой предмети:   "_s + QString::number(inUse));
}

void tst_Windows::computeMean_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("grades");
    QTest::addColumn<int>("subjectRow"); // the one row with a subject; 0: all rows; -1: none
    QTest::addColumn<QString>("mean");   // empty: the earlier result stays
    QTest::addColumn<QString>("message");

    const QString noSubject = u"Моля въведете всички предмети!"_s;
    QTest::newRow("two") << 2 << QStringList{u"5"_s, u"6"_s} << 0 << u"5.5"_s << QString();
    QTest::newRow("16 / 3") << 3 << QStringList{u"5"_s, u"5"_s, u"6"_s} << 0 << u"5.33333333333333"_s << QString();
    QTest::newRow("a dropped row counts as 0") << 14 << QStringList() << 0 << u"5"_s << QString();
    QTest::newRow("grade 3 not a number") << 4 << QStringList{u"6"_s, u"6"_s, u"a"_s, u"x"_s} << 0 << QString()
                                          << u"Оценката на ред 3 не е число!"_s;
    QTest::newRow("no subject") << 15 << QStringList() << -1 << QString() << noSubject;
    for (int row = 1; row <= 15; ++row) { // only some rows' subjects are looked at
        const bool looked = row != 7 && row != 10 && row != 13 && row != 15;
        QTest::addRow("only subject %d", row) << 15 << QStringList() << row << (looked ? u"5"_s : QString())
                                              << (looked ? QString() : noSubject);
    }
}

void tst_Windows::computeMean()
{
    QFETCH(int, count);
    QFETCH(QStringList, grades);
    QFETCH(int, subjectRow);
    QFETCH(QString, mean);
    QFETCH(QString, message);
    Program program;
    QWidget *window = program.open(Calculator);
    gradeCountList(window)->setCurrentIndex(count - 1);
    for (int row = 1; row <= grades.size(); ++row)
        gradeBox(window, row)->setText(grades[row - 1]);
    for (int row = 1; row <= 15 && subjectRow; ++row)
        subjectBox(window, row)->setText(row == subjectRow ? u"Химия"_s : QString());
    box(window, u"Res"_s)->setText(u"earlier"_s);
    click(window, u"Command2"_s);

    const QString shown = mean.isEmpty() ? u"earlier"_s : mean;
    QCOMPARE(box(window, u"Res"_s)->text(), shown);
    QCOMPARE(panelText(window, 2), u"Оценка:   "_s + shown);
    QCOMPARE(program.messages.boxes.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QCOMPARE(program.messages.boxes[0].title + u": "_s + program.messages.boxes[0].text, u"Error: "_s + message);
}

void tst_Windows::daySelection_data()
{
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("route");
    for (int day = 0; day < 5; ++day) {
        for (const QString &route : {u"menu"_s, u"key"_s, u"tab"_s})
            QTest::addRow("%s by %s", qPrintable(Program::dayNames[day]), qPrintable(route)) << day << route;
    }
}

void tst_Windows::daySelection()
{
    QFETCH(int, day);
    QFETCH(QString, route);
    Program program;
    QWidget *window = program.open(Timetable);
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
    for (int slot = 1; slot <= 40; ++slot)
        QCOMPARE(lessonBox(window, 0, slot)->isVisible(), (slot - 1) / 8 == day);
}

// Both calculator entries show the one calculator, loading it afresh once it was closed;
// minimise and exit act on the timetable alone.
void tst_Windows::calculatorEntries()
{
    Program program;
    QWidget *timetable = program.open(Timetable);
    subjectBox(program.windows.window(Calculator), 1)->setText(u"Непазено"_s);
    for (const QString &entry : {u"mnuShowC"_s, u"mnuCalc"_s}) {
        trigger(timetable, entry);
        QCOMPARE(subjectBox(program.windows.window(Calculator), 1)->text(), u"Непазено"_s);
    }
    for (const QString &entry : {u"mnuShowC"_s, u"mnuCalc"_s}) {
        delete program.windows.window(Calculator);
        trigger(timetable, entry);
        QCOMPARE(subjectBox(program.windows.window(Calculator), 1)->text(), u"Предмет 1"_s);
    }
    trigger(timetable, u"mnuMinimize"_s);
    QVERIFY(timetable->isMinimized());
    QVERIFY(!program.windows.window(Calculator)->isMinimized());
    for (const QString &exit : {u"Command1"_s, u"mnuExit"_s}) {
        timetable = program.open(Timetable);
        if (auto *button = timetable->findChild<QAbstractButton *>(exit))
            button->click();
        else
            trigger(timetable, exit);
        QTRY_VERIFY(!program.windows.window(Timetable));
        QVERIFY(program.windows.window(Calculator)->isVisible());
    }
}

void tst_Windows::authorBox_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("title");
    QTest::newRow("За Автора") << int(Calculator) << u"Command4"_s << CalculatorTitle;
    QTest::newRow("calculator menu") << int(Calculator) << u"mnuAbout"_s << CalculatorTitle;
    QTest::newRow("timetable menu") << int(Timetable) << u"mnuAuthor"_s << u"За Автора"_s;
}

// A real message box: no icon, one OK button.
void tst_Windows::authorBox()
{
    QFETCH(int, entry);
    QFETCH(QString, control);
    QFETCH(QString, title);
    Program program;
    QWidget *window = program.open(entry);
    if (auto *button = window->findChild<QAbstractButton *>(control))
        button->click();
    else
        trigger(window, control);
    QCOMPARE(program.messages.boxes.size(), 1);
    QCOMPARE(program.messages.boxes[0].title, title);
    QCOMPARE(program.messages.boxes[0].text, u"Автори: екипът на Tumbora"_s);
    QVERIFY(program.messages.boxes[0].plain);
    if (entry == Calculator)
        QCOMPARE(panel(window, 4)->toolTip(), u"Автори: екипът на Tumbora"_s);
}

// Started as the program starts: Qt sees the program's name alone, whatever the command line.
int main(int argc, char *argv[])
{
    char reverse[] = "-reverse", title[] = "-qwindowtitle", otherTitle[] = "X";
    char *userArguments[] = {argv[0], reverse, title, otherTitle, nullptr};
    QtArguments qtArguments(userArguments);
    QApplication app(qtArguments.count(), qtArguments.values());
    QApplication::setAttribute(Qt::AA_Use96Dpi); // as QTEST_MAIN
    tst_Windows test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windows.moc"
