#include "calculator/average.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_Average : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parseNumber_data();
    void parseNumber();
    void formatNumber_data();
    void formatNumber();
    void gradeTotalCountsEveryRowOnce();
};

void tst_Average::parseNumber_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");

    QTest::newRow("digit") << u"C"_s << u"6"_s << true << 6.0;
    QTest::newRow("two digits from a file") << u"C"_s << u"10"_s << true << 10.0;
    QTest::newRow("signed") << u"C"_s << u"-3"_s << true << -3.0;
    QTest::newRow("plus") << u"C"_s << u"+4"_s << true << 4.0;
    QTest::newRow("blanks around") << u"C"_s << u"  5.5\t "_s << true << 5.5;
    QTest::newRow("full stop under comma locale") << u"bg_BG"_s << u"5.5"_s << true << 5.5;
    QTest::newRow("comma under comma locale") << u"bg_BG"_s << u"5,5"_s << true << 5.5;
    QTest::newRow("comma under full stop locale") << u"en_US"_s << u"5,5"_s << true << 5.5;
    QTest::newRow("leading separator") << u"C"_s << u".5"_s << true << 0.5;
    QTest::newRow("trailing separator") << u"C"_s << u"5."_s << true << 5.0;

    QTest::newRow("empty") << u"C"_s << QString() << false << 0.0;
    QTest::newRow("blank") << u"C"_s << u"  "_s << false << 0.0;
    QTest::newRow("letter") << u"C"_s << u"a"_s << false << 0.0;
    QTest::newRow("Cyrillic") << u"C"_s << u"б"_s << false << 0.0;
    QTest::newRow("sign alone") << u"C"_s << u"-"_s << false << 0.0;
    QTest::newRow("separator alone") << u"C"_s << u","_s << false << 0.0;
    QTest::newRow("two separators") << u"C"_s << u"1.2.3"_s << false << 0.0;
    QTest::newRow("grouping") << u"en_US"_s << u"1,000.5"_s << false << 0.0;
    QTest::newRow("inner blank") << u"C"_s << u"5 5"_s << false << 0.0;
    QTest::newRow("exponent") << u"C"_s << u"1e3"_s << false << 0.0;
    QTest::newRow("out of range") << u"C"_s << QString(400, u'9') << false << 0.0;
}

void tst_Average::parseNumber()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, value);

    const auto result = average::parseNumber(text, QLocale(locale));
    QCOMPARE(result.has_value(), valid);
    if (valid)
        QCOMPARE(*result, value);
}

void tst_Average::formatNumber_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("11/2") << u"C"_s << 11.0 / 2 << u"5.5"_s;
    QTest::newRow("10/2") << u"C"_s << 10.0 / 2 << u"5"_s;
    QTest::newRow("16/3") << u"C"_s << 16.0 / 3 << u"5.33333333333333"_s;
    QTest::newRow("14/3") << u"C"_s << 14.0 / 3 << u"4.66666666666667"_s;
    QTest::newRow("decimal comma") << u"bg_BG"_s << 11.0 / 2 << u"5,5"_s;
    QTest::newRow("zero") << u"C"_s << 0.0 << u"0"_s;
    QTest::newRow("negative zero") << u"C"_s << -0.0 << u"0"_s;
    QTest::newRow("negative") << u"C"_s << -2.5 << u"-2.5"_s;
    QTest::newRow("no grouping") << u"en_US"_s << 123456.0 << u"123456"_s;
}

void tst_Average::formatNumber()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, text);

    QCOMPARE(average::formatNumber(value, QLocale(locale)), text);
}

void tst_Average::gradeTotalCountsEveryRowOnce()
{
    // Distinct powers of two: a row counted twice, or left out, changes the total.
    std::array<double, average::RowCount> grades{};
    for (int row = 0; row < average::RowCount; ++row)
        grades[row] = 1 << row;
    QCOMPARE(average::gradeTotal(grades), double((1 << average::RowCount) - 1));

    grades.fill(0);
    QCOMPARE(average::gradeTotal(grades), 0.0);
    grades = {6, 6, 5, 10, -2};
    QCOMPARE(average::gradeTotal(grades), 25.0);
}

QTEST_GUILESS_MAIN(tst_Average)
#include "tst_average.moc"
