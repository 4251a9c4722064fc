#include "windowtesting.h"

#include "app/programwindows.h"
#include "app/windowtable.h"
#include "storage/fileerror.h"
#include "timetable/timetablewindow.h"
#include "widgets/dialogfont.h"
#include "widgets/tabcontrol.h"

#include <QAction>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;
using namespace windowtesting;

namespace {

const QStringList dayFiles = {u"Ponedelnic.dat"_s, u"Vtornic.dat"_s, u"Srqda.dat"_s,
                              u"Chetvurtuk.dat"_s, u"Petuk.dat"_s};
const QStringList dayNames = {u"Понеделник"_s, u"Вторник"_s, u"Сряда"_s, u"Четвъртък"_s, u"Петък"_s};
const QStringList dayMenus = {u"mnuPon"_s, u"mnuVto"_s, u"mnuSrq"_s, u"mnuChe"_s, u"mnuPet"_s};

QStringList lessons(int day)
{
    QStringList texts;
    for (int lesson = 1; lesson <= 8; ++lesson)
        texts << u"%1 час %2"_s.arg(dayNames[day]).arg(lesson);
    return texts;
}

QLineEdit *slot(const QWidget *window, int number) { return child<QLineEdit>(window, u"Text%1"_s.arg(number)); }
void trigger(const QWidget *window, const QString &entry) { child<QAction>(window, entry)->trigger(); }
void save(const QWidget *window) { child<QPushButton>(window, u"Command2"_s)->click(); }

} // namespace

class tst_Timetable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void loadOpensTheCalculatorFirst();
    void loadFillsTheFortySlots();
    void loadReadsEveryFieldForm_data();
    void loadReadsEveryFieldForm();
    void calculatorFailureStopsTheLoad();
    void missingDayFileFailsTheLoad();

    void saveWritesOnlyTheSelectedDay_data();
    void saveWritesOnlyTheSelectedDay();
    void unsavedEditOfAnotherDayStaysUnsaved();
    void failedSaveKeepsTheFileAndTheEdits();

    void daySelection_data();
    void daySelection();
    void designPlaces_data();
    void designPlaces();
    void noCaptionIsClipped();
    void keyboardOrder();

    void exitLeavesTheCalculatorRunning();
    void calculatorReopensAfresh();
    void minimiseAffectsThisWindowOnly();
    void missingDayFileLeavesTheCalculatorOpen();

private:
    std::unique_ptr<TimetableWindow> loadedWindow();

    std::optional<DataFolder> m_folder;
    std::optional<Messages> m_messages;
};

void tst_Timetable::initTestCase()
{
    dialogfont::apply();
}

void tst_Timetable::init()
{
    m_messages.emplace();
    m_folder.emplace();
    for (int day = 0; day < 5; ++day)
        m_folder->write(dayFiles[day], records(lessons(day)));
    m_folder->write(u"Predmeti.dat"_s, records(QStringList(15, u"Предмет"_s)));
    m_folder->write(u"Ocenki.dat"_s, records(QStringList(15, u"5"_s)));
}

void tst_Timetable::cleanup()
{
    // Windows opened through a table delete themselves only when closed.
    QList<QPointer<QWidget>> windows;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->parentWidget())
            windows << window;
    }
    qDeleteAll(windows);
    m_folder.reset();
    m_messages.reset();
}

std::unique_ptr<TimetableWindow> tst_Timetable::loadedWindow()
{
    auto window = std::make_unique<TimetableWindow>(m_folder->path(), [] {});
    window->load();
    return window;
}

void tst_Timetable::loadOpensTheCalculatorFirst()
{
    WindowTable table;
    programwindows::addTo(table, m_folder->path());
    QVERIFY(table.open(programwindows::Timetable));
    QVERIFY(table.window(programwindows::Calculator)->isVisible());

    QWidget *window = table.window(programwindows::Timetable);
    QCOMPARE(child<TabControl>(window, u"SSTab1"_s)->tab(), 0);
    QCOMPARE(panelText(window, 1), u"Ден от седмицата   Понеделник"_s);
}

void tst_Timetable::loadFillsTheFortySlots()
{
    auto window = loadedWindow();
    for (int day = 0; day < 5; ++day) {
        for (int lesson = 1; lesson <= 8; ++lesson) {
            QCOMPARE(slot(window.get(), day * 8 + lesson)->text(), lessons(day)[lesson - 1]);
            QCOMPARE(slot(window.get(), day * 8 + lesson)->cursorPosition(), 0); // shows its beginning
        }
    }
    QCOMPARE(slot(window.get(), 17)->text(), u"Сряда час 1"_s);
    QCOMPARE(slot(window.get(), 40)->text(), u"Петък час 8"_s);
}

