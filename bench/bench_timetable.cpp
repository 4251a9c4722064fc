#include "timetable/timetablewindow.h"
#include "widgets/dialogfont.h"
#include "widgets/tabcontrol.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

// The timetable's commands, timed in-process. They report times and assert none. The
// calculator counts as open already, as it is whenever the timetable is opened.
// Run with QT_QPA_PLATFORM=offscreen; -median N repeats each N times and keeps the median.
class bench_Timetable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void formLoad();
    void changeDay();
    void save();

private:
    QTemporaryDir m_folder;
};

void bench_Timetable::initTestCase()
{
    dialogfont::apply();
    for (const QString &name :
         {u"Ponedelnic.dat"_s, u"Vtornic.dat"_s, u"Srqda.dat"_s, u"Chetvurtuk.dat"_s, u"Petuk.dat"_s}) {
        QFile file(m_folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int lesson = 1; lesson <= 8; ++lesson)
            file.write("\"\xcc\xe0\xf2\xe5\xec\xe0\xf2\xe8\xea\xe0 " + QByteArray::number(lesson) + "\"\r\n");
    }
}

// The load alone (Monday in front, five day files): it runs once on each window, so each
// of 51 windows is built untimed and its load timed; the median is the result.
void bench_Timetable::formLoad()
{
    std::vector<qint64> times;
    for (int run = 0; run < 51; ++run) {
        TimetableWindow window(m_folder.path(), [] {});
        QElapsedTimer timer;
        timer.start();
        window.load();
        times.push_back(timer.nsecsElapsed());
    }
    std::ranges::nth_element(times, times.begin() + times.size() / 2);
    QTest::setBenchmarkResult(times[times.size() / 2] / 1e6, QTest::WalltimeMilliseconds);
}

// A day chosen from the menu (F1..F5): its page to the front and the status text.
void bench_Timetable::changeDay()
{
    TimetableWindow window(m_folder.path(), [] {});
    window.load();
    QAction *days[] = {window.findChild<QAction *>(u"mnuPon"_s), window.findChild<QAction *>(u"mnuPet"_s)};
    auto *tabs = window.findChild<TabControl *>(u"SSTab1"_s);
    int day = 0;
    QBENCHMARK {
        days[day]->trigger();
        day = 1 - day;
    }
    QVERIFY(tabs->tab() == 0 || tabs->tab() == 4);
}

// "Запиши часовете": the day in front replaced through a new file renamed over the old.
void bench_Timetable::save()
{
    TimetableWindow window(m_folder.path(), [] {});
    window.load();
    auto *save = window.findChild<QPushButton *>(u"Command2"_s);
    QBENCHMARK {
        save->click();
    }
}

QTEST_MAIN(bench_Timetable)
#include "bench_timetable.moc"
