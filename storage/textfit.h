#pragma once

#include <QString>
#include <QStringView>

// Texts fitted to what a data file holds: Windows-1251 characters, no bare double quote
// (the quote ends a field), no NUL (it marks a broken file).
namespace storage::textfit {

struct Typed
{
    QString text;
    bool dropped = false; // a character was left out
};

// A text as a pupil typed or pasted it: a double quote becomes
// „ where it opens a quotation and “ where it closes one; a line break or a tab becomes a
// blank, as a box shows it; a letter with a diacritic the code page lacks becomes its plain
// letter (ѝ → и, é → e); anything else the code page cannot hold, and NUL, is left out.
Typed typed(QStringView text);

// A text read from a UTF-8 file: plain letters as for typing, "?" for what the code page
// cannot hold, so the box shows what a save writes; quotes stay as read.
QString read(QStringView text);

// Every bare double quote as the typographic quote typing gives.
QString withoutBareQuotes(QString text);

} // namespace storage::textfit
