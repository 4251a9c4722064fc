#include "windowtesting.h"

#include "app/programwindows.h"
#include "app/windowtable.h"
#include "calculator/calcwindow.h"
#include "widgets/dialogfont.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QToolTip>
#include <QWheelEvent>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;
using namespace windowtesting;

namespace {

QStringList numbered(const QString &prefix)
{
    QStringList texts;
    for (int row = 1; row <= 15; ++row)
        texts << prefix + QString::number(row);
    return texts;
}

QLineEdit *subject(const QWidget *window, int row) { return child<QLineEdit>(window, u"Text%1"_s.arg(row)); }
QLineEdit *grade(const QWidget *window, int row) { return child<QLineEdit>(window, u"o%1"_s.arg(row)); }
QLineEdit *result(const QWidget *window) { return child<QLineEdit>(window, u"Res"_s); }
QComboBox *countList(const QWidget *window) { return child<QComboBox>(window, u"Combo1"_s); }
void trigger(const QWidget *window, const QString &entry) { child<QAction>(window, entry)->trigger(); }
void compute(const QWidget *window) { child<QPushButton>(window, u"Command2"_s)->click(); }

// Records, in order, the text changes and enabled changes of the fifteen grade boxes.
class ChainLog : public QObject
{
public:
    explicit ChainLog(const QWidget *window)
    {
        for (int row = 1; row <= 15; ++row) {
            connect(grade(window, row), &QLineEdit::textChanged, this,
                    [this, row](const QString &text) { entries << u"o%1=%2"_s.arg(row).arg(text); });
            grade(window, row)->installEventFilter(this);
        }
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange) {
            auto *box = static_cast<QWidget *>(watched);
            entries << box->objectName() + (box->isEnabled() ? u" enabled"_s : u" disabled"_s);
        }
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
    void init();
    void cleanup();

    void designStateBeforeLoad();
    void loadShowsTheFilesTexts();
    void saveWritesBothFilesByteForByte();
    void failedSaveKeepsTheFileAndTheEdits();
    void typedTextComesBack_data();
    void typedTextComesBack();
    void brokenFileAtStartUpIsReported_data();
    void brokenFileAtStartUpIsReported();

    void controlsStandAtTheirDesignPlaces_data();
    void controlsStandAtTheirDesignPlaces();
    void noCaptionIsClipped();
    void keyboardOrder();
    void returnPressesTheFocusedButton_data();
    void returnPressesTheFocusedButton();
    void wheelTurnsOnlyTheFocusedList();
    void gradeBoxLimitsTypingOnly();

    void gradeCountChainOrder();
    void gradeCount_data();
    void gradeCount();
    void unknownCountTextChangesNothing();
    void emptiedGradeBoxShowsZero();

    void mean_data();
    void mean();
    void subjectCheck_data();
    void subjectCheck();
    void nonNumericGradeIsNamed();

private:
    std::unique_ptr<CalcWindow> loadedWindow();

