#include "typingfilter.h"

#include "announcement.h"

#include "storage/textfit.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolTip>

using namespace Qt::StringLiterals;

namespace {

// A key that puts its text into a box, as QLineEdit decides it (not a shortcut).
bool typesText(const QKeyEvent *key)
{
    const QString text = key->text();
    if (text.isEmpty() || key->modifiers() == Qt::ControlModifier
        || key->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    return text[0].isPrint() || text[0].isSurrogate();
}

} // namespace

TypingFilter::TypingFilter(QLineEdit *box, qsizetype limit) : QValidator(box), m_box(box), m_limit(limit)
{
}

void TypingFilter::install(QLineEdit *box, qsizetype limit)
{
    // QLineEdit's own limit cuts a paste, and a text the program sets, without a word.
    box->setMaxLength(std::numeric_limits<int>::max());
    auto *filter = new TypingFilter(box, limit);
    box->setValidator(filter);
    box->installEventFilter(filter);
}

QValidator::State TypingFilter::validate(QString &input, int &cursor) const
{
    // setText() marks a box unmodified before it validates; every edit of the pupil's is
    // on the undo stack, and so modified, by then.
    if (!m_box->isModified())
        return Acceptable;
    const storage::textfit::Typed fitted = storage::textfit::typed(input, cursor);
    if (fitted.text.size() > m_limit) {
        tellTooLong();
        return Invalid;
    }
    if (fitted.dropped)
        tellLeftOut();
    input = fitted.text;
    cursor = int(fitted.cursor);
    return Acceptable;
}

bool TypingFilter::eventFilter(QObject *, QEvent *event)
{
    if (m_box->isReadOnly())
        return false;
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!typesText(key))
            return false;
        const std::optional<QString> fitted = fitTyped(key->text());
        if (fitted == key->text())
            return false;
        if (fitted) {
            QKeyEvent typed(key->type(), key->key(), key->modifiers(), key->nativeScanCode(),
                            key->nativeVirtualKey(), key->nativeModifiers(), *fitted,
                            key->isAutoRepeat(), key->count());
            QCoreApplication::sendEvent(m_box, &typed);
        }
        return true;
    }
    if (event->type() == QEvent::InputMethod) {
        // An input method's committed text, as typed; a composition or a replacement of
        // text already there is left to the box.
        const auto *input = static_cast<QInputMethodEvent *>(event);
        if (input->commitString().isEmpty() || !input->preeditString().isEmpty() || input->replacementLength())
            return false;
        const std::optional<QString> fitted = fitTyped(input->commitString());
        if (fitted == input->commitString())
            return false;
        if (fitted) {
            QInputMethodEvent typed;
            typed.setCommitString(*fitted);
            QCoreApplication::sendEvent(m_box, &typed);
        }
        return true;
    }
    return false;
}

std::optional<QString> TypingFilter::fitTyped(const QString &typed) const
{
    const QString text = m_box->text();
    const qsizetype start = m_box->hasSelectedText() ? m_box->selectionStart() : m_box->cursorPosition();
    // The character before decides which quotation mark a quote becomes.
    const QString before = start > 0 ? QString(text[start - 1]) : QString();
    const storage::textfit::Typed fitted = storage::textfit::typed(before + typed, before.size() + typed.size());
    if (!fitted.text.startsWith(before))
        return typed; // it changes the character before (a mark joined to its letter): left to validate()
    const QString inserted = fitted.text.mid(before.size());
    if (text.size() - m_box->selectedText().size() + inserted.size() > m_limit) {
        tellTooLong();
        return std::nullopt;
    }
    if (fitted.dropped)
        tellLeftOut();
    if (inserted.isEmpty())
        return std::nullopt;
    return inserted;
}

void TypingFilter::tellTooLong() const
{
    tell(m_limit == 1 ? u"Тук се пише само един знак."_s
                      : u"Текстът не може да бъде по-дълъг от %L1 знака."_s.arg(m_limit));
}

void TypingFilter::tellLeftOut() const
{
    tell(u"Знак, който не може да бъде записан във файла, е пропуснат."_s);
}

void TypingFilter::tell(const QString &what) const
{
    QToolTip::showText(m_box->mapToGlobal(QPoint(0, m_box->height())), what, m_box);
    announcement::announce(m_box, what); // screen readers do not read tooltips
}
