#include "platform/GpsdPort.h"

#include "platform/GatheringRead.h"

#include <QUrl>

#include <optional>

#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QByteArray WatchNmea = R"(?WATCH={"enable":true,"nmea":true})"
                             "\n";

struct Address {
    QByteArray host;
    QByteArray port;
};

// "gpsd" -> localhost:2947; "gpsd://HOST[:PORT]" (HOST may be [IPv6]).
std::optional<Address> addressOf(const QString& name)
{
    if (name.compare(QLatin1String("gpsd"), Qt::CaseInsensitive) == 0)
        return Address{"localhost", QByteArray::number(GpsdPort::DefaultPort)};
    const QUrl url(name, QUrl::StrictMode);
    if (!url.isValid() || url.scheme().compare(QLatin1String("gpsd"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    const QString host = url.host().isEmpty() ? QStringLiteral("localhost") : url.host();
    const int port = url.port(GpsdPort::DefaultPort);
    if (port <= 0 || (!url.path().isEmpty() && url.path() != QLatin1String("/")))
        return std::nullopt;
    return Address{host.toUtf8(), QByteArray::number(port)};
}

void closeQuietly(int fd)
{
    while (::close(fd) < 0 && errno == EINTR) {
    }
}

// A connected TCP socket, or -1 when nothing answers within timeoutMs.
int connectTo(const Address& address, int timeoutMs)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(address.host.constData(), address.port.constData(), &hints, &found) != 0)
        return -1;
    int fd = -1;
    for (addrinfo* a = found; a && fd < 0; a = a->ai_next) {
        fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, a->ai_protocol);
        if (fd < 0)
            continue;
        if (::connect(fd, a->ai_addr, a->ai_addrlen) == 0)
            break;
        pollfd p{fd, POLLOUT, 0};
        int error = 0;
        socklen_t length = sizeof error;
        if (errno != EINPROGRESS || ::poll(&p, 1, timeoutMs) != 1
            || ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) < 0 || error != 0) {
            closeQuietly(fd);
            fd = -1;
        }
    }
    ::freeaddrinfo(found);
    return fd;
}

bool sendAll(int fd, const QByteArray& bytes)
{
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            pollfd p{fd, POLLOUT, 0};
            if (::poll(&p, 1, GpsdPort::ConnectTimeoutMs) == 1)
                continue;
        }
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

} // namespace

bool GpsdPort::isGpsdName(const QString& name)
{
    return name.compare(QLatin1String("gpsd"), Qt::CaseInsensitive) == 0
        || name.startsWith(QLatin1String("gpsd://"), Qt::CaseInsensitive);
}

bool GpsdPort::localGpsdAnswers(int timeoutMs)
{
    const int fd = connectTo({"localhost", QByteArray::number(DefaultPort)}, timeoutMs);
    if (fd < 0)
        return false;
    closeQuietly(fd);
    return true;
}

GpsdPort::~GpsdPort()
{
    close();
}

bool GpsdPort::open(const QString& name)
{
    close();
    m_name = name;
    const std::optional<Address> address = addressOf(name);
    if (!address)
        return false;
    const int fd = connectTo(*address, ConnectTimeoutMs);
    if (fd < 0)
        return false;
    if (!sendAll(fd, WatchNmea)) {
        closeQuietly(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

bool GpsdPort::reopen()
{
    if (m_name.isEmpty())
        return false;
    const QString name = m_name;
    return open(name);
}

SerialPort::ReadResult GpsdPort::read(char* buffer, int maxBytes, int& received)
{
    return GatheringRead::read(m_fd, buffer, maxBytes, ReadTimeoutMs, received);
}

void GpsdPort::purge()
{
    if (m_fd < 0)
        return;
    char discard[512];
    while (::recv(m_fd, discard, sizeof discard, MSG_DONTWAIT) > 0) {
    }
}

void GpsdPort::close()
{
    if (m_fd < 0)
        return;
    closeQuietly(m_fd);
    m_fd = -1;
}
