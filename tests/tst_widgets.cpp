#include "widgets/drawnicon.h"
#include "widgets/statusbar.h"
#include "widgets/tabcontrol.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

using Style = StatusBar::Style;
using AutoSize = StatusBar::AutoSize;

StatusBar::Panel panel(Style style, AutoSize autoSize, const QString &text = {})
{
    return {style, autoSize, 1440, 1440, text}; // 96 pixels wide, at least
}

// The timetable's days: 405 x 289 pixels, tabs 35 pixels high, three to a row, a field
// on every page.
struct Days
{
    Days()
    {
        tabs->setGeometry(8, 8, 405, 289);
        tabs->setTabHeight(35);
        tabs->setTabsPerRow(3);
        for (const char16_t *day : {u"Понеделник", u"Вторник", u"Сряда", u"Четвъртък", u"Петък"})
            fields.append(new QLineEdit(tabs->addPage(QString::fromUtf16(day))));
    }
    bool show()
    {
        window.show();
        return QTest::qWaitForWindowActive(&window);
    }

    QWidget window;
    TabControl *tabs = new TabControl(&window);
    QList<QLineEdit *> fields;
};

} // namespace

class tst_Widgets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::system()); }

    void docksAndSpringTakesTheRest_data();
    void docksAndSpringTakesTheRest();
    void contentsPanelFitsItsText_data();
    void contentsPanelFitsItsText();
    void clockShowsShortTimeUntilTheNextMinute_data();
    void clockShowsShortTimeUntilTheNextMinute();
    void capsLockFollowsTheKey();

    void setTabBringsPageToFront_data();
    void setTabBringsPageToFront();
    void userChangesPages_data();
    void userChangesPages();
    void captionsFitTheirTabs();
    void tabsStayAbovePageChildren();

    void drawnIconAnswersAsItsPictures_data();
    void drawnIconAnswersAsItsPictures();
};

void tst_Widgets::docksAndSpringTakesTheRest_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("springAtMinimum");
    QTest::newRow("wide") << 600 << false;
    QTest::newRow("narrow") << 150 << true;
}

void tst_Widgets::docksAndSpringTakesTheRest()
{
    QFETCH(int, width);
    QFETCH(bool, springAtMinimum);
    QWidget window;
    window.resize(300, 200);
    StatusBar bar({panel(Style::Text, AutoSize::Spring), panel(Style::Text, AutoSize::None)}, 255,
                  &window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    window.resize(width, 150);
    QTRY_COMPARE(bar.geometry().bottom(), 149);
    QCOMPARE(bar.x(), 0);
    QCOMPARE(bar.width(), width);
    const QRect spring = bar.panel(1)->geometry();
    const QRect fixed = bar.panel(2)->geometry();
    QCOMPARE(fixed.width(), 96);
    QVERIFY(spring.right() < fixed.left());
    if (springAtMinimum)
        QCOMPARE(spring.width(), 96);
    else
        QCOMPARE(fixed.right(), width - 1);
}

void tst_Widgets::contentsPanelFitsItsText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("atMinimum");
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("short") << u"15"_s << true;
    QTest::newRow("long") << u"Брой предмети:   15, всички с оценки"_s << false;
    QTest::newRow("markup stays text") << u"<b>Оценка:</b>   <i>5.50</i> за срока"_s << false;
}

void tst_Widgets::contentsPanelFitsItsText()
{
    QFETCH(QString, text);
    QFETCH(bool, atMinimum);
    QWidget window;
    window.resize(700, 100);
    StatusBar bar({panel(Style::Text, AutoSize::Contents),
                   panel(Style::Text, AutoSize::Spring, u"второ"_s)},
                  255, &window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(bar.panel(2)->text(), u"второ"_s); // counted from 1
    QVERIFY(!bar.panel(0) && !bar.panel(3));
    QLabel *contents = bar.panel(1);
    contents->setText(QString(60, u'Ш')); // wider than any text below
    QTRY_VERIFY(contents->width() > 500);
    const int wide = contents->width();

    contents->setText(text);
    QCOMPARE(contents->text(), text);
    if (atMinimum)
        QTRY_COMPARE(contents->width(), 96);
    else
        QTRY_VERIFY(contents->width() < wide);
    QVERIFY(contents->contentsRect().width() >= contents->fontMetrics().horizontalAdvance(text));
    QVERIFY(contents->geometry().right() < bar.panel(2)->geometry().left());
    QCOMPARE(bar.panel(2)->geometry().right(), 699);
}

void tst_Widgets::clockShowsShortTimeUntilTheNextMinute_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("format"); // hours and minutes only
    QTest::newRow("C") << QLocale::c() << u"HH:mm"_s;
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << u"h:mm AP"_s;
    QTest::newRow("bg_BG") << QLocale(QLocale::Bulgarian, QLocale::Bulgaria) << u"H:mm 'ч'."_s;
}

