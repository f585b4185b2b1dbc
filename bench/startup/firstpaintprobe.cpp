// Linked only into the start-up benchmark's programs, never into the shipped
// one. As soon as the application exists it watches for the first paint of a
// window; once that paint has been flushed it prints the wall-clock time in
// nanoseconds since the epoch and quits, so the script can time start-up from
// the moment it launched the program to the first painted window.
#include <QApplication>
#include <QEvent>
#include <QObject>

#include <chrono>
#include <cstdio>

namespace {

class FirstPaintProbe final : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && !m_seen) {
            m_seen = true;
            // Queued, so it runs after the backing store has been flushed to
            // the screen at the end of this paint pass.
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    const auto now = std::chrono::system_clock::now().time_since_epoch();
                    std::printf("%lld\n",
                                static_cast<long long>(std::chrono::nanoseconds(now).count()));
                    std::fflush(stdout);
                    QCoreApplication::quit();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    bool m_seen = false;
};

void installProbe()
{
    qApp->installEventFilter(new FirstPaintProbe);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
