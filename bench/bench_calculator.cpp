#include "calculator/calcwindow.h"
#include "widgets/dialogfont.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

// The calculator's commands, timed in-process. They report times and assert none.
// Run with QT_QPA_PLATFORM=offscreen; -median N repeats each N times and keeps the median.
class bench_Calculator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void createAndLoad();
    void formLoad();
    void changeGradeCount();
    void computeMean();
    void save();
    void saveFloor();

private:
    QTemporaryDir m_folder;
};

void bench_Calculator::initTestCase()
{
    dialogfont::apply();
    for (const QString &name : {u"Predmeti.dat"_s, u"Ocenki.dat"_s}) {
        QFile file(m_folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int row = 1; row <= 15; ++row)
            file.write("\"" + QByteArray::number(row % 6 + 1) + "\"\r\n");
    }
}

// Opening the window: building it and its load.
void bench_Calculator::createAndLoad()
{
    QBENCHMARK {
        CalcWindow window(m_folder.path());
        window.load();
    }
}

// The load alone (the list, both files, the rows): it runs once on each window, so each
// of 51 windows is built untimed and its load timed; the median is the result.
void bench_Calculator::formLoad()
{
    std::vector<qint64> times;
    for (int run = 0; run < 51; ++run) {
        CalcWindow window(m_folder.path());
        QElapsedTimer timer;
        timer.start();
        window.load();
        times.push_back(timer.nsecsElapsed());
    }
    std::ranges::nth_element(times, times.begin() + times.size() / 2);
    QTest::setBenchmarkResult(times[times.size() / 2] / 1e6, QTest::WalltimeMilliseconds);
}

void bench_Calculator::changeGradeCount()
{
    CalcWindow window(m_folder.path());
    window.load();
    auto *list = window.findChild<QComboBox *>(u"Combo1"_s);
    int index = 0;
    QBENCHMARK {
        // Alternates between one and fifteen grades: fourteen resets and enablings each time.
        list->setCurrentIndex(index);
        index = 14 - index;
    }
}

void bench_Calculator::computeMean()
{
    CalcWindow window(m_folder.path());
    window.load();
    auto *compute = window.findChild<QPushButton *>(u"Command2"_s);
    auto *result = window.findChild<QLineEdit *>(u"Res"_s);
    QBENCHMARK {
        result->clear(); // so every press really changes the result and its panel
        compute->click();
    }
    QCOMPARE(result->text(), u"3.4"_s);
}

// "Запиши!": both files replaced, each through a new file renamed over the old.
void bench_Calculator::save()
{
    CalcWindow window(m_folder.path());
    window.load();
    auto *save = window.findChild<QToolButton *>(u"Command3"_s);
    QBENCHMARK {
        save->click();
    }
}

// The yardstick for a save: the same two files' bytes, each written at once through
// QSaveFile (a new file, synced to the disk, renamed over the old) by nothing but Qt.
void bench_Calculator::saveFloor()
{
    QByteArray bytes;
    for (int row = 1; row <= 15; ++row)
        bytes += "\"" + QByteArray::number(row % 6 + 1) + "\"\r\n";
    QBENCHMARK {
        for (const QString &name : {u"Predmeti.dat"_s, u"Ocenki.dat"_s}) {
            QSaveFile file(m_folder.filePath(name));
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
                QFAIL("cannot save");
        }
    }
}

QTEST_MAIN(bench_Calculator)
#include "bench_calculator.moc"
