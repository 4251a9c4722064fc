#include "average.h"

#include <QByteArray>

#include <cmath>

namespace average {

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

bool isDecimalSeparator(QChar c, const QLocale &locale)
{
    return c == u'.' || c == u',' || QStringView(&c, 1) == locale.decimalPoint();
}

double add(double a, double b) { return ((a - b) + b) + b; }

} // namespace

std::optional<double> parseNumber(QStringView text, const QLocale &locale)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;

    QByteArray plain; // the number in the C locale's notation
    qsizetype i = begin;
    if (i < end && (text[i] == u'+' || text[i] == u'-'))
        plain += char(text[i++].unicode());
    bool digits = false;
    bool separator = false;
    for (; i < end; ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            plain += char(c.unicode());
            digits = true;
        } else if (!separator && isDecimalSeparator(c, locale)) {
            plain += '.';
            separator = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    bool ok = false;
    const double value = plain.toDouble(&ok); // locale-independent, unlike strtod
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString formatNumber(double value, const QLocale &locale)
{
    if (value == 0)
        value = 0; // never "-0"
    QString text = QString::number(value, 'G', 15);
    text.replace(u'.', locale.decimalPoint());
    return text;
}

double gradeTotal(const std::array<double, RowCount> &g)
{
    const double s1 = add(g[0], g[1]);
    const double s2 = add(g[2], g[3]);
    const double s3 = add(g[4], g[5]);
    const double s4 = add(g[6], g[7]);
    const double s5 = add(g[8], g[9]);
    const double s6 = add(g[10], g[11]);
    const double s7 = add(g[12], g[13]);
    const double s8 = add(s1, s2);
    const double s9 = add(s3, s4);
    const double s10 = add(s5, s6);
    const double s11 = add(s9, s8);
    const double s12 = add(s7, s10);
    const double s13 = add(s11, s12);
    return add(s13, g[14]);
}

} // namespace average
