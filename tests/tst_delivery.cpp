#include "windowtesting.h"

#include "app/programwindows.h"
#include "app/qtarguments.h"
#include "app/qttranslation.h"
#include "app/windowtable.h"
#include "tools/screenshots/screenshots.h"
#include "widgets/dialogfont.h"
#include "widgets/tabcontrol.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QSet>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;
using namespace windowtesting;

namespace {

// Without a name of its own a control borrows its frame's caption or shows its value as
// its name; neither tells the pupil which control it is. A list on Linux always shows its
// value, and screen readers name it by the label it is labelled by.
bool hasOwnName(QAccessibleInterface *node)
{
    const QString name = node->text(QAccessible::Name).trimmed();
    if (name.isEmpty())
        return false;
    if (name == node->text(QAccessible::Value).trimmed()) {
        const auto labels = node->relations(QAccessible::Label);
        return std::ranges::any_of(labels, [](const auto &label) {
            return qobject_cast<const QLabel *>(label.first->object()) != nullptr;
        });
    }
    for (const QObject *up = node->object()->parent(); up; up = up->parent()) {
        if (const auto *frame = qobject_cast<const QGroupBox *>(up); frame && frame->title().trimmed() == name)
            return false;
    }
    return true;
}

// The focusable controls of a window that a screen reader could not name.
void collectUnnamed(QAccessibleInterface *node, QStringList &unnamed)
{
    const QAccessible::State state = node->state();
    if (state.invisible)
        return;
    if (state.focusable && !hasOwnName(node))
        unnamed << node->object()->objectName();
    for (int i = 0; i < node->childCount(); ++i)
        collectUnnamed(node->child(i), unnamed);
}

int distinctColors(const QImage &image, int top, int height)
{
    QSet<QRgb> colors;
    for (int y = top; y < top + height; ++y)
        for (int x = 0; x < image.width(); ++x)
            colors.insert(image.pixel(x, y));
    return int(colors.size());
}

} // namespace

// Runs at 100 %, 150 % and 200 % (QT_SCALE_FACTOR), started as the program starts (main below).
class tst_Delivery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void qtSpeaksBulgarianAndTakesNoOptions();
    void everyFocusableControlHasAName();
    void controlsFitTheirWindow_data();
    void controlsFitTheirWindow();
    void windowIconsAreSharpAtEveryScale_data();
    void windowIconsAreSharpAtEveryScale();
    void screenshotsShowWholeWindows();

private:
    DataFolder m_folder;
    WindowTable m_windows;
};

void tst_Delivery::initTestCase()
{
    QVERIFY(qttranslation::install());
    dialogfont::apply();
    for (const auto &[name, lines] : {std::pair{"Predmeti.dat", 15}, {"Ocenki.dat", 15}, {"Ponedelnic.dat", 8},
                                      {"Vtornic.dat", 8}, {"Srqda.dat", 8}, {"Chetvurtuk.dat", 8}, {"Petuk.dat", 8}})
        m_folder.write(QString::fromLatin1(name), records(QStringList(lines, QString())));
    programwindows::addTo(m_windows, m_folder.path());
    QVERIFY(m_windows.open(programwindows::Timetable));
}

void tst_Delivery::qtSpeaksBulgarianAndTakesNoOptions()
{
    QWidget *calculator = m_windows.window(programwindows::Calculator);
    std::unique_ptr<QMenu> menu(child<QLineEdit>(calculator, u"Text1"_s)->createStandardContextMenu());
    QCOMPARE(menu->actions().first()->text().section(u'\t', 0, 0), u"&Отмяна"_s);

    // The user's -reverse and -qwindowtitle never reached Qt.
    QCOMPARE(QGuiApplication::layoutDirection(), Qt::LeftToRight);
    QCOMPARE(calculator->windowHandle()->title(), u"Калкулатор за средно аритметичен успех"_s);
}

void tst_Delivery::everyFocusableControlHasAName()
{
    QStringList unnamed;
    collectUnnamed(QAccessible::queryAccessibleInterface(m_windows.window(programwindows::Calculator)), unnamed);
    QWidget *timetable = m_windows.window(programwindows::Timetable);
    auto *days = child<TabControl>(timetable, u"SSTab1"_s);
    for (int day = 0; day < days->count(); ++day) { // only the front page's slots are shown
        days->setTab(day);
        collectUnnamed(QAccessible::queryAccessibleInterface(timetable), unnamed);
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u", "_s)));

    // The names say which row or slot a box is.
    const auto name = [](QWidget *window, const QString &control) {
        return QAccessible::queryAccessibleInterface(child(window, control))->text(QAccessible::Name);
    };
    QCOMPARE(name(m_windows.window(programwindows::Calculator), u"o3"_s), u"Оценка 3"_s);
    QCOMPARE(name(timetable, u"Text10"_s), u"Вторник, час 2"_s);
}

