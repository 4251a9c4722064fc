#include "typingfilter.h"

#include "storage/textfit.h"

#include <QLineEdit>
#include <QToolTip>

using namespace Qt::StringLiterals;

TypingFilter::TypingFilter(QLineEdit *box, qsizetype limit) : QValidator(box), m_box(box), m_limit(limit)
{
}

void TypingFilter::install(QLineEdit *box, qsizetype limit)
{
    // QLineEdit's own limit cuts a paste, and a text the program sets, without a word.
    box->setMaxLength(std::numeric_limits<int>::max());
    box->setValidator(new TypingFilter(box, limit));
}

QValidator::State TypingFilter::validate(QString &input, int &cursor) const
{
    // setText() marks a box unmodified before it validates; every edit of the pupil's is
    // on the undo stack, and so modified, by then.
    if (!m_box->isModified())
        return Acceptable;
    const storage::textfit::Typed fitted = storage::textfit::typed(input, cursor);
    if (fitted.text.size() > m_limit) {
        tell(m_limit == 1 ? u"Тук се пише само един знак."_s
                          : u"Текстът не може да бъде по-дълъг от %L1 знака."_s.arg(m_limit));
        return Invalid;
    }
    if (fitted.dropped)
        tell(u"Знак, който не може да бъде записан във файла, е пропуснат."_s);
    input = fitted.text;
    cursor = int(fitted.cursor);
    return Acceptable;
}

void TypingFilter::tell(const QString &what) const
{
    QToolTip::showText(m_box->mapToGlobal(QPoint(0, m_box->height())), what, m_box);
}