void tst_Timetable::loadReadsEveryFieldForm_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");

    const QStringList spaced = {u"  a, b  "_s, u","_s, QString(), u"Химия"_s, u"x"_s, u"y"_s, u"z"_s, u"w"_s};
    QTest::newRow("empty fields") << records(QStringList(8)) << QStringList(8);
    QTest::newRow("one line with commas")
            << QByteArray("\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\",\"8\"\r\n")
            << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s};
    QTest::newRow("commas and blanks kept") << records(spaced) << spaced;
    QTest::newRow("extra lines ignored") << records(lessons(1) + QStringList{u"ninth"_s}) << lessons(1);
}

void tst_Timetable::loadReadsEveryFieldForm()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);

    m_folder->write(u"Srqda.dat"_s, bytes);
    auto window = loadedWindow();
    for (int lesson = 1; lesson <= 8; ++lesson)
        QCOMPARE(slot(window.get(), 16 + lesson)->text(), expected[lesson - 1]);

    // What was read is written back unchanged, one line a lesson.
    trigger(window.get(), u"mnuSrq"_s);
    save(window.get());
    QCOMPARE(m_folder->read(u"Srqda.dat"_s), records(expected));
}

void tst_Timetable::calculatorFailureStopsTheLoad()
{
    QVERIFY(QFile::remove(m_folder->filePath(u"Predmeti.dat"_s)));
    WindowTable table;
    programwindows::addTo(table, m_folder->path());
    QVERIFY(!table.open(programwindows::Timetable));
    QVERIFY(!table.window(programwindows::Timetable));
    QCOMPARE(m_messages->boxes.size(), 1); // the calculator's failure, once
}

void tst_Timetable::missingDayFileFailsTheLoad()
{
    QVERIFY(QFile::remove(m_folder->filePath(u"Chetvurtuk.dat"_s)));
    try {
        loadedWindow();
        QFAIL("the load went through without Thursday's file");
    } catch (const storage::FileError &error) {
        QCOMPARE(error.number(), storage::FileError::FileNotFound);
        QVERIFY(error.path().endsWith(u"Chetvurtuk.dat"_s));
    }
}

void tst_Timetable::saveWritesOnlyTheSelectedDay_data()
{
    QTest::addColumn<int>("day");
    for (int day = 0; day < 5; ++day)
        QTest::newRow(qPrintable(dayFiles[day])) << day;
}

void tst_Timetable::saveWritesOnlyTheSelectedDay()
{
    QFETCH(int, day);

    // One-line files elsewhere show that the other days are not rewritten.
    for (int other = 0; other < 5; ++other)
        m_folder->write(dayFiles[other], "\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"g\",\"h\"");
    auto window = loadedWindow();
    for (int number = 1; number <= 40; ++number)
        slot(window.get(), number)->setText(u"Урок %1"_s.arg(number));
    slot(window.get(), day * 8 + 3)->clear();
    // Typed, a quote becomes typographic and a letter the code page lacks its plain letter.
    slot(window.get(), day * 8 + 4)->selectAll();
    typeText(slot(window.get(), day * 8 + 4), u"Час \"ЧК\", ѝ"_s);

    trigger(window.get(), dayMenus[day]);
    save(window.get());
    const QByteArray saved = m_folder->read(dayFiles[day]);
    save(window.get());
    QCOMPARE(m_folder->read(dayFiles[day]), saved);

    QStringList expected;
    for (int lesson = 1; lesson <= 8; ++lesson)
        expected << (lesson == 3 ? QString() : u"Урок %1"_s.arg(day * 8 + lesson));
    expected[3] = u"Час „ЧК“, и"_s;
    QCOMPARE(saved, records(expected));
    for (int other = 0; other < 5; ++other) {
        if (other != day)
            QCOMPARE(m_folder->read(dayFiles[other]), QByteArray("\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"g\",\"h\""));
    }
    QVERIFY(m_messages->boxes.isEmpty());
}

void tst_Timetable::unsavedEditOfAnotherDayStaysUnsaved()
{
    const QByteArray monday = m_folder->read(dayFiles[0]);
    auto window = loadedWindow();
    slot(window.get(), 1)->setText(u"Промяна"_s);
    trigger(window.get(), u"mnuVto"_s);
    save(window.get());
    QCOMPARE(m_folder->read(dayFiles[0]), monday);
    QCOMPARE(m_folder->read(dayFiles[1]), records(lessons(1)));
}