    std::optional<DataFolder> m_folder;
    std::optional<Messages> m_messages;
};

void tst_Calculator::init()
{
    QLocale::setDefault(QLocale::c());
    m_messages.emplace();
    m_folder.emplace();
    m_folder->write(u"Predmeti.dat"_s, records(numbered(u"Предмет "_s)));
    m_folder->write(u"Ocenki.dat"_s, records(QStringList(15, u"5"_s)));
}

void tst_Calculator::cleanup()
{
    m_folder.reset();
    m_messages.reset();
}

std::unique_ptr<CalcWindow> tst_Calculator::loadedWindow()
{
    auto window = std::make_unique<CalcWindow>(m_folder->path());
    window->load();
    return window;
}

void tst_Calculator::designStateBeforeLoad()
{
    CalcWindow window(m_folder->path());
    for (int row = 1; row <= 15; ++row) {
        QCOMPARE(subject(&window, row)->text(), u"Въведете предмет"_s);
        QCOMPARE(grade(&window, row)->text(), QString());
        QVERIFY(grade(&window, row)->isEnabled());
        const QColor rowColour = row % 2 ? QColor(255, 0, 0) : QColor(0, 0, 255);
        QCOMPARE(subject(&window, row)->palette().color(QPalette::Text), rowColour);
        QCOMPARE(grade(&window, row)->palette().color(QPalette::Text), rowColour);
    }
    QCOMPARE(countList(&window)->count(), 0);
    // The list's field is flat light yellow, not shaded as a button.
    const QImage list = countList(&window)->grab().toImage();
    for (int y : {list.height() / 4, list.height() * 3 / 4})
        QCOMPARE(list.pixelColor(list.width() / 4, y), QColor(255, 255, 192));
    QCOMPARE(result(&window)->text(), QString());
    QCOMPARE(panelText(&window, 1), QString());
    QCOMPARE(panelText(&window, 2), QString());
}

void tst_Calculator::loadShowsTheFilesTexts()
{
    QStringList subjects = numbered(u"Литература "_s);
    subjects[2] = QString(); // an empty subject stays empty
    subjects[3] = u"  a, b  "_s;
    subjects[4] = u"Час \"ЧК\""_s; // a bare quote, unquoted in the file, shown as read
    QStringList grades(15, u"6"_s);
    grades[4] = QString(); // an empty grade shows "0"
    grades[5] = u"10"_s;   // longer than typing allows, yet kept
    m_folder->write(u"Predmeti.dat"_s, records(subjects.mid(0, 4)) + storage::cp1251::encode(subjects[4])
                                               + "\r\n" + records(subjects.mid(5)));
    m_folder->write(u"Ocenki.dat"_s, records(grades));

    auto window = loadedWindow();
    QStringList items;
    for (int i = 0; i < countList(window.get())->count(); ++i)
        items << countList(window.get())->itemText(i);
    QCOMPARE(items, numbered(QString()));
    QCOMPARE(countList(window.get())->currentText(), u"15"_s);
    QCOMPARE(panelText(window.get(), 1), u"Брой предмети:   15"_s);

    grades[4] = u"0"_s;
    for (int row = 1; row <= 15; ++row) {
        QCOMPARE(subject(window.get(), row)->text(), subjects[row - 1]);
        QCOMPARE(grade(window.get(), row)->text(), grades[row - 1]);
        QVERIFY(grade(window.get(), row)->isEnabled());
        // A text longer than its box shows its beginning.
        QCOMPARE(subject(window.get(), row)->cursorPosition(), 0);
        QCOMPARE(grade(window.get(), row)->cursorPosition(), 0);
    }
}

void tst_Calculator::saveWritesBothFilesByteForByte()
{
    auto window = loadedWindow();
    subject(window.get(), 1)->setText(u"Математика"_s);
    subject(window.get(), 2)->setText(QString());
    trigger(window.get(), u"mnu03"_s);

    child<QToolButton>(window.get(), u"Command3"_s)->click();
    const QByteArray subjects = m_folder->read(u"Predmeti.dat"_s);
    const QByteArray grades = m_folder->read(u"Ocenki.dat"_s);
    QVERIFY(m_messages->boxes.isEmpty());
    QVERIFY(subjects.startsWith("\"\xcc\xe0\xf2\xe5\xec\xe0\xf2\xe8\xea\xe0\"\r\n\"\"\r\n\"\xcf"));
    QCOMPARE(subjects.count("\r\n"), 15);
    QCOMPARE(grades, QByteArray("\"5\"\r\n").repeated(3) + QByteArray("\"0\"\r\n").repeated(12));

    // The menu entry writes the same bytes as the button.
    QFile::remove(m_folder->filePath(u"Predmeti.dat"_s));
    QFile::remove(m_folder->filePath(u"Ocenki.dat"_s));
    trigger(window.get(), u"mnuSave"_s);
    QCOMPARE(m_folder->read(u"Predmeti.dat"_s), subjects);
    QCOMPARE(m_folder->read(u"Ocenki.dat"_s), grades);
}

void tst_Calculator::failedSaveKeepsTheFileAndTheEdits()
{
    auto window = loadedWindow();
    subject(window.get(), 1)->setText(u"Химия"_s);
    grade(window.get(), 1)->setText(u"4"_s);
    m_folder->blockWithFolder(u"Ocenki.dat"_s);
    const QByteArray subjects = m_folder->read(u"Predmeti.dat"_s);
    child<QToolButton>(window.get(), u"Command3"_s)->click();

    QCOMPARE(m_messages->boxes.size(), 1);
    QVERIFY(m_messages->boxes[0].text.contains(m_folder->filePath(u"Ocenki.dat"_s)));
    QVERIFY(QFileInfo(m_folder->filePath(u"Ocenki.dat"_s)).isDir());
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), QStringList{u"Predmeti.dat"_s});
    // Both files or neither.
    QCOMPARE(m_folder->read(u"Predmeti.dat"_s), subjects);
    QCOMPARE(subject(window.get(), 1)->text(), u"Химия"_s);
    QCOMPARE(grade(window.get(), 1)->text(), u"4"_s);
}

