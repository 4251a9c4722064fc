#pragma once

#include "storage/fieldreader.h"

#include <QValidator>

class QLineEdit;

// Fits what a pupil types or pastes into a box to what a data file holds, at once, so the
// box shows what a save writes (see storage::textfit::typed). A character left out, or an
// edit that would make the text longer than the box holds, is refused, with a tooltip
// below the box that says so. Texts the program sets (a load) are shown as they are.
class TypingFilter : public QValidator
{
public:
    static void install(QLineEdit *box, qsizetype limit = storage::MaxFieldLength);

    State validate(QString &input, int &cursor) const override;

private:
    TypingFilter(QLineEdit *box, qsizetype limit);
    void tell(const QString &what) const;

    QLineEdit *m_box;
    qsizetype m_limit;
};
