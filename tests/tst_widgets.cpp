#include "widgets/accessibletextbox.h"
#include "widgets/fixedwindow.h"
#include "widgets/tabcontrol.h"

#include <QAccessible>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QStringList dayNames{u"Понеделник"_s, u"Вторник"_s, u"Сряда"_s, u"Четвъртък"_s, u"Петък"_s};

// Five pages of 405 x 289 pixels (sized after they were added), tabs 35 pixels high, three
// to a row, a field on each.
struct Days : QWidget
{
    Days()
    {
        tabs->setTabHeight(35);
        tabs->setTabsPerRow(3);
        for (const QString &day : dayNames)
            fields.append(new QLineEdit(tabs->addPage(day)));
        tabs->setGeometry(8, 8, 405, 289);
        show();
    }
    TabControl *tabs = new TabControl(this);
    QList<QLineEdit *> fields;
};

} // namespace

class tst_Widgets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { accessibletextbox::install(); }

    void pagesChange_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("route"); // a click or a key
        QTest::addColumn<QVariant>("where");
        QTest::addColumn<int>("front");

        QTest::newRow("click, first row") << 0 << u"click"_s << QVariant(QPoint(300, 17)) << 2;
        QTest::newRow("click, second row") << 0 << u"click"_s << QVariant(QPoint(60, 52)) << 3;
        QTest::newRow("click beside the second row") << 0 << u"click"_s << QVariant(QPoint(340, 52)) << 0;
        QTest::newRow("click on the page") << 0 << u"click"_s << QVariant(QPoint(200, 150)) << 0;
        QTest::newRow("right") << 2 << u"key"_s << QVariant(Qt::Key_Right) << 3;
        QTest::newRow("left") << 3 << u"key"_s << QVariant(Qt::Key_Left) << 2;
        QTest::newRow("left of the first") << 0 << u"key"_s << QVariant(Qt::Key_Left) << 0;
        QTest::newRow("home") << 3 << u"key"_s << QVariant(Qt::Key_Home) << 0;
        QTest::newRow("end") << 1 << u"key"_s << QVariant(Qt::Key_End) << 4;
    }

    // A new front page is announced with the previous tab and named to screen readers, and
    // the focus leaves the hidden page for the tabs.
    void pagesChange()
    {
        QFETCH(int, start);
        QFETCH(QString, route);
        QFETCH(QVariant, where);
        QFETCH(int, front);
        Days days;
        QVERIFY(QTest::qWaitForWindowActive(&days));
        days.tabs->setTab(start);
        days.fields[start]->setFocus();
        QSignalSpy clicked(days.tabs, &TabControl::clicked);
        if (route == u"click") {
            QTest::mouseClick(days.tabs, Qt::LeftButton, {}, where.toPoint());
        } else {
            days.tabs->setFocus();
            QTest::keyClick(days.tabs, Qt::Key(where.toInt()));
        }
        QCOMPARE(days.tabs->tab(), front);
        QCOMPARE(days.tabs->accessibleDescription(), dayNames[front]);
        QCOMPARE(clicked, front == start ? QList<QVariantList>() : QList<QVariantList>{{start}});
        if (front != start)
            QVERIFY(days.tabs->hasFocus());
        for (int i = 0; i < days.fields.size(); ++i)
            QCOMPARE(days.fields.at(i)->isVisible(), i == front);
    }

    void windowPlacement_data()
    {
        QTest::addColumn<QRect>("frame"); // at the design place
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QPoint>("placed");
        // The frames of the calculator and the timetable (4 pixels of border, 30 of title bar) on the
        // free area above a task bar 40 pixels high of a 1366 x 768 laptop at 150 % and of an 800 x 600 screen.
        const QRect calculator(27, 141, 491, 468), timetable(518, 141, 436, 414), laptop(0, 0, 911, 485), small(0, 0, 800, 560);
        QTest::newRow("room enough: as designed") << calculator << QRect(0, 0, 1920, 1040) << calculator.topLeft();
        QTest::newRow("laptop at 150 %: calculator") << calculator << laptop << QPoint(27, 17);
        QTest::newRow("laptop at 150 %: timetable") << timetable << laptop << QPoint(475, 71);
        QTest::newRow("800 x 600: calculator") << calculator << small << QPoint(27, 92);
        QTest::newRow("800 x 600: timetable") << timetable << small << QPoint(364, 141);
        QTest::newRow("task bar at the top") << calculator << QRect(0, 40, 800, 560) << QPoint(27, 132);
        QTest::newRow("no room: the top-left corner on the screen") << calculator << QRect(0, 0, 480, 360) << QPoint(0, 0);
    }

    // A window opens at its design place where its whole frame fits the screen's free area,
    // else at the nearest place where it fits, else with its top-left corner on the screen.
    void windowPlacement()
    {
        QFETCH(QRect, frame);
        QFETCH(QRect, available);
        QFETCH(QPoint, placed);
        QCOMPARE(fixedwindow::fittedPosition(frame, available), placed);
    }

    // A magnifier or a braille display finds each character of a box where it is drawn, and an
    // edit through the box's accessible interface is made as the pupil's own: one that can be
    // undone, within the text, refused by a read-only box. (What Orca reads: screen-reader.sh.)
    void textBoxAccessible()
    {
        QLineEdit box(u"Математика"_s);
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(&box);
        const QRect first = face->textInterface()->characterRect(0);
        QCOMPARE(first.size(), QSize(box.fontMetrics().horizontalAdvance(u"М"_s), box.fontMetrics().height()));
        QVERIFY(qAbs(face->textInterface()->characterRect(1).left() - first.right() - 1) <= 1 && face->textInterface()->characterRect(10).isNull());
        for (const auto &[from, to] : {std::pair{9, 11}, {5, 4}, {0, 10}}) // past the end and backwards: refused
            face->editableTextInterface()->replaceText(from, to, u"Физика"_s);
        QVERIFY(box.text() == u"Физика" && box.isUndoAvailable());
        box.setReadOnly(true);
        face->editableTextInterface()->deleteText(0, 6);
        QVERIFY(box.text() == u"Физика" && face->state().editable && face->state().readOnly);
    }
};

QTEST_MAIN(tst_Widgets)
#include "tst_widgets.moc"