void tst_Timetable::failedSaveKeepsTheFileAndTheEdits()
{
    auto window = loadedWindow();
    slot(window.get(), 1)->setText(u"Промяна"_s);
    QVERIFY(QFile::remove(m_folder->filePath(dayFiles[0])));
    QVERIFY(QDir(m_folder->path()).mkdir(dayFiles[0]));
    save(window.get());

    QCOMPARE(m_messages->boxes.size(), 1);
    QVERIFY(m_messages->boxes[0].text.contains(dayFiles[0]));
    QVERIFY(QFileInfo(m_folder->filePath(dayFiles[0])).isDir());
    QCOMPARE(slot(window.get(), 1)->text(), u"Промяна"_s);
}

void tst_Timetable::daySelection_data()
{
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("route");
    for (int day = 0; day < 5; ++day) {
        for (const QString &route : {u"menu"_s, u"key"_s, u"tab"_s})
            QTest::addRow("%s by %s", qPrintable(dayFiles[day]), qPrintable(route)) << day << route;
    }
}

void tst_Timetable::daySelection()
{
    QFETCH(int, day);
    QFETCH(QString, route);

    auto window = loadedWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    auto *tabs = child<TabControl>(window.get(), u"SSTab1"_s);
    if (day == 0) // start elsewhere, so Monday is a real change
        tabs->setTab(4);

    if (route == u"menu")
        trigger(window.get(), dayMenus[day]);
    else if (route == u"key")
        QTest::keyClick(window.get(), Qt::Key(Qt::Key_F1 + day));
    else
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(day).center());

    QCOMPARE(tabs->tab(), day);
    QCOMPARE(panelText(window.get(), 1), u"Ден от седмицата   "_s + dayNames[day]);
    // Only the front page's lessons are shown.
    for (int number = 1; number <= 40; ++number)
        QCOMPARE(slot(window.get(), number)->isVisible(), (number - 1) / 8 == day);
}

void tst_Timetable::designPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");

    QTest::newRow("StatusBar1") << u"StatusBar1"_s << QRect(0, 5145, 6420, 255);
    QTest::newRow("Command2") << u"Command2"_s << QRect(120, 4560, 2895, 375);
    QTest::newRow("Command1") << u"Command1"_s << QRect(3360, 4560, 2655, 375);
    QTest::newRow("SSTab1") << u"SSTab1"_s << QRect(120, 120, 6075, 4335);
    for (const char *frame : {"Frame1", "Frame2", "Frame3", "Frame4", "Frame5"})
        QTest::newRow(frame) << QString::fromLatin1(frame) << QRect(120, 720, 5655, 3375);
    // Thursday's labels are 33 .. 40; Friday's run from 48 down to 41.
    QTest::newRow("Label1") << u"Label1"_s << QRect(2400, 360, 255, 255);
    QTest::newRow("Label33") << u"Label33"_s << QRect(2400, 360, 255, 255);
    QTest::newRow("Label40") << u"Label40"_s << QRect(2400, 2880, 255, 255);
    QTest::newRow("Label48") << u"Label48"_s << QRect(2400, 360, 255, 255);
    QTest::newRow("Label41") << u"Label41"_s << QRect(2400, 2880, 255, 255);
    QTest::newRow("Text25") << u"Text25"_s << QRect(2760, 360, 2775, 285);
    QTest::newRow("Text40") << u"Text40"_s << QRect(2760, 2880, 2775, 285);
}

void tst_Timetable::designPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);

    TimetableWindow window(m_folder->path(), [] { return true; });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.centralWidget()->size(), QSize(428, 360));
    QCOMPARE(window.centralWidget()->mapToGlobal(QPoint()), QPoint(522, 191)); // 7830, 2865
    QCOMPARE(window.minimumSize(), window.maximumSize());
    const auto *control = child(&window, name);
    QCOMPARE(control->geometry(), twipsToPixels(twips));
}

void tst_Timetable::noCaptionIsClipped()
{
    TimetableWindow window(m_folder->path(), [] { return true; });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (const QLabel *label : window.findChildren<QLabel *>()) {
        QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->objectName()));
        QVERIFY2(label->sizeHint().height() <= label->height(), qPrintable(label->objectName()));
    }
    for (const QPushButton *button : window.findChildren<QPushButton *>())
        QVERIFY(button->fontMetrics().horizontalAdvance(button->text()) + 8 <= button->width());
    auto *tabs = child<TabControl>(&window, u"SSTab1"_s);
    for (int day = 0; day < 5; ++day)
        QVERIFY(tabs->fontMetrics().horizontalAdvance(tabs->caption(day)) + 8 <= tabs->tabRect(day).width());
}

