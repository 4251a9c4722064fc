#include "app/windowtable.h"
#include "calculator/calcwindow.h"
#include "storage/codepage.h"
#include "widgets/dialogfont.h"
#include "widgets/messagebox.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct Message
{
    QString title;
    QString text;
};

QByteArray records(const QStringList &texts)
{
    QByteArray bytes;
    for (const QString &text : texts)
        bytes += '"' + storage::cp1251::encode(text) + "\"\r\n";
    return bytes;
}

QStringList repeated(const QString &text, int count = 15)
{
    return QStringList(count, text);
}

QStringList numbered(const QString &prefix)
{
    QStringList texts;
    for (int row = 1; row <= 15; ++row)
        texts << prefix + QString::number(row);
    return texts;
}

// Records, in order, the text changes and enabled changes of the fifteen grade boxes.
class ChainLog : public QObject
{
public:
    explicit ChainLog(QWidget *window)
    {
        for (int row = 1; row <= 15; ++row) {
            auto *grade = window->findChild<QLineEdit *>(u"o%1"_s.arg(row));
            connect(grade, &QLineEdit::textChanged, this,
                    [this, row](const QString &text) { entries << u"o%1=%2"_s.arg(row).arg(text); });
            grade->installEventFilter(this);
        }
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange) {
            auto *grade = static_cast<QWidget *>(watched);
            entries << grade->objectName() + (grade->isEnabled() ? u" enabled"_s : u" disabled"_s);
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
    void initTestCase();
    void init();
    void cleanup();

    void designStateBeforeLoad();
    void loadShowsTheFilesTexts();
    void saveWritesBothFilesByteForByte();
    void failedSaveKeepsTheFileAndTheEdits();
    void missingFileAtStartUpIsReported_data();
    void missingFileAtStartUpIsReported();

    void controlsStandAtTheirDesignPlaces_data();
    void controlsStandAtTheirDesignPlaces();
    void noCaptionIsClipped();
    void rowColours();
    void keyboardOrder();
    void gradeBoxLimitsTypingOnly();

    void gradeCountChainOrder();
    void gradeCount_data();
    void gradeCount();
    void loweringThenRaisingKeepsZeros();
    void unknownCountTextChangesNothing();
    void emptiedGradeBoxShowsZero();

    void mean_data();
    void mean();
    void subjectCheck_data();
    void subjectCheck();
    void nonNumericGradeIsNamed();
    void panelTwoFollowsTheResult();

private:
    std::unique_ptr<CalcWindow> loadedWindow();
    void writeFile(const QString &name, const QByteArray &bytes);
    QByteArray readFile(const QString &name) const;
    static QLineEdit *edit(QWidget *window, const QString &name);
    static QString panel(QWidget *window, int number);
    static void setGrades(QWidget *window, const QStringList &grades);

    std::unique_ptr<QTemporaryDir> m_folder;
    QList<Message> m_messages;
};

void tst_Calculator::initTestCase()
{
    dialogfont::apply();
    messagebox::setHook([this](QWidget *, const QString &title, const QString &text) {
        m_messages.append({title, text});
    });
}

void tst_Calculator::init()
{
    QLocale::setDefault(QLocale::c());
    m_messages.clear();
    m_folder = std::make_unique<QTemporaryDir>();
    writeFile(u"Predmeti.dat"_s, records(numbered(u"Предмет "_s)));
    writeFile(u"Ocenki.dat"_s, records(repeated(u"5"_s)));
}

void tst_Calculator::cleanup()
{
    m_folder.reset();
}

std::unique_ptr<CalcWindow> tst_Calculator::loadedWindow()
{
    auto window = std::make_unique<CalcWindow>(m_folder->path());
    window->Form_Load();
    return window;
}

void tst_Calculator::writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(m_folder->filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray tst_Calculator::readFile(const QString &name) const
{
    QFile file(m_folder->filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QLineEdit *tst_Calculator::edit(QWidget *window, const QString &name)
{
    auto *result = window->findChild<QLineEdit *>(name);
    Q_ASSERT(result);
    return result;
}

QString tst_Calculator::panel(QWidget *window, int number)
{
    // The status bar's panels are its labels, in order.
    const auto panels = window->findChild<QWidget *>(u"StatusBar1"_s)->findChildren<QLabel *>();
    return panels.at(number - 1)->text();
}

void tst_Calculator::setGrades(QWidget *window, const QStringList &grades)
{
    for (int row = 1; row <= grades.size(); ++row)
        edit(window, u"o%1"_s.arg(row))->setText(grades[row - 1]);
}

void tst_Calculator::designStateBeforeLoad()
{
    CalcWindow window(m_folder->path());
    for (int row = 1; row <= 15; ++row) {
        QCOMPARE(edit(&window, u"Text%1"_s.arg(row))->text(), u"Въведете предмет"_s);
        QCOMPARE(edit(&window, u"o%1"_s.arg(row))->text(), QString());
        QVERIFY(edit(&window, u"o%1"_s.arg(row))->isEnabled());
    }
    QCOMPARE(window.findChild<QComboBox *>(u"Combo1"_s)->count(), 0);
    QCOMPARE(edit(&window, u"Res"_s)->text(), QString());
    QCOMPARE(panel(&window, 1), QString());
    QCOMPARE(panel(&window, 2), QString());
}

void tst_Calculator::loadShowsTheFilesTexts()
{
    QStringList subjects = numbered(u"Литература "_s);
    subjects[2] = QString(); // an empty subject stays empty
    subjects[3] = u"  a, b  "_s;
    QStringList grades = repeated(u"6"_s);
    grades[4] = QString(); // an empty grade shows "0"
    grades[5] = u"10"_s;   // longer than typing allows, yet kept
    writeFile(u"Predmeti.dat"_s, records(subjects));
    writeFile(u"Ocenki.dat"_s, records(grades));

    auto window = loadedWindow();
    auto *list = window->findChild<QComboBox *>(u"Combo1"_s);
    QCOMPARE(list->count(), 15);
    for (int i = 0; i < 15; ++i)
        QCOMPARE(list->itemText(i), QString::number(i + 1));
    QCOMPARE(list->currentText(), u"15"_s);
    QCOMPARE(panel(window.get(), 1), u"Брой предмети:   15"_s);

    grades[4] = u"0"_s;
    for (int row = 1; row <= 15; ++row) {
        QCOMPARE(edit(window.get(), u"Text%1"_s.arg(row))->text(), subjects[row - 1]);
        QCOMPARE(edit(window.get(), u"o%1"_s.arg(row))->text(), grades[row - 1]);
        QVERIFY(edit(window.get(), u"o%1"_s.arg(row))->isEnabled());
    }
}

void tst_Calculator::saveWritesBothFilesByteForByte()
{
    auto window = loadedWindow();
    edit(window.get(), u"Text1"_s)->setText(u"Математика"_s);
    edit(window.get(), u"Text2"_s)->setText(QString());
    window->findChild<QAction *>(u"mnu03"_s)->trigger();

    window->findChild<QToolButton *>(u"Command3"_s)->click();
    const QByteArray subjects = readFile(u"Predmeti.dat"_s);
    const QByteArray grades = readFile(u"Ocenki.dat"_s);
    QVERIFY(m_messages.isEmpty());

    QStringList expectedSubjects = numbered(u"Предмет "_s);
    expectedSubjects[0] = u"Математика"_s;
    expectedSubjects[1] = QString();
    QCOMPARE(subjects, records(expectedSubjects));
    QVERIFY(subjects.startsWith("\"\xcc\xe0\xf2\xe5\xec\xe0\xf2\xe8\xea\xe0\"\r\n\"\"\r\n"));
    QCOMPARE(grades, records(QStringList{u"5"_s, u"5"_s, u"5"_s} + repeated(u"0"_s, 12)));

    QVERIFY(QFile::remove(m_folder->filePath(u"Predmeti.dat"_s)));
    QVERIFY(QFile::remove(m_folder->filePath(u"Ocenki.dat"_s)));
    window->findChild<QAction *>(u"mnuSave"_s)->trigger();
    QCOMPARE(readFile(u"Predmeti.dat"_s), subjects);
    QCOMPARE(readFile(u"Ocenki.dat"_s), grades);
}

void tst_Calculator::failedSaveKeepsTheFileAndTheEdits()
{
    auto window = loadedWindow();
    edit(window.get(), u"Text1"_s)->setText(u"Химия"_s);
    edit(window.get(), u"o1"_s)->setText(u"4"_s);

    // A folder that has taken the grades file's name: root cannot write there either.
    QVERIFY(QFile::remove(m_folder->filePath(u"Ocenki.dat"_s)));
    QVERIFY(QDir(m_folder->path()).mkdir(u"Ocenki.dat"_s));
    window->findChild<QToolButton *>(u"Command3"_s)->click();

    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages[0].text.contains(QDir::toNativeSeparators(m_folder->filePath(u"Ocenki.dat"_s))));
    QVERIFY(QFileInfo(m_folder->filePath(u"Ocenki.dat"_s)).isDir());
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), QStringList{u"Predmeti.dat"_s});
    // The subjects file is complete before the grades file is opened.
    QVERIFY(readFile(u"Predmeti.dat"_s).startsWith(records({u"Химия"_s})));
    QCOMPARE(edit(window.get(), u"Text1"_s)->text(), u"Химия"_s);
    QCOMPARE(edit(window.get(), u"o1"_s)->text(), u"4"_s);
}

void tst_Calculator::missingFileAtStartUpIsReported_data()
{
    QTest::addColumn<QString>("broken");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("grades missing") << u"Ocenki.dat"_s << QByteArray();
    QTest::newRow("subjects missing") << u"Predmeti.dat"_s << QByteArray();
    QTest::newRow("grades short") << u"Ocenki.dat"_s << records(repeated(u"5"_s, 14));
}

void tst_Calculator::missingFileAtStartUpIsReported()
{
    QFETCH(QString, broken);
    QFETCH(QByteArray, bytes);

    QVERIFY(QFile::remove(m_folder->filePath(broken)));
    if (!bytes.isEmpty())
        writeFile(broken, bytes);
    const QByteArray subjects = readFile(u"Predmeti.dat"_s);
    const QByteArray grades = readFile(u"Ocenki.dat"_s);

    WindowTable windows;
    windows.add([this] {
        auto window = std::make_unique<CalcWindow>(m_folder->path());
        window->Form_Load();
        return window.release();
    });
    QVERIFY(!windows.open(0));
    QVERIFY(!windows.window(0));
    QCOMPARE(m_messages.size(), 1);
    QVERIFY(m_messages[0].text.contains(QDir::toNativeSeparators(m_folder->filePath(broken))));
    QCOMPARE(readFile(u"Predmeti.dat"_s), subjects);
    QCOMPARE(readFile(u"Ocenki.dat"_s), grades);
}

void tst_Calculator::controlsStandAtTheirDesignPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");