void tst_Widgets::clockShowsShortTimeUntilTheNextMinute()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, format);
    QLocale::setDefault(locale);
    QWidget window;
    const QString before = locale.toString(QTime::currentTime(), format);
    StatusBar bar({panel(Style::Clock, AutoSize::Contents)}, 255, &window);
    const QString after = locale.toString(QTime::currentTime(), format);
    const QString shown = bar.panel(1)->text();
    QVERIFY2(shown == before || shown == after, qPrintable(shown));

    // One wake-up a minute, at the minute boundary.
    const auto *timer = bar.findChild<QTimer *>();
    QVERIFY(timer && timer->isActive() && timer->isSingleShot());
    const int remaining = timer->remainingTime();
    QVERIFY(remaining <= 60'000);
    const int due = (QTime::currentTime().msecsSinceStartOfDay() + remaining) % 60'000;
    QVERIFY2(due < 500 || due > 59'500, qPrintable(QString::number(due)));
}

void tst_Widgets::capsLockFollowsTheKey()
{
#ifdef Q_OS_WIN
    QSKIP("Windows reports the state of the real keyboard");
#endif
    QWidget window;
    auto *field = new QWidget(&window); // ignores keys, so they travel on to the window
    StatusBar bar({panel(Style::CapsLock, AutoSize::None)}, 255, &window);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QLabel *caps = bar.panel(1);
    QCOMPARE(caps->text(), u"CAPS"_s);
    QVERIFY(!caps->isEnabled());

    QTest::keyClick(field, Qt::Key_CapsLock);
    QVERIFY(caps->isEnabled());
    QTest::keyClick(field, Qt::Key_A);
    QVERIFY(caps->isEnabled());
    QTest::keyClick(&window, Qt::Key_CapsLock);
    QVERIFY(!caps->isEnabled());
}

void tst_Widgets::setTabBringsPageToFront_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("front");
    QTest::newRow("forward") << 0 << 2 << 2;
    QTest::newRow("unchanged") << 3 << 3 << 3;
    QTest::newRow("negative") << 1 << -1 << 1;
    QTest::newRow("past the end") << 1 << 5 << 1;
}

void tst_Widgets::setTabBringsPageToFront()
{
    QFETCH(int, start);
    QFETCH(int, index);
    QFETCH(int, front);
    Days days;
    QVERIFY(days.show());
    days.tabs->setTab(start);
    QSignalSpy clicked(days.tabs, &TabControl::clicked);

    days.tabs->setTab(index);
    QCOMPARE(days.tabs->tab(), front);
    QCOMPARE(clicked, front == start ? QList<QList<QVariant>>() : QList<QList<QVariant>>{{start}});
    for (int i = 0; i < days.fields.size(); ++i)
        QCOMPARE(days.fields.at(i)->isVisible(), i == front);
}

void tst_Widgets::userChangesPages_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QPoint>("click");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<int>("front");
    const QPoint noClick;
    QTest::newRow("click, first row") << 0 << QPoint(300, 17) << Qt::Key_unknown << 2;
    QTest::newRow("click, second row") << 0 << QPoint(60, 52) << Qt::Key_unknown << 3;
    QTest::newRow("click beside the second row") << 0 << QPoint(340, 52) << Qt::Key_unknown << 0;
    QTest::newRow("click on the page") << 0 << QPoint(200, 150) << Qt::Key_unknown << 0;
    QTest::newRow("right") << 2 << noClick << Qt::Key_Right << 3;
    QTest::newRow("left") << 3 << noClick << Qt::Key_Left << 2;
    QTest::newRow("left of the first") << 0 << noClick << Qt::Key_Left << 0;
    QTest::newRow("home") << 3 << noClick << Qt::Key_Home << 0;
    QTest::newRow("end") << 1 << noClick << Qt::Key_End << 4;
}