void tst_Calculator::typedTextComesBack_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("told"); // a tooltip says what was refused

    const QString full(64 * 1024, u'ж');
    QTest::newRow("quote and comma") << u"Text7"_s << u"Физика 7\", 8\" клас"_s << QString()
                                     << u"Физика 7“, 8“ клас"_s << false;
    QTest::newRow("quotation") << u"Text7"_s << u"Час на класа \"ЧК\""_s << QString()
                               << u"Час на класа „ЧК“"_s << false;
    QTest::newRow("pasted quotations") << u"Text7"_s << QString() << u"Час \"ЧК\", (\"Б\")"_s
                                       << u"Час „ЧК“, („Б“)"_s << false;
    QTest::newRow("letters with diacritics") << u"Text7"_s << u"ѝ Ѝ é"_s << QString() << u"и И e"_s << false;
    QTest::newRow("diacritics apart, pasted") << u"Text7"_s << QString() << u"и\u0300 И\u0306"_s
                                              << u"и Й"_s << false;
    QTest::newRow("Й and ё stay") << u"Text7"_s << u"Йё"_s << QString() << u"Йё"_s << false;
    QTest::newRow("emoji typed") << u"Text7"_s << u"a😀b"_s << QString() << u"ab"_s << true;
    QTest::newRow("foreign and NUL pasted") << u"Text7"_s << QString() << u"a中b"_s + QChar(0) + u"c"_s
                                            << u"abc"_s << true;
    QTest::newRow("64 KiB") << u"Text7"_s << QString() << full << full << false;
    QTest::newRow("over 64 KiB") << u"Text7"_s << QString() << full + u'ж' << u"Предмет 7"_s << true;
    QTest::newRow("grade: quote") << u"o7"_s << u"\""_s << QString() << u"„"_s << false;
    QTest::newRow("grade: diacritic") << u"o7"_s << u"ѝ"_s << QString() << u"и"_s << false;
    QTest::newRow("grade: one character") << u"o7"_s << u"45"_s << QString() << u"4"_s << true;
}

// What a box shows after typing or pasting is what a save writes and a fresh window shows,
// every other row in its place.
void tst_Calculator::typedTextComesBack()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    QFETCH(bool, told);

    auto window = loadedWindow();
    auto *edit = child<QLineEdit>(window.get(), box);
    QToolTip::hideText(); // the last row's tooltip fades out on a real desktop
    QTRY_VERIFY(!QToolTip::isVisible());
    edit->selectAll();
    typeText(edit, typed);
    if (!pasted.isEmpty()) {
        QGuiApplication::clipboard()->setText(pasted);
        edit->paste();
    }
    QCOMPARE(edit->text(), shown);
    QCOMPARE(QToolTip::isVisible(), told);

    child<QToolButton>(window.get(), u"Command3"_s)->click();
    QVERIFY(m_messages->boxes.isEmpty());
    auto fresh = loadedWindow();
    for (int row = 1; row <= 15; ++row) {
        QCOMPARE(subject(fresh.get(), row)->text(), subject(window.get(), row)->text());
        QCOMPARE(grade(fresh.get(), row)->text(), grade(window.get(), row)->text());
    }
}

void tst_Calculator::brokenFileAtStartUpIsReported_data()
{
    QTest::addColumn<QString>("broken");
    QTest::addColumn<QByteArray>("bytes"); // empty: the file is missing

    QTest::newRow("grades missing") << u"Ocenki.dat"_s << QByteArray();
    QTest::newRow("subjects missing") << u"Predmeti.dat"_s << QByteArray();
    QTest::newRow("grades short") << u"Ocenki.dat"_s << records(QStringList(14, u"5"_s));
}

void tst_Calculator::brokenFileAtStartUpIsReported()
{
    QFETCH(QString, broken);
    QFETCH(QByteArray, bytes);

    QFile::remove(m_folder->filePath(broken));
    if (!bytes.isEmpty())
        m_folder->write(broken, bytes);
    const QByteArray subjects = m_folder->read(u"Predmeti.dat"_s);
    const QByteArray grades = m_folder->read(u"Ocenki.dat"_s);

    WindowTable windows;
    programwindows::addTo(windows, m_folder->path());
    QVERIFY(!windows.open(programwindows::Calculator));
    QVERIFY(!windows.window(programwindows::Calculator));
    QCOMPARE(m_messages->boxes.size(), 1);
    QVERIFY(m_messages->boxes[0].text.contains(m_folder->filePath(broken)));
    QCOMPARE(m_folder->read(u"Predmeti.dat"_s), subjects);
    QCOMPARE(m_folder->read(u"Ocenki.dat"_s), grades);
}

