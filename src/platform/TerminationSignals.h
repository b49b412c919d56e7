#pragma once
// SIGTERM (a power-off, `systemctl stop`), SIGINT and SIGHUP (the terminal or X session
// going away) brought into the event loop: the handler only writes a byte into a pipe,
// whose other end the window thread watches. A second signal while the program is still
// closing after the first ends it at once, as the signal would have without this.
#include <QObject>

class QSocketNotifier;

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // Catches the three signals from now on (once per process).
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    // One of the signals came: the program should close as the window closes.
    void received();

private:
    QSocketNotifier* m_notifier;
};