void tst_Delivery::controlsFitTheirWindow_data()
{
    QTest::addColumn<int>("entry");
    QTest::newRow("calculator") << int(programwindows::Calculator);
    QTest::newRow("timetable") << int(programwindows::Timetable);
}

// Every control lies inside the window's fixed client area, clear of its neighbours, and
// shows its whole caption.
void tst_Delivery::controlsFitTheirWindow()
{
    if (runsUnderWine())
        QSKIP("Wine's Tahoma is a look-alike with glyph widths of its own, so what fits with it "
              "says nothing about Windows' Tahoma");
    QFETCH(int, entry);
    const auto *window = static_cast<QMainWindow *>(m_windows.window(entry));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    const QWidget *client = window->centralWidget();
    for (const QWidget *control : client->findChildren<QWidget *>()) {
        const QString name = control->objectName();
        if (control->window() != window) // a list's popup
            continue;
        QVERIFY2(client->rect().contains(QRect(control->mapTo(client, QPoint()), control->size())), qPrintable(name));
        // The design's number labels touch their boxes by a pixel.
        const QRect core = control->geometry().adjusted(1, 1, -1, -1);
        for (const QWidget *sibling : control->parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (sibling != control && !sibling->isHidden() && !control->isHidden())
                QVERIFY2(!sibling->geometry().intersects(core), qPrintable(name + u" "_s + sibling->objectName()));
        }
        const int room = control->contentsRect().width();
        if (const auto *label = qobject_cast<const QLabel *>(control)) {
            const QSize needed = label->wordWrap() ? QSize(room, label->heightForWidth(label->width()))
                                                   : label->sizeHint();
            QVERIFY2(needed.width() <= label->width() && needed.height() <= label->height(), qPrintable(name));
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

void tst_Delivery::windowIconsAreSharpAtEveryScale_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QList<int>>("sizes");
    QTest::newRow("calculator") << int(programwindows::Calculator) << QList<int>{16, 32, 48};
    QTest::newRow("timetable") << int(programwindows::Timetable) << QList<int>{16, 32};
}

// Each size is drawn at 1x and 2x, so no screen scales a picture up.
void tst_Delivery::windowIconsAreSharpAtEveryScale()
{
    QFETCH(int, entry);
    QFETCH(QList<int>, sizes);
    const QList<QSize> available = m_windows.window(entry)->windowIcon().availableSizes();
    for (int size : sizes) {
        QVERIFY2(available.contains(QSize(size, size)), qPrintable(QString::number(size)));
        QVERIFY2(available.contains(QSize(size, size) * 2), qPrintable(QString::number(size)));
    }
}

void tst_Delivery::screenshotsShowWholeWindows()
{
    const QList<Screenshot> shots = takeScreenshots();
    QCOMPARE(shots.size(), 6);
    for (const Screenshot &shot : shots) {
        const QImage &image = shot.image;
        const qreal scale = image.devicePixelRatio();
        // The design widths, 7245 and 6420 twips; a title bar, a menu bar and the client area.
        const int width = shot.name == u"calculator"_s ? 483 : 428;
        const int clientHeight = shot.name == u"calculator"_s ? 414 : 360;
        QCOMPARE(image.size().width(), qRound(width * scale));
        QVERIFY2(image.height() > clientHeight * scale, qPrintable(shot.name));
        // Neither the title bar nor the status bar may come out blank.
        const int strip = qRound(16 * scale);
        QVERIFY2(distinctColors(image, 0, strip) > 8, qPrintable(shot.name));
        if (!runsUnderWine())
            QVERIFY2(distinctColors(image, image.height() - strip, strip) > 8, qPrintable(shot.name));
    }
    if (runsUnderWine())
        QSKIP("status bars unchecked: Wine's Tahoma draws 8 points from its embedded bitmaps, in "
              "two colours, where Windows smooths its Tahoma");
}

int main(int argc, char *argv[])
{
    char reverse[] = "-reverse";
    char title[] = "-qwindowtitle";
    char otherTitle[] = "X";
    char *userArguments[] = {argv[0], reverse, title, otherTitle, nullptr};
    QtArguments qtArguments(userArguments);
    QApplication app(qtArguments.count(), qtArguments.values());
    QApplication::setAttribute(Qt::AA_Use96Dpi); // as QTEST_MAIN
    tst_Delivery test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_delivery.moc"