void tst_Calculator::controlsStandAtTheirDesignPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");

    QTest::newRow("Label6") << u"Label6"_s << QRect(120, 480, 255, 255);
    QTest::newRow("Text1") << u"Text1"_s << QRect(360, 480, 2535, 285);
    QTest::newRow("o15") << u"o15"_s << QRect(3120, 5520, 495, 285);
    QTest::newRow("StatusBar1") << u"StatusBar1"_s << QRect(0, 5955, 7245, 255);
    QTest::newRow("Command4") << u"Command4"_s << QRect(4320, 4800, 2775, 375);
    QTest::newRow("Frame1") << u"Frame1"_s << QRect(4320, 480, 2775, 4215);
    QTest::newRow("Command1") << u"Command1"_s << QRect(5640, 5520, 1455, 375);
    QTest::newRow("Label2") << u"Label2"_s << QRect(3000, 240, 1215, 255);
    QTest::newRow("Combo1") << u"Combo1"_s << QRect(1920, 240, 735, 315);
    QTest::newRow("Res") << u"Res"_s << QRect(720, 1680, 1935, 285);
    QTest::newRow("Command3") << u"Command3"_s << QRect(720, 2040, 1935, 855);
    QTest::newRow("Label5") << u"Label5"_s << QRect(240, 3120, 2415, 855);
}

void tst_Calculator::controlsStandAtTheirDesignPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);

    CalcWindow window(m_folder->path());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QWidget *client = window.centralWidget();
    QCOMPARE(client->size(), QSize(483, 414));
    QCOMPARE(client->mapToGlobal(QPoint()), QPoint(31, 191)); // 465, 2865: the client area, not the frame
    QCOMPARE(window.minimumSize(), window.maximumSize()); // cannot be resized

    const auto *control = child(&window, name);
    QCOMPARE(control->geometry(), twipsToPixels(twips));
    QVERIFY(client->rect().contains(QRect(control->mapTo(client, QPoint()), control->size())));
}

void tst_Calculator::noCaptionIsClipped()
{
    if (runsUnderWine())
        QSKIP("Wine's Tahoma is a look-alike with glyph widths of its own, so what fits with it "
              "says nothing about Windows' Tahoma");
    CalcWindow window(m_folder->path());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    for (const QLabel *label : window.findChildren<QLabel *>()) {
        const QSize needed = label->wordWrap()
                ? QSize(label->width(), label->heightForWidth(label->width()))
                : label->sizeHint();
        QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height(),
                 qPrintable(label->objectName() + u": "_s + label->text()));
    }
    for (const QAbstractButton *button : window.findChildren<QAbstractButton *>())
        QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) + 8 <= button->width(),
                 qPrintable(button->text()));
    const auto *frame = child<QGroupBox>(&window, u"Frame1"_s);
    QVERIFY(frame->fontMetrics().horizontalAdvance(frame->title()) + 16 <= frame->width());
}

void tst_Calculator::keyboardOrder()
{
    auto window = loadedWindow();
    trigger(window.get(), u"mnu14"_s); // a disabled grade box is skipped
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QCOMPARE(QApplication::focusWidget(), subject(window.get(), 1));

    QStringList expected = numbered(u"Text"_s).mid(1, 13) + numbered(u"o"_s).mid(0, 14);
    expected << u"Command1"_s << u"Text15"_s << u"Combo1"_s << u"Command3"_s << u"Res"_s
             << u"Command2"_s << u"Command4"_s << u"Text1"_s;
    QStringList visited;
    while (visited.size() < expected.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
}

void tst_Calculator::returnPressesTheFocusedButton_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Изчисли, Return") << u"Command2"_s << Qt::Key_Return;
    QTest::newRow("Запиши!, Enter") << u"Command3"_s << Qt::Key_Enter;
}

