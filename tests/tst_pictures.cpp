// Both windows as a pupil sees them, filled with the sample data, compared pixel for pixel
// with the reviewed pictures in tests/pictures: any control moved, recoloured, left unpainted
// or drawn otherwise shows. scripts/update-pictures.sh re-makes the pictures after a
// deliberate change.
#include "filetesting.h"

#include "app/programwindows.h"
#include "app/windowtable.h"
#include "tools/screenshots/screenshots.h"
#include "widgets/dialogfont.h"
#include "widgets/statusbar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

// Where `difference` marks pixels that differ, over a faded copy of the picture.
QImage difference(const QImage &actual, const QImage &expected, QRect *bounds)
{
    QImage marked = actual;
    QPainter(&marked).fillRect(marked.rect(), QColor(255, 255, 255, 192));
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if (!expected.valid(x, y) || actual.pixel(x, y) != expected.pixel(x, y)) {
                marked.setPixel(x, y, qRgb(255, 0, 0));
                *bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return marked;
}

// The innermost named control at a point of a window's picture.
QString controlAt(const QWidget *window, QPointF pixel)
{
    const QWidget *control = window->childAt((pixel / window->devicePixelRatio()).toPoint() - QPoint(0, TitleBarHeight));
    while (control && control->objectName().isEmpty())
        control = control->parentWidget();
    return control ? control->objectName() : u"the title bar"_s;
}

} // namespace

class tst_Pictures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windowLooksAsReviewed_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("clockPanel");
        QTest::newRow("calculator") << int(programwindows::Calculator) << 3;
        QTest::newRow("timetable") << int(programwindows::Timetable) << 2;
    }

    void windowLooksAsReviewed()
    {
        QFETCH(int, entry);
        QFETCH(int, clockPanel);
#ifdef Q_OS_WIN
        QSKIP("The pictures were drawn with the Linux fonts of the design; Windows has others.");
#endif
        filetesting::DataFolder folder;
        writeSampleFiles(folder.path());
        WindowTable windows;
        programwindows::addTo(windows, folder.path());
        QVERIFY(windows.open(entry));
        QWidget *window = windows.window(entry);
        if (entry == programwindows::Calculator)
            window->findChild<QAbstractButton *>(u"Command2"_s)->click();
        window->findChild<StatusBar *>()->panel(clockPanel)->setText(u"12:46"_s);
        QCoreApplication::sendPostedEvents(); // lays out the panels; no timer runs here

        const QImage actual = withTitleBar(window).convertToFormat(QImage::Format_RGB32);
        const qreal scale = actual.devicePixelRatio();
        const QString name = QLatin1StringView(QTest::currentDataTag()) + (scale == 1 ? QString() : u"@%1x"_s.arg(scale));
        const QImage expected = QImage(QStringLiteral(TUMBORA_PICTURES) + u"/"_s + name + u".png"_s)
                                        .convertToFormat(QImage::Format_RGB32);
        QRect bounds;
        const QImage marked = difference(actual, expected, &bounds);
        if (bounds.isEmpty() && actual.size() == expected.size())
            return;
        QVERIFY(actual.save(name + u".actual.png"_s) && marked.save(name + u".difference.png"_s));
        QFAIL(qPrintable(u"%1 differs from tests/pictures/%1.png within %2,%3 %4x%5, first in %6; see %1.actual.png "
                         "and %1.difference.png in %7"_s.arg(name).arg(bounds.x()).arg(bounds.y()).arg(bounds.width())
                                 .arg(bounds.height()).arg(controlAt(window, bounds.topLeft()), QDir::currentPath())));
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setAttribute(Qt::AA_Use96Dpi);
    QLocale::setDefault(QLocale::c());
    dialogfont::apply();
    tst_Pictures test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pictures.moc"