void tst_Widgets::userChangesPages()
{
    QFETCH(int, start);
    QFETCH(QPoint, click);
    QFETCH(Qt::Key, key);
    QFETCH(int, front);
    Days days;
    QVERIFY(days.show());
    days.tabs->setTab(start);
    QSignalSpy clicked(days.tabs, &TabControl::clicked);

    if (key == Qt::Key_unknown) {
        QTest::mouseClick(days.tabs, Qt::LeftButton, {}, click);
    } else {
        days.tabs->setFocus();
        QTest::keyClick(days.tabs, key);
    }
    QCOMPARE(days.tabs->tab(), front);
    QCOMPARE(clicked.count(), front == start ? 0 : 1);
    if (front != start)
        QVERIFY(days.tabs->hasFocus());
}

void tst_Widgets::captionsFitTheirTabs()
{
    Days days;
    const QFontMetrics metrics = days.tabs->fontMetrics();
    QVERIFY(metrics.height() + 4 <= 35);
    for (int i = 0; i < days.tabs->count(); ++i) {
        const int room = days.tabs->tabRect(i).width() - 8;
        QVERIFY(metrics.horizontalAdvance(days.tabs->caption(i)) <= room);
    }
}

void tst_Widgets::tabsStayAbovePageChildren()
{
    Days days;
    auto *intruder = new QWidget(days.fields.first()->parentWidget()); // up into both tab rows
    intruder->setGeometry(0, 0, 405, 200);
    intruder->setAutoFillBackground(true);
    intruder->setPalette(QPalette(Qt::red));
    QVERIFY(days.show());

    const QImage image = days.tabs->grab().toImage();
    const QColor red(Qt::red);
    QCOMPARE(image.pixelColor(100, 150), red);
    for (const QPoint point : {QPoint(5, 20), QPoint(130, 30), QPoint(5, 60), QPoint(380, 60)}) {
        const QString where = u"%1,%2"_s.arg(point.x()).arg(point.y());
        QVERIFY2(image.pixelColor(point) != red, qPrintable(where));
    }
}

void tst_Widgets::drawnIconAnswersAsItsPictures_data()
{
    QTest::addColumn<QIcon::Mode>("mode");
    QTest::addColumn<QIcon::State>("state");
    QTest::newRow("normal") << QIcon::Normal << QIcon::Off;
    QTest::newRow("normal, on") << QIcon::Normal << QIcon::On;
    QTest::newRow("disabled") << QIcon::Disabled << QIcon::Off;
    QTest::newRow("active") << QIcon::Active << QIcon::Off;
}

// The icon paints its pictures only when asked, yet answers every request as an icon made
// of all of them, at 1x and 2x, would.
void tst_Widgets::drawnIconAnswersAsItsPictures()
{
    QFETCH(QIcon::Mode, mode);
    QFETCH(QIcon::State, state);
    const auto draw = [](QPainter &p) {
        p.setPen(QPen(Qt::darkBlue, 0.8));
        p.setBrush(Qt::yellow);
        p.drawEllipse(QRectF(1.5, 2.5, 13, 11));
    };
    QIcon pictures;
    for (int size : {16, 32, 48}) {
        for (qreal scale : {1.0, 2.0}) {
            QPixmap pixmap(QSize(size, size) * scale);
            pixmap.setDevicePixelRatio(scale);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(size / 16.0, size / 16.0);
            draw(painter);
            pictures.addPixmap(pixmap);
        }
    }
    const QIcon drawn = drawnIcon({16, 32, 48}, draw);

    QCOMPARE(drawn.availableSizes(mode, state), pictures.availableSizes(mode, state));
    for (int side = 1; side <= 100; ++side) {
        for (const QSize size : {QSize(side, side), QSize(side, side / 2 + 1)}) {
            QCOMPARE(drawn.actualSize(size, mode, state), pictures.actualSize(size, mode, state));
            for (qreal scale : {1.0, 2.0}) {
                const QPixmap expected = pictures.pixmap(size, scale, mode, state);
                const QPixmap actual = drawn.pixmap(size, scale, mode, state);
                QCOMPARE(actual.devicePixelRatio(), expected.devicePixelRatio());
                QCOMPARE(actual.toImage().convertToFormat(QImage::Format_ARGB32),
                         expected.toImage().convertToFormat(QImage::Format_ARGB32));
            }
        }
    }
}

QTEST_MAIN(tst_Widgets)
#include "tst_widgets.moc"
