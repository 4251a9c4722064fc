#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// The arithmetic of the grade calculator, free of widgets.
namespace average {

inline constexpr int RowCount = 15;

// A decimal number, optionally signed, with blanks around it. The decimal separator is the
// locale's, or either of "." and ",", so a file saved under another locale still reads.
// No digit grouping and no exponent. Fails on anything else and on values out of range.
std::optional<double> parseNumber(QStringView text, const QLocale &locale = QLocale());

// The general number format: 15 significant digits, no trailing zeros or separator,
// the locale's decimal separator, no grouping.
QString formatNumber(double value, const QLocale &locale = QLocale());

// The fifteen grades summed pairwise in the program's fixed order, each addition done as
// ((a - b) + b) + b, so results agree to the last bit with files computed before.
double gradeTotal(const std::array<double, RowCount> &grades);

} // namespace average