void tst_Timetable::keyboardOrder()
{
    auto window = loadedWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QCOMPARE(QApplication::focusWidget()->objectName(), u"SSTab1"_s);

    QStringList visited;
    for (int press = 0; press < 6; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, QStringList({u"Command1"_s, u"Command2"_s, u"SSTab1"_s, u"Command1"_s,
                                   u"Command2"_s, u"SSTab1"_s}));

    // Return presses the focused button, as Space does.
    auto *save = child<QPushButton>(window.get(), u"Command2"_s);
    QSignalSpy saves(save, &QPushButton::clicked);
    save->setFocus();
    QTest::keyClick(save, Qt::Key_Return);
    QCOMPARE(saves.size(), 1);

    // A lesson slot is reached by clicking it.
    QTest::mouseClick(slot(window.get(), 2), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), slot(window.get(), 2));
}

void tst_Timetable::exitLeavesTheCalculatorRunning()
{
    WindowTable table;
    programwindows::addTo(table, m_folder->path());
    QVERIFY(table.open(programwindows::Timetable));
    QVERIFY(table.window(programwindows::Calculator));
    QVERIFY(table.window(programwindows::Calculator)->isVisible());

    child<QPushButton>(table.window(programwindows::Timetable), u"Command1"_s)->click();
    QTRY_VERIFY(!table.window(programwindows::Timetable));
    QVERIFY(table.window(programwindows::Calculator)->isVisible());
}

void tst_Timetable::calculatorReopensAfresh()
{
    WindowTable table;
    programwindows::addTo(table, m_folder->path());
    QVERIFY(table.open(programwindows::Timetable));
    QWidget *timetable = table.window(programwindows::Timetable);

    // Both calculator entries, while it is open: still the one window, texts kept.
    QWidget *calculator = table.window(programwindows::Calculator);
    child<QLineEdit>(calculator, u"Text1"_s)->setText(u"Непазено"_s);
    trigger(timetable, u"mnuShowC"_s);
    trigger(timetable, u"mnuCalc"_s);
    QCOMPARE(table.window(programwindows::Calculator), calculator);
    QCOMPARE(child<QLineEdit>(calculator, u"Text1"_s)->text(), u"Непазено"_s);

    calculator->close();
    QTRY_VERIFY(!table.window(programwindows::Calculator));
    trigger(timetable, u"mnuShowC"_s);
    QVERIFY(table.window(programwindows::Calculator));
    QCOMPARE(child<QLineEdit>(table.window(programwindows::Calculator), u"Text1"_s)->text(), u"Предмет"_s);

    // A calculator that cannot load does not appear; the timetable keeps its edits.
    table.window(programwindows::Calculator)->close();
    QTRY_VERIFY(!table.window(programwindows::Calculator));
    QFile::remove(m_folder->filePath(u"Ocenki.dat"_s));
    slot(timetable, 9)->setText(u"Непазен час"_s);
    trigger(timetable, u"mnuCalc"_s);
    QVERIFY(!table.window(programwindows::Calculator));
    QCOMPARE(m_messages->boxes.size(), 1);
    QVERIFY(m_messages->boxes[0].text.contains(u"Ocenki.dat"_s));
    QVERIFY(table.window(programwindows::Timetable));
    QCOMPARE(slot(timetable, 9)->text(), u"Непазен час"_s);
}

void tst_Timetable::minimiseAffectsThisWindowOnly()
{
    WindowTable table;
    programwindows::addTo(table, m_folder->path());
    QVERIFY(table.open(programwindows::Timetable));
    trigger(table.window(programwindows::Timetable), u"mnuMinimize"_s);
    QVERIFY(table.window(programwindows::Timetable)->isMinimized());
    QVERIFY(!table.window(programwindows::Calculator)->isMinimized());
}

void tst_Timetable::missingDayFileLeavesTheCalculatorOpen()
{
    QVERIFY(QFile::remove(m_folder->filePath(u"Petuk.dat"_s)));
    WindowTable table;
    programwindows::addTo(table, m_folder->path());
    QVERIFY(!table.open(programwindows::Timetable));
    QVERIFY(!table.window(programwindows::Timetable));
    QVERIFY(table.window(programwindows::Calculator));
    QCOMPARE(m_messages->boxes.size(), 1);
    QVERIFY(m_messages->boxes[0].text.contains(u"Petuk.dat"_s));
}

QTEST_MAIN(tst_Timetable)
#include "tst_timetable.moc"
