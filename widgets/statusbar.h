#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QLabel;
class QTimer;

// A status bar of numbered panels, as the windows' designs describe it. It docks itself
// to the bottom edge of its parent and keeps its clock and Caps Lock panels up by itself.
class StatusBar : public QWidget
{
    Q_OBJECT

public:
    enum class Style { Text, Clock, CapsLock };
    enum class AutoSize {
        None,     // fixed at its width
        Spring,   // takes whatever the other panels leave, never below its minimum
        Contents, // as wide as its text needs, never below its minimum
    };
    struct Panel
    {
        Style style = Style::Text;
        AutoSize autoSize = AutoSize::None;
        int widthTwips = 1440;
        int minWidthTwips = 1440;
        QString text = {};
    };

    StatusBar(const QList<Panel> &panels, int heightTwips, QWidget *parent);

    // Panels are counted from 1.
    QLabel *panel(int number) const;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void dockToParent();
    void layoutPanels();
    void updateClock();
    void scheduleClock();
    void capsLockKey(bool pressed);
    void updateCapsLock();

    QList<Panel> m_design;
    QList<QLabel *> m_panels;
    int m_designHeight;
    QTimer *m_clockTimer = nullptr;
    bool m_capsLockOn = false;
    bool m_capsLockDown = false;
};
