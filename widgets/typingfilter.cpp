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

TypingFilter::TypingFilter(QLineEdit *box, qsizetype limit)
    : QValidator(box), m_box(box), m_limit(limit), m_shownText(box->text())
{
    // Emitted after an edit is validated, so validate() sees the text from before it.
    connect(box, &QLineEdit::textChanged, this, [this](const QString &text) { m_shownText = text; });
}

void TypingFilter::install(QLineEdit *box, qsizetype limit)
{
    // QLineEdit's own limit cuts a paste, and a text the program sets, without a word.
    box->setMaxLength(std::numeric_limits<int>::max());
    auto *filter = new TypingFilter(box, limit);
    box->setValidator(filter);
    box->installEventFilter(filter);
}

QValidator::State TypingFilter::validate(QString &input, int &) const
{
    // setText() marks a box unmodified before it validates; every edit of the pupil's is
    // on the undo stack, and so modified, by then.
    if (!m_box->isModified())
        return Acceptable;
    // What the edit put in place of what: the text between the parts that stayed.
    const QString &before = m_shownText;
    qsizetype start = 0;
    while (start < before.size() && start < input.size() && before[start] == input[start])
        ++start;
    qsizetype end = 0;
    while (end < before.size() - start && end < input.size() - start
           && before[before.size() - 1 - end] == input[input.size() - 1 - end])
        ++end;
    const std::optional<Fitted> fitted = fit(before, start, before.size() - start - end,
                                             input.mid(start, input.size() - start - end));
    if (!fitted)
        return Invalid;
    if (before.left(fitted->from) + fitted->text + before.right(end) == input)
        return Acceptable;
    // Refused, the edit is undone; its fitted text goes in as an edit of the box's own, which
    // keeps the undo history as it is and takes its place there.
    QMetaObject::invokeMethod(
            m_box,
            [box = m_box, from = int(fitted->from), count = int(before.size() - end - fitted->from),
             text = fitted->text] {
                box->setSelection(from, count);
                box->insert(text);
            },
            Qt::QueuedConnection);
    return Invalid;
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

std::optional<TypingFilter::Fitted> TypingFilter::fit(const QString &text, qsizetype position, qsizetype count,
                                                      const QString &inserted) const
{
    const qsizetype from = position > 0 ? position - 1 : 0;
    const storage::textfit::Typed fitted = storage::textfit::typed(text.mid(from, position - from) + inserted);
    if (text.size() - count - (position - from) + fitted.text.size() > m_limit) {
        tellTooLong();
        return std::nullopt;
    }
    if (fitted.dropped)
        tellLeftOut();
    return Fitted{from, fitted.text};
}

std::optional<QString> TypingFilter::fitTyped(const QString &typed) const
{
    const QString text = m_box->text();
    const qsizetype position = m_box->hasSelectedText() ? m_box->selectionStart() : m_box->cursorPosition();
    const std::optional<Fitted> fitted = fit(text, position, m_box->selectedText().size(), typed);
    if (!fitted)
        return std::nullopt;
    const QString before = text.mid(fitted->from, position - fitted->from);
    if (!fitted->text.startsWith(before))
        return typed; // it changes the character before (a mark joined to its letter): left to validate()
    const QString inserted = fitted->text.mid(before.size());
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