    QTest::newRow("Text1") << u"Text1"_s << QRect(360, 480, 2535, 285);
    QTest::newRow("o1") << u"o1"_s << QRect(3120, 480, 495, 285);
    QTest::newRow("Label6") << u"Label6"_s << QRect(120, 480, 255, 255);
    QTest::newRow("Text15") << u"Text15"_s << QRect(360, 5520, 2535, 285);
    QTest::newRow("o15") << u"o15"_s << QRect(3120, 5520, 495, 285);
    QTest::newRow("Label20") << u"Label20"_s << QRect(120, 5520, 255, 255);
    QTest::newRow("StatusBar1") << u"StatusBar1"_s << QRect(0, 5955, 7245, 255);
    QTest::newRow("Command4") << u"Command4"_s << QRect(4320, 4800, 2775, 375);
    QTest::newRow("txt") << u"txt"_s << QRect(4440, 5520, 735, 285);
    QTest::newRow("Frame1") << u"Frame1"_s << QRect(4320, 480, 2775, 4215);
    QTest::newRow("Command1") << u"Command1"_s << QRect(5640, 5520, 1455, 375);
    QTest::newRow("Label2") << u"Label2"_s << QRect(3000, 240, 1215, 255);
    QTest::newRow("Label1") << u"Label1"_s << QRect(360, 240, 2535, 255);
    // Inside the frame.
    QTest::newRow("Label4") << u"Label4"_s << QRect(600, 240, 1215, 255);
    QTest::newRow("Combo1") << u"Combo1"_s << QRect(1920, 240, 735, 315);
    QTest::newRow("Command2") << u"Command2"_s << QRect(720, 720, 1935, 495);
    QTest::newRow("Label3") << u"Label3"_s << QRect(720, 1200, 1935, 495);
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
    QCOMPARE(window.minimumSize(), window.maximumSize()); // cannot be resized

