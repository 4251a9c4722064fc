#include "windowtesting.h"

#include "widgets/dialogfont.h"

#include <QClipboard>
#include <QComboBox>
#include <QToolTip>

using namespace Qt::StringLiterals;
using namespace windowtesting;

namespace {

QLineEdit *subjectBox(const QWidget *window, int row) { return box(window, u"Text%1"_s.arg(row)); }
QLineEdit *gradeBox(const QWidget *window, int row) { return box(window, u"o%1"_s.arg(row)); }
QComboBox *gradeCountList(const QWidget *window) { return child<QComboBox>(window, u"Combo1"_s); }

// Records, in order, the text and enabled changes of the fifteen grade boxes.
class GradeLog : public QObject
{
public:
    explicit GradeLog(const QWidget *window)
    {
        for (int row = 1; row <= 15; ++row) {
            connect(gradeBox(window, row), &QLineEdit::textChanged, this,
                    [this, row](const QString &text) { entries << u"o%1=%2"_s.arg(row).arg(text); });
            gradeBox(window, row)->installEventFilter(this);
        }
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange)
            entries << watched->objectName() + (static_cast<QWidget *>(watched)->isEnabled() ? u" on"_s : u" off"_s);
        return false;
    }
    QStringList entries;
};

} // namespace

class tst_Calculator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { dialogfont::apply(); }
    void loadShowsTheFiles();
    void saveWritesBothFiles();
    void typedTextComesBack_data();
    void typedTextComesBack();
    void gradeCountChain_data();
    void gradeCountChain();
    void computeMean_data();
    void computeMean();
    void keyboardOrder();
    void authorBox();
};

void tst_Calculator::loadShowsTheFiles()
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
    QWidget *window = program.open(programwindows::Calculator);
    QVERIFY(window);

    QStringList items;
    for (int i = 0; i < gradeCountList(window)->count(); ++i)
        items << gradeCountList(window)->itemText(i);
    QCOMPARE(items, numbered(QString(), 15));
    QCOMPARE(gradeCountList(window)->currentText(), u"15"_s);
    QCOMPARE(panelText(window, 1), u"Брой предмети:   15"_s);
    grades[4] = u"0"_s;
    for (int row = 1; row <= 15; ++row) {
        QCOMPARE(subjectBox(window, row)->text(), subjects[row - 1]);
        QCOMPARE(gradeBox(window, row)->text(), grades[row - 1]);
        QVERIFY(gradeBox(window, row)->isEnabled());
        QCOMPARE(subjectBox(window, row)->cursorPosition(), 0); // a long text shows its beginning
        QCOMPARE(gradeBox(window, row)->cursorPosition(), 0);
        const QColor rowColor = row % 2 ? QColor(Qt::red) : QColor(Qt::blue);
        QCOMPARE(subjectBox(window, row)->palette().color(QPalette::Text), rowColor);
        QCOMPARE(gradeBox(window, row)->palette().color(QPalette::Text), rowColor);
    }
}

void tst_Calculator::saveWritesBothFiles()
{
    Program program;
    QWidget *window = program.open(programwindows::Calculator);
    subjectBox(window, 2)->clear();
    trigger(window, u"mnu03"_s);
    QStringList subjects = numbered(u"Предмет "_s, 15);
    subjects[1] = QString();

    for (const QString &save : {u"Command3"_s, u"mnuSave"_s}) {
        QFile::remove(program.folder.filePath(u"Predmeti.dat"_s));
        if (save == u"Command3")
            click(window, save);
        else
            trigger(window, save);
        QCOMPARE(program.folder.read(u"Predmeti.dat"_s), records(subjects));
        QCOMPARE(program.folder.read(u"Ocenki.dat"_s), records(QStringList(3, u"5"_s) + QStringList(12, u"0"_s)));
    }

    // A save that fails is reported; the edits stay for another try.
    program.folder.blockWithFolder(u"Ocenki.dat"_s);
    click(window, u"Command3"_s);
    QCOMPARE(program.messages.boxes.size(), 1);
    QCOMPARE(program.messages.boxes[0].title, u"Калкулатор за средно аритметичен успех"_s);
    QVERIFY(program.messages.boxes[0].text.contains(program.folder.filePath(u"Ocenki.dat"_s)));
    QCOMPARE(program.folder.read(u"Predmeti.dat"_s), records(subjects));
    QCOMPARE(gradeBox(window, 4)->text(), u"0"_s);
}

