#include "gps/GpsPort.h"

#include <cstring>

const QColor GpsPort::OpenColour = QColor(0, 128, 0);
const QColor GpsPort::ErrorColour = QColor(255, 0, 0);

GpsPort::GpsPort(CreatePort createPort, IsEnabled isEnabled, ReceiveText receiveText)
    : m_createPort(std::move(createPort))
    , m_isEnabled(std::move(isEnabled))
    , m_receiveText(std::move(receiveText))
{
}

GpsPort::~GpsPort()
{
    Close();
}

void GpsPort::Open(const QString& portName, std::optional<int> baudRate)
{
    m_portName = portName;
    // 2. No GPS port.
    if (portName == QLatin1String("NONE")) {
        m_statusHint = QStringLiteral("NO GPS PORT\n\nSelect COM Port for GPS in the Hardware section of Options.");
        m_portText = QStringLiteral("NO COM PORT");
        return;
    }

    // 3.-4. Open by name; a failure is reported in the Port field and the hint only.
    std::unique_ptr<SerialPort> port = m_createPort ? m_createPort(portName) : nullptr;
    if (port && baudRate)
        port->setBaudRate(*baudRate);
    m_openedAtStart = port && port->open(portName);
    if (m_openedAtStart) {
        m_portText = portName;
    } else {
        m_statusHint = QStringLiteral("INVALID PORT\n\nSelect correct GPS COM Port. ") + portName
            + QStringLiteral(" could not be opened.");
        m_portText = QStringLiteral("ERROR ") + portName;
    }
    if (!port)
        return;

    // 5.-8. The line settings and timeouts are the port's (open applies them); the reader
    // reads an open port, and opens a closed one when it can.
    m_port = std::move(port);
    m_reader = std::make_unique<TRead>(*m_port, [this](const char* text) { DeliverChunk(text); },
                                       baudRate ? nullptr : std::make_unique<BaudSearch>());
}

bool GpsPort::PortOpen() const
{
    return m_reader && (m_openedAtStart || m_reader->Reopens() > 0);
}

QString GpsPort::PortText() const
{
    return PortOpen() ? m_portName : m_portText;
}

QColor GpsPort::PortColour() const
{
    return PortOpen() && !m_reader->DeviceGone() ? OpenColour : ErrorColour;
}

void GpsPort::DeliverChunk(const char* text)
{
    // 1. GPS input disabled: the chunk is dropped.
    if (!m_isEnabled || !m_isEnabled())
        return;
    // 2. The buffer as 8-bit text up to the first zero byte.
    if (m_receiveText)
        m_receiveText(QByteArray(text, qsizetype(std::strlen(text))));
}

void GpsPort::Close()
{
    if (m_reader) {
        m_reader->SetDeliverChunk({});
        if (!m_reader->Stop()) {
            // The reader did not end (it cannot, short of a read that never returns):
            // leave it, its thread object and the port alive rather than free anything
            // it may still touch.
            (void)m_reader.release();
            (void)m_port.release();
            return;
        }
        m_reader.reset();
    }
    if (m_port) {
        m_port->purge();
        m_port->close();
        m_port.reset();
    }
}