    auto *control = window.findChild<QWidget *>(name);
    QVERIFY(control);
    const QRect pixels((twips.x() + 7) / 15, (twips.y() + 7) / 15, (twips.width() + 7) / 15,
                       (twips.height() + 7) / 15);
    QCOMPARE(control->geometry(), pixels);
    const QRect inClient(control->mapTo(client, QPoint()), control->size());
    QVERIFY(client->rect().contains(inClient));
}

void tst_Calculator::noCaptionIsClipped()
{
    CalcWindow window(m_folder->path());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    for (const QLabel *label : window.findChildren<QLabel *>()) {
        if (label->text().isEmpty())
            continue;
        const QSize needed = label->wordWrap()
                ? QSize(label->width(), label->heightForWidth(label->width()))
                : label->sizeHint();
        QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height(),
                 qPrintable(label->objectName() + u": "_s + label->text()));
    }
    for (const QAbstractButton *button : window.findChildren<QAbstractButton *>()) {
        const int needed = button->fontMetrics().horizontalAdvance(button->text()) + 8;
        QVERIFY2(needed <= button->width(), qPrintable(button->text()));
    }
    const auto *frame = window.findChild<QGroupBox *>(u"Frame1"_s);
    QVERIFY(frame->fontMetrics().horizontalAdvance(frame->title()) + 16 <= frame->width());
}

