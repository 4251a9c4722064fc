#include "calculator/average.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_Average : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parseNumber_data();
    void parseNumber();
    void mean_data();
    void mean();
};

void tst_Average::parseNumber_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<double>>("value");

    const std::optional<double> none;
    QTest::newRow("two digits") << u"C"_s << u"10"_s << std::optional(10.0);
    QTest::newRow("signed") << u"C"_s << u"-3"_s << std::optional(-3.0);
    QTest::newRow("plus") << u"C"_s << u"+4"_s << std::optional(4.0);
    QTest::newRow("blanks around") << u"C"_s << u"  5.5\t "_s << std::optional(5.5);
    QTest::newRow("full stop under comma locale") << u"bg_BG"_s << u"5.5"_s << std::optional(5.5);
    QTest::newRow("comma under comma locale") << u"bg_BG"_s << u"5,5"_s << std::optional(5.5);
    QTest::newRow("comma under full stop locale") << u"en_US"_s << u"5,5"_s << std::optional(5.5);
    QTest::newRow("bare separators") << u"C"_s << u".5"_s << std::optional(0.5);
    QTest::newRow("trailing separator") << u"C"_s << u"5."_s << std::optional(5.0);
    for (const QString &text : {u""_s, u"  "_s, u"a"_s, u"б"_s, u"-"_s, u","_s, u"1.2.3"_s, u"5 5"_s,
                                u"1e3"_s, QString(400, u'9')})
        QTest::addRow("not a number: %s", qPrintable(text.left(8))) << u"C"_s << text << none;
    QTest::newRow("grouping") << u"en_US"_s << u"1,000.5"_s << none;
}

void tst_Average::parseNumber()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(std::optional<double>, value);

    QCOMPARE(average::parseNumber(text, QLocale(locale)), value);
}

// The mean as the calculator shows it: the total of the fifteen rows over the count.
void tst_Average::mean_data()
{
    QTest::addColumn<QList<double>>("grades");
    QTest::addColumn<double>("count");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");

    QTest::newRow("11/2") << QList<double>{6, 5} << 2.0 << u"C"_s << u"5.5"_s;
    QTest::newRow("10/2") << QList<double>{6, 4} << 2.0 << u"C"_s << u"5"_s;
    QTest::newRow("16/3") << QList<double>{6, 5, 5} << 3.0 << u"C"_s << u"5.33333333333333"_s;
    QTest::newRow("14/3") << QList<double>{5, 5, 4} << 3.0 << u"C"_s << u"4.66666666666667"_s;
    QTest::newRow("decimal comma") << QList<double>{6, 5} << 2.0 << u"bg_BG"_s << u"5,5"_s;
    QTest::newRow("negative zero") << QList<double>{} << -1.0 << u"C"_s << u"0"_s;
    QTest::newRow("no grouping") << QList<double>{123456} << 1.0 << u"en_US"_s << u"123456"_s;
    // Distinct powers of two: a row counted twice, or left out, changes the total.
    QList<double> powers;
    for (int row = 0; row < average::RowCount; ++row)
        powers << double(1 << row);
    QTest::newRow("every row once") << powers << 1.0 << u"C"_s << u"32767"_s;
}

void tst_Average::mean()
{
    QFETCH(QList<double>, grades);
    QFETCH(double, count);
    QFETCH(QString, locale);
    QFETCH(QString, text);

    std::array<double, average::RowCount> rows{};
    std::copy(grades.begin(), grades.end(), rows.begin());
    QCOMPARE(average::formatNumber(average::gradeTotal(rows) / count, QLocale(locale)), text);
}

QTEST_GUILESS_MAIN(tst_Average)
#include "tst_average.moc"
