#include "platform/TermiosSerialPort.h"

#include "platform/LineSpeeds.h"
#include "platform/GatheringRead.h"

#include <QFile>

#include <cerrno>
#include <optional>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

void closeQuietly(int fd)
{
    while (::close(fd) < 0 && errno == EINTR) {
    }
}

} // namespace

TermiosSerialPort::TermiosSerialPort() = default;

TermiosSerialPort::~TermiosSerialPort()
{
    close();
}

bool TermiosSerialPort::open(const QString& name)
{
    close();
    m_name = name;
    const QString path = SerialPorts::devicePath(name);
    if (path.isEmpty())
        return false;

    const QByteArray file = QFile::encodeName(path);
    // Non-blocking so that opening never waits for a modem line; reads use poll.
    const int fd = ::open(file.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false; // missing, no access, or held with TIOCEXCL (EBUSY)

    // No sharing: a port another program has claimed fails like a missing one.
    if (::flock(fd, LOCK_EX | LOCK_NB) < 0) {
        closeQuietly(fd);
        return false;
    }
    termios settings{};
    if (::tcgetattr(fd, &settings) < 0) { // not a terminal device
        closeQuietly(fd);
        return false;
    }
    m_saved = settings;

    // 4800 (or the rate set),N,8,1, raw, no software or hardware flow control.
    ::cfmakeraw(&settings);
    settings.c_cflag &= ~tcflag_t(CSIZE | PARENB | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_iflag &= ~tcflag_t(IXON | IXOFF | IXANY);
    ::cfsetispeed(&settings, m_speed);
    ::cfsetospeed(&settings, m_speed);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 1; // 100 ms
    if (::tcsetattr(fd, TCSANOW, &settings) < 0) {
        closeQuietly(fd);
        return false;
    }
    // From now on nobody else can open the device (root excepted; flock covers that).
    ::ioctl(fd, TIOCEXCL);
    m_fd = fd;
    return true;
}

bool TermiosSerialPort::setBaudRate(int baud)
{
    const std::optional<speed_t> speed = LineSpeeds::speedOf(baud);
    if (!speed)
        return false;
    m_speed = *speed;
    if (m_fd < 0)
        return true;
    termios settings{};
    if (::tcgetattr(m_fd, &settings) < 0)
        return false;
    ::cfsetispeed(&settings, m_speed);
    ::cfsetospeed(&settings, m_speed);
    if (::tcsetattr(m_fd, TCSANOW, &settings) < 0)
        return false;
    ::tcflush(m_fd, TCIFLUSH); // bytes read at the old speed are noise
    return true;
}

bool TermiosSerialPort::reopen()
{
    if (m_name.isEmpty())
        return false;
    const QString name = m_name; // open() replaces it
    return open(name);
}

SerialPort::ReadResult TermiosSerialPort::read(char* buffer, int maxBytes, int& received)
{
    return GatheringRead::read(m_fd, buffer, maxBytes, ReadTimeoutMs, received);
}

void TermiosSerialPort::purge()
{
    if (m_fd >= 0)
        ::tcflush(m_fd, TCIOFLUSH);
}

void TermiosSerialPort::close()
{
    if (m_fd < 0)
        return;
    ::tcsetattr(m_fd, TCSANOW, &m_saved);
    ::ioctl(m_fd, TIOCNXCL);
    closeQuietly(m_fd); // also releases the flock
    m_fd = -1;
}