void tst_Calculator::rowColours()
{
    CalcWindow window(m_folder->path());
    for (int row = 1; row <= 15; ++row) {
        const QColor expected = row % 2 ? QColor(255, 0, 0) : QColor(0, 0, 255);
        QCOMPARE(edit(&window, u"Text%1"_s.arg(row))->palette().color(QPalette::Text), expected);
        QCOMPARE(edit(&window, u"o%1"_s.arg(row))->palette().color(QPalette::Text), expected);
    }
    const auto *list = window.findChild<QComboBox *>(u"Combo1"_s);
    QCOMPARE(list->palette().color(QPalette::Button), QColor(255, 255, 192));
}

void tst_Calculator::keyboardOrder()
{
    auto window = loadedWindow();
    window->findChild<QAction *>(u"mnu14"_s)->trigger(); // a disabled grade box is skipped
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QCOMPARE(QApplication::focusWidget(), edit(window.get(), u"Text1"_s));

    QStringList expected;
    for (int row = 2; row <= 14; ++row)
        expected << u"Text%1"_s.arg(row);
    for (int row = 1; row <= 14; ++row)
        expected << u"o%1"_s.arg(row);
    expected << u"Command1"_s << u"Text15"_s << u"Combo1"_s << u"Command3"_s << u"Res"_s
             << u"Command2"_s << u"Command4"_s << u"Text1"_s;
    QStringList visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
}

void tst_Calculator::gradeBoxLimitsTypingOnly()
{
    auto window = loadedWindow();
    QLineEdit *grade = edit(window.get(), u"o2"_s);
    grade->setFocus();
    grade->setText(u"10"_s);
    QCOMPARE(grade->text(), u"10"_s);

    grade->setText(u"5"_s);
    grade->end(false);
    QTest::keyClicks(grade, u"6"_s);
    QCOMPARE(grade->text(), u"5"_s);
    grade->selectAll();
    QTest::keyClicks(grade, u"6"_s);
    QCOMPARE(grade->text(), u"6"_s);

    QLineEdit *result = edit(window.get(), u"Res"_s);
    QTest::keyClicks(result, u"9"_s);
    QCOMPARE(result->text(), QString());
}

