#include "platform/GatheringRead.h"

#include <cerrno>
#include <chrono>
#include <thread>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// The bytes waiting to be read (FIONREAD works on terminals and sockets alike).
int waiting(int fd)
{
    int bytes = 0;
    return ::ioctl(fd, FIONREAD, &bytes) == 0 ? bytes : 0;
}

} // namespace

SerialPort::ReadResult GatheringRead::read(int fd, char* buffer, int maxBytes, int timeoutMs, int& received)
{
    using Clock = std::chrono::steady_clock;
    received = 0;
    if (fd < 0)
        return SerialPort::ReadResult::Gone;
    if (maxBytes <= 0)
        return SerialPort::ReadResult::Timeout;

    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    pollfd p{fd, POLLIN, 0};
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (::poll(&p, 1, int(std::max<long long>(left, 0))) >= 0)
            break;
        if (errno != EINTR)
            return SerialPort::ReadResult::Gone;
    }
    if (p.revents & POLLNVAL)
        return SerialPort::ReadResult::Gone;
    if (p.revents == 0)
        return SerialPort::ReadResult::Timeout;
    // Asleep rather than in poll: poll would wake the thread for every piece that comes.
    if (!(p.revents & (POLLHUP | POLLERR)) && waiting(fd) < maxBytes)
        std::this_thread::sleep_for(std::chrono::milliseconds(GatherMs));

    // A terminal hands over at most 64 bytes a read call: read on until the bytes are in.
    for (;;) {
        const ssize_t n = ::read(fd, buffer + received, size_t(maxBytes - received));
        if (n > 0) {
            received += int(n);
            if (received < maxBytes)
                continue;
            return SerialPort::ReadResult::Data;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (received > 0) // what follows comes with the next read
            return SerialPort::ReadResult::Data;
        if (n < 0 && errno == EAGAIN)
            return (p.revents & (POLLHUP | POLLERR)) ? SerialPort::ReadResult::Gone : SerialPort::ReadResult::Timeout;
        // The end of the stream (a hang-up, gpsd closing the connection) or an I/O error.
        return SerialPort::ReadResult::Gone;
    }
}
