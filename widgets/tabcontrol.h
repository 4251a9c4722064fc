#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QWidget>

// A tabbed-dialog control: pages with a caption each, tabs in rows of a fixed count.
// Children of a page are placed relative to the control's own top-left corner; the tab
// rows are drawn above them. Only the front page's children are shown and reachable.
class TabControl : public QWidget
{
    Q_OBJECT

public:
    explicit TabControl(QWidget *parent = nullptr);

    void setTabsPerRow(int count);
    void setTabHeight(int pixels);
    void setCaptionColor(const QColor &color);
    void setPageColor(const QColor &color);

    // The new page is a child of the control; put the page's controls on it.
    QWidget *addPage(const QString &caption);
    int count() const;
    QString caption(int index) const;

    // The index of the page in front (the classic `Tab`).
    int tab() const;
    // Brings that page to the front; out-of-range indexes are ignored.
    void setTab(int index);
    // Where that page's tab stands, in the control's coordinates.
    QRect tabRect(int index) const;

Q_SIGNALS:
    // The front page changed, by the user or by setTab(); carries the page in front before.
    void clicked(int previousTab);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    int rowsHeight() const;
    void drawTab(QPainter &painter, int index) const;
    void placePages();

    QList<QWidget *> m_pages;
    QList<QString> m_captions;
    int m_current = -1;
    int m_tabsPerRow = 3;
    int m_tabHeight = 20;
    QColor m_captionColor;
    QColor m_pageColor;
};
