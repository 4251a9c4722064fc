#include "calculator/average.h"

#include <QTest>

using namespace Qt::StringLiterals;

using Rows = std::array<double, average::RowCount>;

class tst_Average : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Either separator is read, whatever the locale; nothing else but the digits and a sign.
    void parseNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<double>>("value");

        for (const auto &[text, value] : {std::pair{u"10"_s, 10.0}, {u"-3"_s, -3.0}, {u"+4"_s, 4.0}, {u"  5.5\t "_s, 5.5}, {u"5,5"_s, 5.5}, {u".5"_s, 0.5}, {u"5."_s, 5.0}})
            QTest::newRow(qPrintable(text)) << text << std::optional(value);
        for (const QString &text : {QString(), u"  "_s, u"a"_s, u"б"_s, u"-"_s, u","_s, u"1.2.3"_s, u"5 5"_s, u"1e3"_s, u"1,000.5"_s, QString(400, u'9')})
            QTest::addRow("not a number: %s", qPrintable(text.left(8))) << text << std::optional<double>();
    }

    void parseNumber()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<double>, value);

        for (const QString &locale : {u"C"_s, u"bg_BG"_s, u"en_US"_s})
            QCOMPARE(average::parseNumber(text, QLocale(locale)), value);
    }

    // The mean as the calculator shows it: the total of the fifteen rows over the count.
    void mean_data()
    {
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<double>("count");
        QTest::addColumn<QString>("text");

        QTest::newRow("14/3, rounded") << Rows{5, 5, 4} << 3.0 << u"4,66666666666667"_s;
        QTest::newRow("negative zero") << Rows{} << -1.0 << u"0"_s;
        // Distinct powers of two: a row counted twice, or left out, changes the total; and no
        // group separator, no decimals.
        Rows powers{};
        for (int row = 0; row < average::RowCount; ++row)
            powers[row] = 1 << row;
        QTest::newRow("every row once") << powers << 1.0 << u"32767"_s;
    }

    void mean()
    {
        QFETCH(Rows, rows);
        QFETCH(double, count);
        QFETCH(QString, text);

        QCOMPARE(average::formatNumber(average::gradeTotal(rows) / count, QLocale(u"bg_BG"_s)), text);
    }
};

QTEST_GUILESS_MAIN(tst_Average)
#include "tst_average.moc"