void tst_Calculator::returnPressesTheFocusedButton()
{
    QFETCH(QString, name);
    QFETCH(Qt::Key, key);

    auto window = loadedWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    auto *button = child<QAbstractButton>(window.get(), name);
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    button->setFocus();
    QTest::keyClick(button, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(clicks.size(), 1);
}

void tst_Calculator::wheelTurnsOnlyTheFocusedList()
{
    auto window = loadedWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QComboBox *list = countList(window.get());
    const auto turnUp = [list] {
        const QPointF centre = list->rect().center();
        QWheelEvent wheel(centre, list->mapToGlobal(centre), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(list, &wheel);
    };

    // With the focus in a subject box, three turns over the list leave 15 grades.
    for (int turn = 0; turn < 3; ++turn)
        turnUp();
    QCOMPARE(list->currentText(), u"15"_s);
    QCOMPARE(grade(window.get(), 13)->text(), u"5"_s);
    QCOMPARE(QApplication::focusWidget(), subject(window.get(), 1));
    QCOMPARE(list->focusPolicy(), Qt::StrongFocus); // the wheel never gives it the focus

    list->setFocus();
    turnUp();
    QCOMPARE(list->currentText(), u"14"_s);
}

void tst_Calculator::gradeBoxLimitsTypingOnly()
{
    auto window = loadedWindow();
    QLineEdit *box = grade(window.get(), 2);
    box->setText(u"10"_s); // the program may set longer texts
    QCOMPARE(box->text(), u"10"_s);

    box->setText(u"5"_s);
    QTest::keyClicks(box, u"6"_s);
    QCOMPARE(box->text(), u"5"_s);
    box->selectAll();
    QTest::keyClicks(box, u"6"_s);
    QCOMPARE(box->text(), u"6"_s);

    QTest::keyClicks(result(window.get()), u"9"_s);
    QCOMPARE(result(window.get())->text(), QString());
}

void tst_Calculator::gradeCountChainOrder()
{
    auto window = loadedWindow();
    ChainLog log(window.get());
    countList(window.get())->setCurrentIndex(11); // "12"

    // Resets first, ascending, each raising its box's change handling; then the enabling.
    QCOMPARE(log.entries, QStringList({u"o13=0"_s, u"o14=0"_s, u"o15=0"_s, u"o13 disabled"_s,
                                       u"o14 disabled"_s, u"o15 disabled"_s}));
    QCOMPARE(child<QLineEdit>(window.get(), u"txt"_s)->text(), u"12"_s);
    QCOMPARE(panelText(window.get(), 1), u"Брой предмети:   12"_s);
}

void tst_Calculator::gradeCount_data()
{
    QTest::addColumn<int>("count");
    for (int count : {1, 2, 7, 14, 15})
        QTest::addRow("%d", count) << count;
}

void tst_Calculator::gradeCount()
{
    QFETCH(int, count);

    // The menu entry and a pick in the list end in the same state.
    auto byMenu = loadedWindow();
    auto byList = loadedWindow();
    if (count == 15) { // lower first: raising again keeps the dropped grades at "0"
        trigger(byMenu.get(), u"mnu07"_s);
        countList(byList.get())->setCurrentIndex(6);
    }
    trigger(byMenu.get(), u"mnu%1"_s.arg(count, 2, 10, QLatin1Char('0')));
    countList(byList.get())->setCurrentIndex(count - 1);

    const int kept = count == 15 ? 7 : count;
    for (const QWidget *window : {static_cast<QWidget *>(byMenu.get()), static_cast<QWidget *>(byList.get())}) {
        QCOMPARE(countList(window)->currentText(), QString::number(count));
        QCOMPARE(panelText(window, 1), u"Брой предмети:   "_s + QString::number(count));
        for (int row = 1; row <= 15; ++row) {
            QCOMPARE(grade(window, row)->isEnabled(), row <= count);
            QCOMPARE(grade(window, row)->text(), row <= kept ? u"5"_s : u"0"_s);
            QCOMPARE(subject(window, row)->text(), u"Предмет "_s + QString::number(row));
            QVERIFY(subject(window, row)->isEnabled());
        }
    }
}

void tst_Calculator::unknownCountTextChangesNothing()
{
    auto window = loadedWindow();
    for (const QString &text : {u"05"_s, u" 5"_s, u"5 "_s, u"16"_s, u"0"_s, QString()}) {
        child<QLineEdit>(window.get(), u"txt"_s)->setText(text);
        for (int row = 1; row <= 15; ++row) {
            QVERIFY(grade(window.get(), row)->isEnabled());
            QCOMPARE(grade(window.get(), row)->text(), u"5"_s);
        }
    }
}

void tst_Calculator::emptiedGradeBoxShowsZero()
{
    auto window = loadedWindow();
    QLineEdit *box = grade(window.get(), 4);
    QTest::keyClick(box, Qt::Key_Delete); // the caret stands at the start after a load
    QCOMPARE(box->text(), u"0"_s);
    // The "0" is selected, so the next digit typed replaces it.
    QTest::keyClicks(box, u"3"_s);
    QCOMPARE(box->text(), u"3"_s);
}

void tst_Calculator::mean_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("grades"); // their number is the grade count
    QTest::addColumn<QString>("mean");

    QTest::newRow("5.5") << u"C"_s << QStringList{u"5"_s, u"6"_s} << u"5.5"_s;
    QTest::newRow("16/3") << u"C"_s << QStringList{u"5"_s, u"5"_s, u"6"_s} << u"5.33333333333333"_s;
    QTest::newRow("14/3") << u"C"_s << QStringList{u"4"_s, u"4"_s, u"6"_s} << u"4.66666666666667"_s;
    QTest::newRow("all zeros") << u"C"_s << QStringList(15, u"0"_s) << u"0"_s;
    QTest::newRow("all fifteen") << u"C"_s << QStringList(15, u"6"_s) << u"6"_s;
    QTest::newRow("out of range summed") << u"C"_s << QStringList{u"10"_s, u"-2"_s, u"4"_s} << u"4"_s;
    QTest::newRow("decimal comma") << u"bg_BG"_s << QStringList{u"5"_s, u"6"_s} << u"5,5"_s;
    QTest::newRow("either separator read, full stop") << u"C"_s << QStringList{u"5,5"_s, u"5.5"_s} << u"5.5"_s;
    QTest::newRow("either separator read, comma") << u"bg_BG"_s << QStringList{u"5,5"_s, u"5.5"_s} << u"5,5"_s;
}

void tst_Calculator::mean()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, grades);
    QFETCH(QString, mean);

    QLocale::setDefault(QLocale(locale));
    auto window = loadedWindow();
    countList(window.get())->setCurrentIndex(grades.size() - 1);
    for (int row = 1; row <= grades.size(); ++row)
        grade(window.get(), row)->setText(grades[row - 1]);
    compute(window.get());

    QVERIFY(m_messages->boxes.isEmpty());
    QCOMPARE(result(window.get())->text(), mean);
    QCOMPARE(panelText(window.get(), 2), u"Оценка:   "_s + mean);
    result(window.get())->setText(QString()); // the panel follows every change
    QCOMPARE(panelText(window.get(), 2), u"Оценка:   "_s);
}

