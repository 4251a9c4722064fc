// Linked into the bench builds only (the floor and bench/tumbora_firstframe, which is
// app/main.cpp built again): with BENCH_EXIT_AT_FIRST_FRAME=1 in the environment the program
// ends right after its first window has been painted, so that callgrind counts the
// instructions of the start-up up to the first frame and nothing after it. Without the
// variable it does nothing. The shipped program has no such hook.

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <cstdlib>

namespace {

class FirstFrame : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A window's paint event comes first in the repaint that paints and flushes the
        // whole window; the queued exit runs when control is back in the event loop.
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->isWindow() && !m_seen) {
            m_seen = true;
            QMetaObject::invokeMethod(this, [] { std::_Exit(EXIT_SUCCESS); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool m_seen = false;
};

void installFirstFrameExit()
{
    if (qEnvironmentVariableIntValue("BENCH_EXIT_AT_FIRST_FRAME") != 1)
        return;
    QCoreApplication::instance()->installEventFilter(new FirstFrame(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installFirstFrameExit)
