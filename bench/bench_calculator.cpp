#include "calculator/calcwindow.h"
#include "widgets/dialogfont.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Run with QT_QPA_PLATFORM=offscreen; pass -iterations N or -minimumvalue for steadier figures.
class bench_Calculator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void formLoad();
    void computeMean();
    void changeGradeCount();

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

void bench_Calculator::formLoad()
{
    QBENCHMARK {
        CalcWindow window(m_folder.path());
        window.Form_Load();
    }
}

void bench_Calculator::computeMean()
{
    CalcWindow window(m_folder.path());
    window.Form_Load();
    auto *compute = window.findChild<QPushButton *>(u"Command2"_s);
    auto *result = window.findChild<QLineEdit *>(u"Res"_s);
    QBENCHMARK {
        result->clear(); // so every press really changes the result and its panel
        compute->click();
    }
    QCOMPARE(result->text(), u"3.4"_s);
}

void bench_Calculator::changeGradeCount()
{
    CalcWindow window(m_folder.path());
    window.Form_Load();
    auto *list = window.findChild<QComboBox *>(u"Combo1"_s);
    int index = 0;
    QBENCHMARK {
        // Alternates between one and fifteen grades: fourteen resets and enablings each time.
        list->setCurrentIndex(index);
        index = 14 - index;
    }
}

QTEST_MAIN(bench_Calculator)
#include "bench_calculator.moc"