void tst_Calculator::subjectCheck_data()
{
    QTest::addColumn<int>("filledRow");
    QTest::addColumn<bool>("computed");

    QTest::newRow("none") << 0 << false;
    for (int row : {1, 2, 3, 4, 5, 6, 8, 9, 11, 12, 14})
        QTest::addRow("row %d", row) << row << true;
    for (int row : {7, 10, 13, 15})
        QTest::addRow("row %d alone", row) << row << false;
}

void tst_Calculator::subjectCheck()
{
    QFETCH(int, filledRow);
    QFETCH(bool, computed);

    auto window = loadedWindow();
    for (int row = 1; row <= 15; ++row)
        subject(window.get(), row)->setText(row == filledRow ? u"Химия"_s : QString());
    result(window.get())->setText(u"earlier"_s);
    compute(window.get());

    QCOMPARE(result(window.get())->text(), computed ? u"5"_s : u"earlier"_s);
    QCOMPARE(m_messages->boxes.size(), computed ? 0 : 1);
    if (!computed) {
        QCOMPARE(m_messages->boxes[0].title, u"Error"_s);
        QCOMPARE(m_messages->boxes[0].text, u"Моля въведете всички предмети!"_s);
    }
}

void tst_Calculator::nonNumericGradeIsNamed()
{
    auto window = loadedWindow();
    trigger(window.get(), u"mnu04"_s);
    for (int row = 1; row <= 4; ++row)
        grade(window.get(), row)->setText(QStringList{u"6"_s, u"6"_s, u"a"_s, u"x"_s}[row - 1]);
    result(window.get())->setText(u"earlier"_s);
    compute(window.get());

    QCOMPARE(m_messages->boxes.size(), 1);
    QCOMPARE(m_messages->boxes[0].title, u"Error"_s);
    QCOMPARE(m_messages->boxes[0].text, u"Оценката на ред 3 не е число!"_s);
    QCOMPARE(result(window.get())->text(), u"earlier"_s);
}

QTEST_MAIN(tst_Calculator)
#include "tst_calculator.moc"
