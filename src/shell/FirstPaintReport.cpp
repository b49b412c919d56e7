#include "shell/FirstPaintReport.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

FirstPaintReport::FirstPaintReport(QWidget* window, std::function<void()> afterwards)
    : QObject(window)
    , m_report(qEnvironmentVariableIsSet("KARVEX_REPORT_FIRST_PAINT"))
    , m_afterwards(std::move(afterwards))
{
    window->installEventFilter(this);
}

bool FirstPaintReport::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] { // after the painted picture is flushed
            if (m_report) {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::fprintf(stderr, "first paint at %lld.%09ld\n", static_cast<long long>(now.tv_sec), now.tv_nsec);
            }
            if (m_afterwards)
                m_afterwards();
        });
    }
    return false;
}
