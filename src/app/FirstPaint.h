#pragma once
// Work that waits for the home screen's first paint, so that the start shows it as soon as
// it can.
#include <functional>
#include <vector>

class FirstPaint {
public:
    // `startServices` starts the services that waited for the paint; empty when nothing
    // waits (the tests' doubles): work then runs at once.
    explicit FirstPaint(std::function<void()> startServices)
        : m_startServices(std::move(startServices))
    {
    }

    // Runs `work` once the first screen has been painted (at once when it has been, or
    // when nothing waits for it).
    void afterFirstPaint(std::function<void()> work);
    // The first paint has reached the display: starts the services, then the work that
    // waited, in the order it was asked for.
    void firstPaintDone();

private:
    std::function<void()> m_startServices;
    std::vector<std::function<void()>> m_waiting;
    bool m_done = false;
};
