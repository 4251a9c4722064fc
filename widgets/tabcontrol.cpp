#include "tabcontrol.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

TabControl::TabControl(QWidget *parent)
    : QWidget(parent),
      m_captionColor(palette().color(QPalette::WindowText)),
      m_pageColor(palette().color(QPalette::Window))
{
    setFocusPolicy(Qt::StrongFocus);
}

void TabControl::setTabsPerRow(int count)
{
    m_tabsPerRow = qMax(1, count);
    placePages();
    update();
}

void TabControl::setTabHeight(int pixels)
{
    m_tabHeight = qMax(0, pixels);
    placePages();
    update();
}

void TabControl::setCaptionColor(const QColor &color)
{
    m_captionColor = color;
    update();
}

void TabControl::setPageColor(const QColor &color)
{
    m_pageColor = color;
    update();
}

QWidget *TabControl::addPage(const QString &caption)
{
    auto *page = new QWidget(this);
    page->setAccessibleName(caption);
    m_pages.append(page);
    m_captions.append(caption);
    if (m_current < 0) {
        m_current = 0;
        setAccessibleDescription(caption);
    }
    page->setVisible(m_pages.size() - 1 == m_current);
    placePages();
    update();
    return page;
}

int TabControl::count() const
{
    return int(m_pages.size());
}

QString TabControl::caption(int index) const
{
    return m_captions.value(index);
}

int TabControl::tab() const
{
    return m_current;
}

void TabControl::setTab(int index)
{
    if (index < 0 || index >= count() || index == m_current)
        return;
    const int previous = m_current;
    QWidget *leaving = m_pages.at(previous);
    // Keep the focus from wandering off to some other control when its page goes away.
    if (leaving->isAncestorOf(window()->focusWidget()))
        setFocus();
    m_current = index;
    m_pages.at(index)->show();
    leaving->hide();
    setAccessibleDescription(m_captions.at(index));
    update();
    Q_EMIT clicked(previous);
}

void TabControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect pageArea = rect().adjusted(0, rowsHeight(), 0, 0);
    const QBrush pageFill(m_pageColor);
    qDrawWinPanel(&painter, pageArea, palette(), false, &pageFill);
    for (int i = 0; i < count(); ++i)
        drawTab(painter, i);
}

void TabControl::resizeEvent(QResizeEvent *)
{
    placePages();
}

void TabControl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        for (int i = 0; i < count(); ++i) {
            if (tabRect(i).contains(event->position().toPoint())) {
                setTab(i);
                return;
            }
        }
    }
    QWidget::mousePressEvent(event);
}

void TabControl::keyPressEvent(QKeyEvent *event)
{
    // Keys a page's control left unhandled are not meant for the tabs.
    if (!hasFocus()) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        setTab(m_current - 1);
        break;
    case Qt::Key_Right:
        setTab(m_current + 1);
        break;
    case Qt::Key_Home:
        setTab(0);
        break;
    case Qt::Key_End:
        setTab(count() - 1);
        break;
    default:
        QWidget::keyPressEvent(event);
        break;
    }
}

int TabControl::rowsHeight() const
{
    const int rows = (count() + m_tabsPerRow - 1) / m_tabsPerRow;
    return rows * m_tabHeight;
}

QRect TabControl::tabRect(int index) const
{
    const int width = this->width() / m_tabsPerRow;
    return {index % m_tabsPerRow * width, index / m_tabsPerRow * m_tabHeight, width, m_tabHeight};
}

// A classic raised tab: light top and left edges, dark right edge, cut corners. The
// front tab has the page's colour, stands two pixels taller and, in the row next to
// the page, opens into it; the rows stay in place.
void TabControl::drawTab(QPainter &painter, int index) const
{
    const bool front = index == m_current;
    QRect r = tabRect(index);
    if (!front)
        r.setTop(r.top() + 2);
    const bool opensIntoPage = front && r.bottom() + 1 == rowsHeight();
    const int bottom = opensIntoPage ? r.bottom() + 2 : r.bottom();

    const QPalette &pal = palette();
    const QColor fill = front ? m_pageColor : m_pageColor.darker(110);
    painter.fillRect(QRect(QPoint(r.left() + 1, r.top() + 1), QPoint(r.right() - 1, bottom)), fill);
    painter.setPen(pal.color(QPalette::Light));
    painter.drawLine(r.left(), bottom, r.left(), r.top() + 2);
    painter.drawPoint(r.left() + 1, r.top() + 1);
    painter.drawLine(r.left() + 2, r.top(), r.right() - 2, r.top());
    painter.setPen(pal.color(QPalette::Shadow));
    painter.drawPoint(r.right() - 1, r.top() + 1);
    painter.drawLine(r.right(), r.top() + 2, r.right(), bottom);
    painter.setPen(pal.color(QPalette::Dark));
    painter.drawLine(r.right() - 1, r.top() + 2, r.right() - 1, bottom);

    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    const QColor disabledText = pal.color(QPalette::Disabled, QPalette::WindowText);
    painter.setPen(isEnabled() ? m_captionColor : disabledText);
    painter.drawText(r, flags, m_captions.at(index));

    if (front && hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = painter.boundingRect(r, flags, m_captions.at(index)).adjusted(-2, 0, 2, 0);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

// Pages cover the whole control, so that their children are placed from its corner,
// but are masked off the tab rows: nothing on a page can draw over the tabs.
void TabControl::placePages()
{
    const QRect pageArea = rect().adjusted(0, rowsHeight(), 0, 0);
    for (QWidget *page : std::as_const(m_pages)) {
        page->setGeometry(rect());
        page->setMask(pageArea);
    }
}
