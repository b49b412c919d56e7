#pragma once
// Waiting on the window thread for what the reader thread does: its deliveries arrive as
// queued calls, so the events run meanwhile.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

// Runs the window thread's events until `done` or `ms` passed; false on the timeout.
template <typename F>
bool spinUntil(F done, int ms = 5000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

// Runs the window thread's events for `ms`.
inline void spinFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
}
