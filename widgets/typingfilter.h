#pragma once

#include "storage/fieldreader.h"

#include <QValidator>

#include <optional>

class QLineEdit;

// Fits what a pupil types or pastes into a box to what a data file holds, at once, so the
// box shows what a save writes (see storage::textfit::typed). A character left out, or an
// edit that would make the text longer than the box holds, is refused, with a tooltip
// below the box that says so, which screen readers say too. Texts the program sets (a load)
// are shown as they are.
//
// Typed text is fitted before the box takes it, so a „ made of a typed " enters the box's
// undo history as a typed „ would, and a refused key leaves text and history alone. Other
// edits (a paste, a drop) are refused as they come and put in again fitted, as one edit of
// the box's own, right after: Ctrl+Z takes a paste back in one step.
class TypingFilter : public QValidator
{
public:
    static void install(QLineEdit *box, qsizetype limit = storage::MaxFieldLength);

    State validate(QString &input, int &cursor) const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The fitted text that goes in place of the characters from `from` on: `inserted` where
    // it replaces `count` characters at `position`, with the character before it, which
    // decides a quotation mark's direction and takes a diacritic typed apart.
    struct Fitted
    {
        qsizetype from;
        QString text;
    };

    TypingFilter(QLineEdit *box, qsizetype limit);
    // None if refused.
    std::optional<Fitted> fit(const QString &text, qsizetype position, qsizetype count,
                              const QString &inserted) const;
    // What the box takes in place of `typed` at its cursor or selection; the same text where
    // the box itself must fit it; none if refused.
    std::optional<QString> fitTyped(const QString &typed) const;
    void tellTooLong() const;
    void tellLeftOut() const;
    void tell(const QString &what) const;

    QLineEdit *m_box;
    qsizetype m_limit;
    QString m_shownText; // before the edit that is being validated
};
