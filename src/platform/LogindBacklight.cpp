#include "platform/LogindBacklight.h"

#include "platform/RegularFile.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDir>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

const QString Logind = QStringLiteral("org.freedesktop.login1");
// How long the session is waited for: logind answers at once when it runs at all.
constexpr int SessionTimeoutMs = 5000;

std::optional<int> maxBrightnessOf(const QString& deviceFolder)
{
    const std::optional<QByteArray> text = RegularFile::read(deviceFolder + QStringLiteral("/max_brightness"), 64);
    bool ok = false;
    const int max = text ? text->trimmed().toInt(&ok) : 0;
    return ok && max > 0 ? std::optional<int>(max) : std::nullopt;
}

} // namespace

std::optional<BacklightDevice> BacklightDevice::first(const QString& classFolder)
{
    const QDir folder(classFolder);
    // The devices are symbolic links to their folders under /sys/devices.
    for (const QString& name : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (const std::optional<int> max = maxBrightnessOf(folder.filePath(name)))
            return BacklightDevice{name, *max};
    }
    return std::nullopt;
}

int BacklightDevice::valueFor(int percent) const
{
    const int value = int(std::lround(double(maxBrightness) * percent / 100.0));
    return std::clamp(value, 1, maxBrightness);
}

std::unique_ptr<Backlight> LogindBacklight::forThisSession()
{
    const std::optional<BacklightDevice> device = BacklightDevice::first();
    if (!device)
        return nullptr;
    return create(*device, QDBusConnection::systemBus(), qEnvironmentVariable("XDG_SESSION_ID"));
}

std::unique_ptr<Backlight> LogindBacklight::create(const BacklightDevice& device, const QDBusConnection& systemBus,
                                                   const QString& sessionId)
{
    QDBusMessage request = QDBusMessage::createMethodCall(Logind, QStringLiteral("/org/freedesktop/login1"),
                                                          QStringLiteral("org.freedesktop.login1.Manager"),
                                                          QStringLiteral("GetSession"));
    request << (sessionId.isEmpty() ? QStringLiteral("auto") : sessionId);
    const QDBusMessage reply = systemBus.call(request, QDBus::Block, SessionTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        qInfo("Backlight left alone: no logind session (%s)", qUtf8Printable(reply.errorMessage()));
        return nullptr;
    }
    const QString sessionPath = reply.arguments().constFirst().value<QDBusObjectPath>().path();
    return std::unique_ptr<Backlight>(new LogindBacklight(device, systemBus, sessionPath));
}

LogindBacklight::LogindBacklight(BacklightDevice device, const QDBusConnection& bus, QString sessionPath)
    : m_device(std::move(device))
    , m_bus(bus)
    , m_sessionPath(std::move(sessionPath))
{
}

void LogindBacklight::setPercent(int percent)
{
    QDBusMessage request = QDBusMessage::createMethodCall(Logind, m_sessionPath,
                                                          QStringLiteral("org.freedesktop.login1.Session"),
                                                          QStringLiteral("SetBrightness"));
    request << QStringLiteral("backlight") << m_device.name << uint(m_device.valueFor(percent));
    m_bus.send(request);
}