void tst_Calculator::gradeCountChainOrder()
{
    auto window = loadedWindow();
    ChainLog log(window.get());
    window->findChild<QComboBox *>(u"Combo1"_s)->setCurrentIndex(11); // "12"

    // Resets first, ascending, each raising its box's change handling; then the enabling.
    QCOMPARE(log.entries, QStringList({u"o13=0"_s, u"o14=0"_s, u"o15=0"_s, u"o13 disabled"_s,
                                       u"o14 disabled"_s, u"o15 disabled"_s}));
    QCOMPARE(edit(window.get(), u"txt"_s)->text(), u"12"_s);
    QCOMPARE(panel(window.get(), 1), u"Брой предмети:   12"_s);
}

void tst_Calculator::gradeCount_data()
{
    QTest::addColumn<int>("count");
    for (int count : {1, 2, 7, 10, 14, 15})
        QTest::addRow("%d", count) << count;
}

void tst_Calculator::gradeCount()
{
    QFETCH(int, count);

    // The menu entry and a pick in the list end in the same state.
    auto byMenu = loadedWindow();
    auto byList = loadedWindow();
    if (count == 15) { // start elsewhere, so "15" is a real change
        byMenu->findChild<QAction *>(u"mnu07"_s)->trigger();
        byList->findChild<QComboBox *>(u"Combo1"_s)->setCurrentIndex(6);
    }
    byMenu->findChild<QAction *>(u"mnu%1"_s.arg(count, 2, 10, QLatin1Char('0')))->trigger();
    byList->findChild<QComboBox *>(u"Combo1"_s)->setCurrentIndex(count - 1);

    for (QWidget *window : {static_cast<QWidget *>(byMenu.get()), static_cast<QWidget *>(byList.get())}) {
        QCOMPARE(window->findChild<QComboBox *>(u"Combo1"_s)->currentText(), QString::number(count));
        QCOMPARE(panel(window, 1), u"Брой предмети:   "_s + QString::number(count));
        const int kept = count == 15 ? 7 : count;
        for (int row = 1; row <= 15; ++row) {
            QLineEdit *grade = edit(window, u"o%1"_s.arg(row));
            QCOMPARE(grade->isEnabled(), row <= count);
            QCOMPARE(grade->text(), row <= kept ? u"5"_s : u"0"_s);
            QLineEdit *subject = edit(window, u"Text%1"_s.arg(row));
            QCOMPARE(subject->text(), u"Предмет "_s + QString::number(row));
            QVERIFY(subject->isEnabled());
        }
    }
}

void tst_Calculator::loweringThenRaisingKeepsZeros()
{
    auto window = loadedWindow();
    window->findChild<QAction *>(u"mnu07"_s)->trigger();
    window->findChild<QAction *>(u"mnu15"_s)->trigger();
    for (int row = 1; row <= 15; ++row) {
        QVERIFY(edit(window.get(), u"o%1"_s.arg(row))->isEnabled());
        QCOMPARE(edit(window.get(), u"o%1"_s.arg(row))->text(), row <= 7 ? u"5"_s : u"0"_s);
    }
}

void tst_Calculator::unknownCountTextChangesNothing()
{
    auto window = loadedWindow();
    QLineEdit *relay = edit(window.get(), u"txt"_s);
    for (const QString &text : {u"05"_s, u" 5"_s, u"5 "_s, u"16"_s, u"0"_s, QString()}) {
        relay->setText(text);
        for (int row = 1; row <= 15; ++row) {
            QVERIFY(edit(window.get(), u"o%1"_s.arg(row))->isEnabled());
            QCOMPARE(edit(window.get(), u"o%1"_s.arg(row))->text(), u"5"_s);
        }
    }
}

void tst_Calculator::emptiedGradeBoxShowsZero()
{
    auto window = loadedWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QLineEdit *grade = edit(window.get(), u"o4"_s);
    grade->setFocus();
    grade->end(false);
    QTest::keyClick(grade, Qt::Key_Backspace);
    QCOMPARE(grade->text(), u"0"_s);
    // The "0" is selected, so the next digit typed replaces it.
    QTest::keyClicks(grade, u"3"_s);
    QCOMPARE(grade->text(), u"3"_s);
}

