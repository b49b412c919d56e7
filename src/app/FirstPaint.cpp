#include "app/FirstPaint.h"

#include <utility>

void FirstPaint::afterFirstPaint(std::function<void()> work)
{
    if (m_done || !m_startServices)
        work();
    else
        m_waiting.push_back(std::move(work));
}

void FirstPaint::firstPaintDone()
{
    if (m_done)
        return;
    m_done = true;
    if (m_startServices)
        m_startServices();
    for (const std::function<void()>& work : std::exchange(m_waiting, {}))
        work();
}
