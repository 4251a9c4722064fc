#include "textfit.h"

#include "codepage.h"

using namespace Qt::StringLiterals;

namespace storage::textfit {

namespace {

constexpr QChar openingQuote{0x201E}; // „
constexpr QChar closingQuote{0x201C}; // “

// A quote opens at the start, after a blank and after what opens a phrase.
QChar typographicQuote(QStringView before)
{
    if (before.isEmpty() || before.back().isSpace())
        return openingQuote;
    return u"([{<«„'-–—/"_s.contains(before.back()) ? openingQuote : closingQuote;
}

bool isMark(char32_t character)
{
    return QChar::category(character) == QChar::Mark_NonSpacing;
}

// The code page's letter that `character` is written with plus diacritics, or 0.
char32_t plainLetter(char32_t character)
{
    const QString parts = QString::fromUcs4(&character, 1).normalized(QString::NormalizationForm_D);
    if (parts.size() < 2 || !parts[0].isLetter() || !cp1251::holds(parts[0].unicode()))
        return 0;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        if (!isMark(parts[i].unicode()))
            return 0;
    }
    return parts[0].unicode();
}

// Typed (or pasted): quotes become quotation marks, line breaks and tabs blanks, and what the
// code page cannot hold is left out. Read from a UTF-8 file: what it cannot hold becomes "?".
Typed fit(QStringView text, bool asTyped)
{
    Typed result;
    QString &out = result.text;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        char32_t c = text[i].unicode();
        qsizetype length = 1;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            length = 2;
        }
        i += length;

        if (c == u'"' && asTyped) {
            out += typographicQuote(out);
        } else if (c != 0 && c < 0x20 && asTyped) {
            out += u' '; // as a box shows it
        } else if (c != 0 && cp1251::holds(c)) {
            out += QChar(c);
        } else if (isMark(c) && !out.isEmpty()) {
            // A diacritic typed apart: joined to its letter where the code page has the
            // pair (И + breve is Й), otherwise left out with the letter kept.
            const QString joined = (QString(out.back()) + QString::fromUcs4(&c, 1))
                                           .normalized(QString::NormalizationForm_C);
            if (joined.size() == 1 && cp1251::holds(joined[0].unicode()))
                out.back() = joined[0];
        } else if (const char32_t plain = plainLetter(c)) {
            out += QChar(plain);
        } else if (!asTyped) {
            out += u'?';
        } else {
            result.dropped = true;
        }
    }
    return result;
}

} // namespace

Typed typed(QStringView text)
{
    return fit(text, true);
}

QString read(QStringView text)
{
    return fit(text, false).text;
}

QString withoutBareQuotes(QString text)
{
    for (qsizetype i = text.indexOf(u'"'); i >= 0; i = text.indexOf(u'"', i + 1))
        text[i] = typographicQuote(QStringView(text).left(i));
    return text;
}

} // namespace storage::textfit