void tst_Calculator::mean_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("grades");
    QTest::addColumn<QString>("result");

    QTest::newRow("5.5") << u"C"_s << 2 << QStringList{u"5"_s, u"6"_s} << u"5.5"_s;
    QTest::newRow("16/3") << u"C"_s << 3 << QStringList{u"5"_s, u"5"_s, u"6"_s} << u"5.33333333333333"_s;
    QTest::newRow("14/3") << u"C"_s << 3 << QStringList{u"4"_s, u"4"_s, u"6"_s} << u"4.66666666666667"_s;
    QTest::newRow("all zeros") << u"C"_s << 15 << repeated(u"0"_s) << u"0"_s;
    QTest::newRow("out of range summed") << u"C"_s << 3 << QStringList{u"10"_s, u"-2"_s, u"4"_s} << u"4"_s;
    QTest::newRow("decimal comma") << u"bg_BG"_s << 2 << QStringList{u"5"_s, u"6"_s} << u"5,5"_s;
    QTest::newRow("comma read under full stop") << u"C"_s << 2 << QStringList{u"5,5"_s, u"5.5"_s} << u"5.5"_s;
    QTest::newRow("full stop read under comma") << u"bg_BG"_s << 2 << QStringList{u"5,5"_s, u"5.5"_s} << u"5,5"_s;
    QTest::newRow("all fifteen") << u"C"_s << 15 << repeated(u"6"_s) << u"6"_s;
}

void tst_Calculator::mean()
{
    QFETCH(QString, locale);
    QFETCH(int, count);
    QFETCH(QStringList, grades);
    QFETCH(QString, result);

    QLocale::setDefault(QLocale(locale));
    auto window = loadedWindow();
    window->findChild<QComboBox *>(u"Combo1"_s)->setCurrentIndex(count - 1);
    setGrades(window.get(), grades);
    window->findChild<QPushButton *>(u"Command2"_s)->click();

    QVERIFY(m_messages.isEmpty());
    QCOMPARE(edit(window.get(), u"Res"_s)->text(), result);
    QCOMPARE(panel(window.get(), 2), u"Оценка:   "_s + result);
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
        edit(window.get(), u"Text%1"_s.arg(row))->setText(row == filledRow ? u"Химия"_s : QString());
    edit(window.get(), u"Res"_s)->setText(u"earlier"_s);
    window->findChild<QPushButton *>(u"Command2"_s)->click();

    QCOMPARE(edit(window.get(), u"Res"_s)->text(), computed ? u"5"_s : u"earlier"_s);
    QCOMPARE(m_messages.size(), computed ? 0 : 1);
    if (!computed) {
        QCOMPARE(m_messages[0].title, u"Error"_s);
        QCOMPARE(m_messages[0].text, u"Моля въведете всички предмети!"_s);
    }
}

void tst_Calculator::nonNumericGradeIsNamed()
{
    auto window = loadedWindow();
    window->findChild<QAction *>(u"mnu04"_s)->trigger();
    setGrades(window.get(), {u"6"_s, u"6"_s, u"a"_s, u"x"_s});
    edit(window.get(), u"Res"_s)->setText(u"earlier"_s);
    window->findChild<QPushButton *>(u"Command2"_s)->click();

    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages[0].title, u"Error"_s);
    QCOMPARE(m_messages[0].text, u"Оценката на ред 3 не е число!"_s);
    QCOMPARE(edit(window.get(), u"Res"_s)->text(), u"earlier"_s);
}

void tst_Calculator::panelTwoFollowsTheResult()
{
    auto window = loadedWindow();
    QLineEdit *result = edit(window.get(), u"Res"_s);
    for (const QString &text : {u"4.5"_s, QString(), u"anything"_s}) {
        result->setText(text);
        QCOMPARE(panel(window.get(), 2), u"Оценка:   "_s + text);
    }
}

QTEST_MAIN(tst_Calculator)
#include "tst_calculator.moc"
