#include "statusbar.h"
#include "twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>
#include <QTimer>

#ifdef Q_OS_WIN
#  include <qt_windows.h>
#endif

using namespace Qt::StringLiterals;

namespace {

constexpr int PanelGap = 2;

} // namespace

StatusBar::StatusBar(const QList<Panel> &panels, int heightTwips, QWidget *parent)
    : QWidget(parent), m_design(panels), m_designHeight(twips::toPixels(heightTwips))
{
    bool hasClock = false;
    bool hasCapsLock = false;
    for (const Panel &design : panels) {
        auto *label = new QLabel(this);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // Texts are shown as set: one with a "<" is never read as markup.
        label->setTextFormat(Qt::PlainText);
        switch (design.style) {
        case Style::Text:
            label->setText(design.text);
            break;
        case Style::Clock:
            hasClock = true;
            break;
        case Style::CapsLock:
            label->setText(QStringLiteral("CAPS"));
            hasCapsLock = true;
            break;
        }
        m_panels.append(label);
    }

    if (hasClock) {
        m_clockTimer = new QTimer(this);
        m_clockTimer->setSingleShot(true);
        m_clockTimer->setTimerType(Qt::PreciseTimer);
        connect(m_clockTimer, &QTimer::timeout, this, &StatusBar::updateClock);
        updateClock();
    }
    if (hasCapsLock) {
        // Removed again by QObject when the bar goes away.
        qApp->installEventFilter(this);
#ifdef Q_OS_WIN
        // The key may have been pressed while another program had the keyboard.
        connect(qApp, &QGuiApplication::applicationStateChanged, this, &StatusBar::updateCapsLock);
#endif
        updateCapsLock();
    }

    parent->installEventFilter(this);
    dockToParent();
    layoutPanels();
}

QLabel *StatusBar::panel(int number) const
{
    return m_panels.value(number - 1);
}

bool StatusBar::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::FontChange:
        dockToParent();
        break;
    case QEvent::LayoutRequest: // a panel's text changed its size hint
    case QEvent::Resize:
        layoutPanels();
        break;
    case QEvent::LocaleChange:
        if (m_clockTimer)
            updateClock();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

bool StatusBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parent() && event->type() == QEvent::Resize) {
        dockToParent();
    } else if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_CapsLock && !key->isAutoRepeat())
            capsLockKey(event->type() == QEvent::KeyPress);
    }
    return QWidget::eventFilter(watched, event);
}

void StatusBar::dockToParent()
{
    const QWidget *client = parentWidget();
    // Like the platform's status bar, grow with the font rather than clip the text
    // between the sunken frame lines.
    const int height = qMax(m_designHeight, fontMetrics().height() + 2);
    setGeometry(0, client->height() - height, client->width(), height);
}

void StatusBar::layoutPanels()
{
    QList<int> widths;
    int used = PanelGap * (int(m_panels.size()) - 1);
    int springs = 0;
    for (qsizetype i = 0; i < m_panels.size(); ++i) {
        const Panel &design = m_design.at(i);
        const int minimum = twips::toPixels(design.minWidthTwips);
        int width = minimum;
        switch (design.autoSize) {
        case AutoSize::None:
            width = qMax(minimum, twips::toPixels(design.widthTwips));
            break;
        case AutoSize::Contents:
            width = qMax(minimum, m_panels.at(i)->sizeHint().width());
            break;
        case AutoSize::Spring:
            ++springs;
            break;
        }
        widths.append(width);
        used += width;
    }

    // Springs start at their minimum and share what is left.
    const int spare = qMax(0, this->width() - used);
    int spring = 0;
    int x = 0;
    for (qsizetype i = 0; i < m_panels.size(); ++i) {
        int width = widths.at(i);
        if (m_design.at(i).autoSize == AutoSize::Spring) {
            width += spare * (spring + 1) / springs - spare * spring / springs;
            ++spring;
        }
        m_panels.at(i)->setGeometry(x, 0, width, height());
        x += width + PanelGap;
    }
}

void StatusBar::updateClock()
{
    // The locale's short time, without seconds: some locales (C among them) carry them, and
    // the clock changes only once a minute.
    QString format = QLocale().timeFormat(QLocale::ShortFormat);
    format.remove(QRegularExpression(u"[^HhmAaPpt]?s+"_s));
    const QString time = QLocale().toString(QTime::currentTime(), format);
    for (qsizetype i = 0; i < m_panels.size(); ++i) {
        if (m_design.at(i).style == Style::Clock)
            m_panels.at(i)->setText(time);
    }
    scheduleClock();
}

// One wake-up a minute, just after the shown time has gone stale.
void StatusBar::scheduleClock()
{
    const QTime now = QTime::currentTime();
    m_clockTimer->start(60'000 - (now.second() * 1000 + now.msec()));
}

// Windows tells the Caps Lock state; elsewhere Qt reports only the key, so the bar
// follows the presses. A press reaches the filter once per widget it propagates
// through, hence the toggle only on the first press after a release.
void StatusBar::capsLockKey(bool pressed)
{
#ifdef Q_OS_WIN
    Q_UNUSED(pressed);
#else
    if (pressed && !m_capsLockDown)
        m_capsLockOn = !m_capsLockOn;
    m_capsLockDown = pressed;
#endif
    updateCapsLock();
}

void StatusBar::updateCapsLock()
{
#ifdef Q_OS_WIN
    m_capsLockOn = GetKeyState(VK_CAPITAL) & 1;
#endif
    for (qsizetype i = 0; i < m_panels.size(); ++i) {
        if (m_design.at(i).style == Style::CapsLock)
            m_panels.at(i)->setEnabled(m_capsLockOn);
    }
}
