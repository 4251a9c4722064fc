#include "widgets/drawnicon.h"
#include "widgets/statusbar.h"
#include "widgets/tabcontrol.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Five pages of 405 x 289 pixels, tabs 35 pixels high, three to a row, a field on each; the
// window keeps the keys its children leave unhandled.
struct Days : QWidget
{
    Days()
    {
        tabs->setGeometry(8, 8, 405, 289);
        tabs->setTabHeight(35);
        tabs->setTabsPerRow(3);
        for (const QString &day : {u"Понеделник"_s, u"Вторник"_s, u"Сряда"_s, u"Четвъртък"_s, u"Петък"_s})
            fields.append(new QLineEdit(tabs->addPage(day)));
        show();
    }
    void keyPressEvent(QKeyEvent *event) override { keys << event->key(); }
    TabControl *tabs = new TabControl(this);
    QList<QLineEdit *> fields;
    QList<int> keys;
};

} // namespace

class tst_Widgets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void statusBarLaysOutItsPanels_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("text"); // of the first panel, which fits its contents
        QTest::newRow("empty") << 700 << QString();
        QTest::newRow("markup stays text") << 700 << u"<b>Оценка:</b>   <i>5.50</i> за срока"_s;
        QTest::newRow("narrow: the spring at its minimum") << 250 << u"15"_s;
    }

    // Docked at the bottom; a contents panel fits its text, a fixed panel keeps its width,
    // and the spring takes the rest.
    void statusBarLaysOutItsPanels()
    {
        QFETCH(int, width);
        QFETCH(QString, text);
        using enum StatusBar::AutoSize;
        QWidget window;
        StatusBar bar({{StatusBar::Style::Text, Contents, 1440, 1440}, {StatusBar::Style::Text, Spring, 1440, 1440, u"второ"_s},
                       {StatusBar::Style::Text, None, 1440, 1440}}, 255, &window); // 96 pixels wide, at least
        window.show();
        bar.panel(1)->setText(QString(60, u'Ш'));
        QTRY_VERIFY(bar.panel(1)->width() > 500);
        bar.panel(1)->setText(text);
        window.resize(width, 150);

        QTRY_COMPARE(bar.geometry(), QRect(0, 150 - bar.height(), width, bar.height()));
        QVERIFY(!bar.panel(0) && bar.panel(2)->text() == u"второ"_s && !bar.panel(4));
        QTRY_COMPARE(bar.panel(1)->width(), qMax(96, bar.panel(1)->sizeHint().width()));
        QVERIFY(bar.panel(1)->contentsRect().width() >= bar.panel(1)->fontMetrics().horizontalAdvance(text));
        QCOMPARE(bar.panel(3)->width(), 96);
        QVERIFY(bar.panel(1)->geometry().right() < bar.panel(2)->geometry().left());
        QVERIFY(bar.panel(2)->geometry().right() < bar.panel(3)->geometry().left());
        QCOMPARE(width < 300 ? bar.panel(2)->width() : bar.panel(3)->geometry().right(), width < 300 ? 96 : width - 1);
    }

    void pagesChange_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("route"); // setTab(index), a click, or a key
        QTest::addColumn<QVariant>("where");
        QTest::addColumn<int>("front");

        QTest::newRow("setTab forward") << 0 << u"setTab"_s << QVariant(2) << 2;
        QTest::newRow("setTab unchanged") << 3 << u"setTab"_s << QVariant(3) << 3;
        QTest::newRow("setTab negative") << 1 << u"setTab"_s << QVariant(-1) << 1;
        QTest::newRow("setTab past the end") << 1 << u"setTab"_s << QVariant(5) << 1;
        QTest::newRow("click, first row") << 0 << u"click"_s << QVariant(QPoint(300, 17)) << 2;
        QTest::newRow("click, second row") << 0 << u"click"_s << QVariant(QPoint(60, 52)) << 3;
        QTest::newRow("click beside the second row") << 0 << u"click"_s << QVariant(QPoint(340, 52)) << 0;
        QTest::newRow("click on the page") << 0 << u"click"_s << QVariant(QPoint(200, 150)) << 0;
        QTest::newRow("right") << 2 << u"key"_s << QVariant(Qt::Key_Right) << 3;
        QTest::newRow("left") << 3 << u"key"_s << QVariant(Qt::Key_Left) << 2;
        QTest::newRow("left of the first") << 0 << u"key"_s << QVariant(Qt::Key_Left) << 0;
        QTest::newRow("home") << 3 << u"key"_s << QVariant(Qt::Key_Home) << 0;
        QTest::newRow("end") << 1 << u"key"_s << QVariant(Qt::Key_End) << 4;
        QTest::newRow("a letter goes on to the window") << 1 << u"key"_s << QVariant(Qt::Key_A) << 1;
    }

    // A new front page is announced with the previous tab, and the focus leaves the hidden
    // page for the tabs.
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
        if (route == u"setTab") {
            days.tabs->setTab(where.toInt());
        } else if (route == u"click") {
            QTest::mouseClick(days.tabs, Qt::LeftButton, {}, where.toPoint());
        } else {
            days.tabs->setFocus();
            QTest::keyClick(days.tabs, Qt::Key(where.toInt()));
        }
        QCOMPARE(days.tabs->tab(), front);
        QCOMPARE(clicked, front == start ? QList<QVariantList>() : QList<QVariantList>{{start}});
        if (front != start)
            QVERIFY(days.tabs->hasFocus());
        for (int i = 0; i < days.fields.size(); ++i)
            QCOMPARE(days.fields.at(i)->isVisible(), i == front);
        QCOMPARE(days.keys, where == QVariant(Qt::Key_A) ? QList<int>{Qt::Key_A} : QList<int>());
    }

    void tabsStayAbovePageChildren()
    {
        Days days;
        auto *intruder = new QWidget(days.fields.first()->parentWidget()); // up into both tab rows
        intruder->setGeometry(0, 0, 405, 200);
        intruder->setAutoFillBackground(true);
        intruder->setPalette(QPalette(Qt::red));
        intruder->show();
        const QImage image = days.tabs->grab().toImage();
        QCOMPARE(image.pixelColor(100, 150), QColor(Qt::red));
        for (const QPoint point : {QPoint(5, 20), QPoint(130, 30), QPoint(5, 60), QPoint(380, 60)})
            QVERIFY(image.pixelColor(point) != QColor(Qt::red));
    }

    // Painted only when asked, the icon answers every request as the plain icon of all its
    // pictures would, in every mode, at 1x and 2x.
    void drawnIconAnswersAsItsPictures()
    {
        const auto draw = [](QPainter &p) { p.fillRect(QRectF(0, 0, 8, 16), Qt::red); };
        QIcon pictures;
        for (int size : {16, 32, 48}) {
            for (qreal scale : {1.0, 2.0})
                pictures.addPixmap(QPixmap::fromImage(drawnImage(size, scale, draw)));
        }
        QCOMPARE(pictures.pixmap(48).toImage().pixelColor(20, 40), QColor(Qt::red)); // the drawing scaled to the size
        const QIcon drawn = drawnIcon({16, 32, 48}, draw);
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active}) {
            QCOMPARE(drawn.availableSizes(mode), pictures.availableSizes(mode));
            for (int side = 1; side <= 100; ++side) {
                for (const QSize size : {QSize(side, side), QSize(side, side / 2 + 1)}) {
                    QCOMPARE(drawn.actualSize(size, mode), pictures.actualSize(size, mode));
                    for (qreal scale : {1.0, 1.5, 2.0})
                        QCOMPARE(drawn.pixmap(size, scale, mode).toImage(), pictures.pixmap(size, scale, mode).toImage());
                }
            }
        }
    }
};

QTEST_MAIN(tst_Widgets)
#include "tst_widgets.moc"
