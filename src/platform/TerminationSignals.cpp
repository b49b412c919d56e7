#include "platform/TerminationSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int Caught[] = {SIGTERM, SIGINT, SIGHUP};

int pipeEnds[2] = {-1, -1};
volatile sig_atomic_t closing = 0;

void onSignal(int signal)
{
    if (closing) {
        // Already closing: the second signal ends the program as it would have ended it.
        std::signal(signal, SIG_DFL);
        raise(signal);
        return;
    }
    closing = 1;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(pipeEnds[0], &byte, 1);
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent)
    : QObject(parent)
{
    socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, pipeEnds);
    m_notifier = new QSocketNotifier(pipeEnds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char byte;
        while (read(pipeEnds[1], &byte, 1) > 0) {
        }
        emit received();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : Caught)
        sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    for (const int signal : Caught)
        std::signal(signal, SIG_DFL);
}
