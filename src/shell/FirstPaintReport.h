#pragma once
// With KARVEX_REPORT_FIRST_PAINT set, a program's main window reports on stderr the
// monotonic time at which its first paint has reached the display ("first paint at
// SECONDS"), for bench/measure-process.sh; then it calls the given function, if any.
#include <QObject>
#include <functional>

class QWidget;

class FirstPaintReport : public QObject {
public:
    // Watches WINDOW's first paint; AFTERWARDS runs once the painted picture is flushed.
    FirstPaintReport(QWidget* window, std::function<void()> afterwards);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const bool m_report;
    std::function<void()> m_afterwards;
};
