#include "accessibletextbox.h"

#include <QAccessibleWidget>
#include <QLineEdit>
#include <QTextLayout>

#include <algorithm>

namespace accessibletextbox {

namespace {

class TextBoxInterface : public QAccessibleWidget,
                         public QAccessibleTextInterface,
                         public QAccessibleEditableTextInterface
{
public:
    explicit TextBoxInterface(QLineEdit *box) : QAccessibleWidget(box, QAccessible::EditableText)
    {
        addControllingSignal(QStringLiteral("textChanged(const QString&)"));
        addControllingSignal(QStringLiteral("returnPressed()"));
    }

    QString text(QAccessible::Text t) const override
    {
        const QString value = t == QAccessible::Value ? box()->displayText() : QString();
        return value.isEmpty() ? QAccessibleWidget::text(t) : value;
    }
    void setText(QAccessible::Text t, const QString &text) override
    {
        if (t == QAccessible::Value)
            replaceText(0, characterCount(), text);
        else
            QAccessibleWidget::setText(t, text);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = state.selectableText = true;
        state.readOnly = box()->isReadOnly();
        state.passwordEdit = box()->echoMode() != QLineEdit::Normal;
        return state;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The text as shown, so a password stays hidden.
    QString text(int startOffset, int endOffset) const override
    {
        return box()->displayText().mid(startOffset, std::max(endOffset - startOffset, 0));
    }
    int characterCount() const override { return int(box()->displayText().size()); }

    // A box has one run of text, without attributes.
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override
    {
        *startOffset = selectionIndex == 0 ? box()->selectionStart() : 0;
        *endOffset = selectionIndex == 0 ? box()->selectionEnd() : 0;
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex == 0)
            box()->setSelection(startOffset, endOffset - startOffset);
    }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex == 0)
            box()->deselect();
    }

    // Where Qt's own puts a character: on the box's text line, below its top text margin.
    QRect characterRect(int offset) const override
    {
        const QString character = text(offset, offset + 1);
        if (character.isEmpty())
            return {};
        QTextLayout layout(text(0, characterCount()), box()->font());
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        const QFontMetrics metrics(box()->font());
        return {box()->mapToGlobal(QPoint(int(line.cursorToX(offset)), box()->textMargins().top())),
                QSize(metrics.horizontalAdvance(character), metrics.height())};
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        box()->setCursorPosition(endIndex);
        box()->setCursorPosition(startIndex);
    }

    void deleteText(int startOffset, int endOffset) override { replaceText(startOffset, endOffset, {}); }
    void insertText(int offset, const QString &text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString &text) override
    {
        if (box()->isReadOnly() || startOffset < 0 || startOffset > endOffset || endOffset > characterCount())
            return;
        box()->setSelection(startOffset, endOffset - startOffset);
        box()->insert(text);
    }

private:
    QLineEdit *box() const { return static_cast<QLineEdit *>(widget()); }
};

QAccessibleInterface *textBoxInterface(const QString &className, QObject *object)
{
    if (className != QLatin1StringView(QLineEdit::staticMetaObject.className()))
        return nullptr;
    return new TextBoxInterface(static_cast<QLineEdit *>(object));
}

} // namespace

void install()
{
    QAccessible::installFactory(textBoxInterface);
}

} // namespace accessibletextbox