void tst_Calculator::typedTextComesBack_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("told"); // a tooltip says what was refused

    const QString full(64 * 1024, u'ж');
    QTest::newRow("quotes typed") << u"Text7"_s << u"Физика 7\", \"8\""_s << QString() << u"Физика 7“, „8“"_s << false;
    QTest::newRow("quotes pasted") << u"Text7"_s << QString() << u"Час \"ЧК\", (\"Б\")"_s
                                   << u"Час „ЧК“, („Б“)"_s << false;
    QTest::newRow("diacritics") << u"Text7"_s << u"ѝ é Йё"_s << QString() << u"и e Йё"_s << false;
    QTest::newRow("emoji") << u"Text7"_s << u"a😀b"_s << QString() << u"ab"_s << true;
    QTest::newRow("foreign and NUL") << u"Text7"_s << QString() << u"a中b"_s + QChar(0) + u"c"_s << u"abc"_s << true;
    QTest::newRow("64 KiB") << u"Text7"_s << QString() << full << full << false;
    QTest::newRow("over 64 KiB") << u"Text7"_s << QString() << full + u'ж' << u"Предмет 7"_s << true;
    QTest::newRow("grade: one character") << u"o7"_s << u"45"_s << QString() << u"4"_s << true;
    QTest::newRow("grade: emptied shows 0") << u"o7"_s << u"\b"_s << QString() << u"0"_s << false;
    QTest::newRow("grade: a digit replaces that 0") << u"o7"_s << u"\b3"_s << QString() << u"3"_s << false;
    QTest::newRow("mean is read-only") << u"Res"_s << u"9"_s << QString() << QString() << false;
}

// What a box shows after typing or pasting is what a save writes and a fresh window shows.
void tst_Calculator::typedTextComesBack()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    QFETCH(bool, told);

    Program program;
    QWidget *window = program.open(programwindows::Calculator);
    QLineEdit *edit = windowtesting::box(window, box);
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());
    edit->selectAll();
    const QStringList parts = typed.split(u'\b'); // "\b" stands for the Delete key
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
    click(window, u"Command3"_s);
    QVERIFY(program.messages.boxes.isEmpty());
    delete window;
    QWidget *fresh = program.open(programwindows::Calculator);
    QCOMPARE(windowtesting::box(fresh, box)->text(), shown);
}

void tst_Calculator::gradeCountChain_data()
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

// A new count resets the rows that fall out of use first, in ascending order, each
// running its own change handling, then enables exactly the rows in use.
void tst_Calculator::gradeCountChain()
{
    QFETCH(QString, route);
    QFETCH(int, count);

    Program program;
    QWidget *window = program.open(programwindows::Calculator);
    const bool lowerFirst = count == 15;
    if (lowerFirst)
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
    for (int row = inUse + 1; row <= 15 && !lowerFirst; ++row)
        expected << u"o%1=0"_s.arg(row);
    for (int row = lowerFirst ? 8 : inUse + 1; row <= 15; ++row)
        expected << u"o%1 %2"_s.arg(row).arg(lowerFirst ? u"on"_s : u"off"_s);
    QCOMPARE(log.entries, expected);
    if (count) {
        QCOMPARE(gradeCountList(window)->currentText(), QString::number(count));
        QCOMPARE(box(window, u"txt"_s)->text(), QString::number(count));
        QCOMPARE(panelText(window, 1), u"Брой предмети:   "_s + QString::number(count));
    }
}

void tst_Calculator::computeMean_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("grades");
    QTest::addColumn<int>("subjectRow"); // the one row with a subject; 0: all rows
    QTest::addColumn<QString>("mean");   // empty: the earlier result stays
    QTest::addColumn<QString>("message");

    const QStringList fives(15, u"5"_s);
    QTest::newRow("two of fifteen") << 2 << QStringList{u"5"_s, u"6"_s} << 0 << u"5.5"_s << QString();
    QTest::newRow("16 / 3") << 3 << QStringList{u"5"_s, u"5"_s, u"6"_s} << 0 << u"5.33333333333333"_s << QString();
    QTest::newRow("a dropped row counts as 0") << 14 << fives << 0 << u"5"_s << QString();
    QTest::newRow("grade 3 not a number") << 4 << QStringList{u"6"_s, u"6"_s, u"a"_s, u"x"_s} << 0 << QString()
                                          << u"Оценката на ред 3 не е число!"_s;
    QTest::newRow("no subject") << 15 << fives << -1 << QString() << u"Моля въведете всички предмети!"_s;
    // Only some rows' subjects are looked at.
    for (int row = 1; row <= 15; ++row) {
        const bool looked = row != 7 && row != 10 && row != 13 && row != 15;
        QTest::addRow("only subject %d", row) << 15 << fives << row << (looked ? u"5"_s : QString())
                                              << (looked ? QString() : u"Моля въведете всички предмети!"_s);
    }
}

void tst_Calculator::computeMean()
{
    QFETCH(int, count);
    QFETCH(QStringList, grades);
    QFETCH(int, subjectRow);
    QFETCH(QString, mean);
    QFETCH(QString, message);

    Program program;
    QWidget *window = program.open(programwindows::Calculator);
    gradeCountList(window)->setCurrentIndex(count - 1);
    for (int row = 1; row <= grades.size() && row <= count; ++row)
        gradeBox(window, row)->setText(grades[row - 1]);
    for (int row = 1; row <= 15 && subjectRow; ++row)
        subjectBox(window, row)->setText(row == subjectRow ? u"Химия"_s : QString());
    box(window, u"Res"_s)->setText(u"earlier"_s);
    click(window, u"Command2"_s);

    const QString shown = mean.isEmpty() ? u"earlier"_s : mean;
    QCOMPARE(box(window, u"Res"_s)->text(), shown);
    QCOMPARE(panelText(window, 2), u"Оценка:   "_s + shown);
    QCOMPARE(program.messages.boxes.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(program.messages.boxes[0].title, u"Error"_s);
        QCOMPARE(program.messages.boxes[0].text, message);
    }
}

void tst_Calculator::keyboardOrder()
{
    Program program;
    QWidget *window = program.open(programwindows::Calculator);
    trigger(window, u"mnu14"_s); // a disabled grade box is skipped
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(QApplication::focusWidget(), subjectBox(window, 1));

    const QStringList expected = numbered(u"Text"_s, 14).mid(1) + numbered(u"o"_s, 14)
            + QStringList{u"Command1"_s, u"Text15"_s, u"Combo1"_s, u"Command3"_s, u"Res"_s,
                          u"Command2"_s, u"Command4"_s, u"Text1"_s};
    QStringList visited;
    while (visited.size() < expected.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
}

void tst_Calculator::authorBox()
{
    Program program;
    QWidget *window = program.open(programwindows::Calculator);
    click(window, u"Command4"_s);
    trigger(window, u"mnuAbout"_s);
    QCOMPARE(program.messages.boxes.size(), 2);
    for (const Messages::Box &box : program.messages.boxes) {
        QCOMPARE(box.title, u"Калкулатор за средно аритметичен успех"_s);
        QCOMPARE(box.text, u"Автори: екипът на Tumbora"_s);
        QVERIFY(box.plain);
    }
    QCOMPARE(panel(window, 4)->text(), u"© Tumbora"_s);
    QCOMPARE(panel(window, 4)->toolTip(), u"Автори: екипът на Tumbora"_s);
}

QTEST_MAIN(tst_Calculator)
#include "tst_calculator.moc"
