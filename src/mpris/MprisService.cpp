#include "mpris/MprisService.h"

#include "mpris/MprisAdaptors.h"
#include "platform/FileNames.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <QUrl>

namespace {

const QString PlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
// RequestName: fail at once rather than wait in the queue behind another owner.
constexpr uint DoNotQueue = 4;
constexpr uint PrimaryOwner = 1;
constexpr qint64 MicrosecondsPerMs = 1000;
// How far a playing track may be off its course between two looks without counting as moved
// (the looks come at least once a second, with the home screen's tick).
constexpr qint64 JumpToleranceMs = 1500;

QString statusName(RemoteStatus status)
{
    switch (status) {
    case RemoteStatus::Playing: return QStringLiteral("Playing");
    case RemoteStatus::Paused: return QStringLiteral("Paused");
    case RemoteStatus::Stopped: break;
    }
    return QStringLiteral("Stopped");
}

// A file:// URL that names the very bytes of the path.
QString fileUrl(const QString& path)
{
    return QStringLiteral("file://") + QString::fromLatin1(QUrl::toPercentEncoding(FileNames::toBytes(path), "/"));
}

// The folder for the cover pictures: the user's runtime folder, else the temporary one.
QString artFolderTemplate()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString base = !runtime.isEmpty() && QFileInfo(runtime).isDir() ? runtime : QDir::tempPath();
    return QDir(base).filePath(QStringLiteral("karvex-art-XXXXXX"));
}

} // namespace

QString MprisService::sessionBusAddress()
{
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (!address.isEmpty())
        return address;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString socket = QDir(runtime).filePath(QStringLiteral("bus"));
    if (!runtime.isEmpty() && QFileInfo::exists(socket))
        return QStringLiteral("unix:path=") + socket;
    return {};
}

std::unique_ptr<MprisService> MprisService::startOnSessionBus(RemotePlayer& player)
{
    const QString address = sessionBusAddress();
    if (address.isEmpty()) {
        qInfo("Remote control (MPRIS) off: there is no session bus");
        return nullptr;
    }
    return start(player, address);
}

std::unique_ptr<MprisService> MprisService::start(RemotePlayer& player, const QString& address)
{
    static int connections = 0;
    const QString name = QStringLiteral("karvex-mpris-%1").arg(++connections);
    QDBusConnection bus = QDBusConnection::connectToBus(address, name);
    if (!bus.isConnected()) {
        qWarning("Remote control (MPRIS) off: the session bus at %s cannot be reached: %s", qUtf8Printable(address),
                 qUtf8Printable(bus.lastError().message()));
        QDBusConnection::disconnectFromBus(name);
        return nullptr;
    }
    return std::unique_ptr<MprisService>(new MprisService(player, bus));
}

MprisService::MprisService(RemotePlayer& player, const QDBusConnection& bus)
    : m_player(player)
    , m_bus(bus)
    , m_artFolder(artFolderTemplate())
{
    new MprisRootAdaptor(this);
    m_playerAdaptor = new MprisPlayerAdaptor(this);
    m_bus.registerObject(ObjectPath, this, QDBusConnection::ExportAdaptors);
    m_properties = currentProperties();
    m_sinceLastPosition.start();
    m_player.onChange([service = QPointer<MprisService>(this)] {
        if (service)
            service->scheduleRefresh();
    });
    requestName();
}

MprisService::~MprisService()
{
    m_bus.unregisterObject(ObjectPath);
    QDBusConnection::disconnectFromBus(m_bus.name());
}

void MprisService::requestName()
{
    QDBusMessage request = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                          QStringLiteral("/org/freedesktop/DBus"),
                                                          QStringLiteral("org.freedesktop.DBus"),
                                                          QStringLiteral("RequestName"));
    request << ServiceName << DoNotQueue;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(request), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        const QDBusPendingReply<uint> reply = *call;
        if (reply.isError()) {
            qWarning("Remote control (MPRIS) off: %s", qUtf8Printable(reply.error().message()));
        } else if (reply.value() != PrimaryOwner) {
            qWarning("Remote control (MPRIS) off: %s belongs to another program", qUtf8Printable(ServiceName));
        } else {
            qInfo("Remote control (MPRIS) on the session bus as %s", qUtf8Printable(ServiceName));
            m_ownsName = true;
        }
    });
}

void MprisService::scheduleRefresh()
{
    if (m_refreshPending)
        return;
    m_refreshPending = true;
    QTimer::singleShot(0, this, &MprisService::refresh);
}

void MprisService::reportSeek(qint64 ms)
{
    m_lastPositionMs = ms;
    m_sinceLastPosition.restart();
    emit m_playerAdaptor->Seeked(ms * MicrosecondsPerMs);
}

void MprisService::lookAtPosition()
{
    const QDBusObjectPath track = trackId();
    const bool playing = m_player.status() == RemoteStatus::Playing;
    const qint64 position = m_player.positionMs();
    // Another track starts where it starts; only a move within one track is a seek.
    if (track == m_lookedAtTrack && !m_track.path.isEmpty()) {
        const qint64 earliest = m_lastPositionMs - JumpToleranceMs;
        const qint64 latest = m_lastPositionMs + JumpToleranceMs
            + (playing || m_wasPlaying ? m_sinceLastPosition.elapsed() : 0);
        if (position < earliest || position > latest)
            emit m_playerAdaptor->Seeked(position * MicrosecondsPerMs);
    }
    m_lookedAtTrack = track;
    m_wasPlaying = playing;
    m_lastPositionMs = position;
    m_sinceLastPosition.restart();
}

void MprisService::refresh()
{
    m_refreshPending = false;
    const QVariantMap now = currentProperties();
    lookAtPosition();
    QVariantMap changed;
    for (auto property = now.cbegin(); property != now.cend(); ++property)
        if (m_properties.value(property.key()) != property.value())
            changed.insert(property.key(), property.value());
    m_properties = now;
    if (changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(ObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << PlayerInterface << changed << QStringList();
    m_bus.send(signal);
}

QVariantMap MprisService::currentProperties()
{
    const RemoteStatus status = m_player.status();
    const bool entries = m_player.hasEntries();
    const bool open = status != RemoteStatus::Stopped;
    return {
        {QStringLiteral("PlaybackStatus"), statusName(status)},
        {QStringLiteral("LoopStatus"), m_player.repeat() ? QStringLiteral("Track") : QStringLiteral("None")},
        {QStringLiteral("Shuffle"), m_player.shuffle()},
        {QStringLiteral("Metadata"), metadata(m_player.track())},
        {QStringLiteral("Volume"), m_player.volume()},
        {QStringLiteral("CanGoNext"), entries},
        {QStringLiteral("CanGoPrevious"), entries},
        {QStringLiteral("CanPlay"), entries},
        {QStringLiteral("CanPause"), open},
        {QStringLiteral("CanSeek"), open},
    };
}

QDBusObjectPath MprisService::currentTrackId()
{
    metadata(m_player.track());
    return trackId();
}

QDBusObjectPath MprisService::trackId() const
{
    if (m_track.path.isEmpty())
        return QDBusObjectPath(QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack"));
    return QDBusObjectPath(QStringLiteral("/org/mpris/MediaPlayer2/karvex/track/%1").arg(m_trackNumber));
}

// Built again only when another track has started, so that its picture is written once.
QVariantMap MprisService::metadata(const RemoteTrack& track)
{
    if (track == m_track && !m_metadata.isEmpty())
        return m_metadata;
    m_track = track;
    ++m_trackNumber;
    m_metadata = {{QStringLiteral("mpris:trackid"), QVariant::fromValue(trackId())}};
    if (track.path.isEmpty())
        return m_metadata;
    m_metadata.insert(QStringLiteral("mpris:length"), qlonglong(track.lengthMs * MicrosecondsPerMs));
    // A phone's track is no file.
    if (track.path.startsWith(u'/'))
        m_metadata.insert(QStringLiteral("xesam:url"), fileUrl(track.path));
    m_metadata.insert(QStringLiteral("xesam:title"), track.title);
    m_metadata.insert(QStringLiteral("xesam:artist"), QStringList{track.artist});
    m_metadata.insert(QStringLiteral("xesam:album"), track.album);
    m_metadata.insert(QStringLiteral("xesam:genre"), QStringList{track.genre});
    m_metadata.insert(QStringLiteral("xesam:comment"), QStringList{track.comment});
    const QString art = writeArt();
    if (!art.isEmpty())
        m_metadata.insert(QStringLiteral("mpris:artUrl"), fileUrl(art));
    return m_metadata;
}

// Writes the track panel's picture (which may be a cover from inside the media file) to a
// file of its own for the clients; a new name for every track, so none shows an old one.
QString MprisService::writeArt()
{
    if (!m_artFile.isEmpty())
        QFile::remove(m_artFile);
    m_artFile.clear();
    const QImage picture = m_player.picture();
    if (picture.isNull() || !m_artFolder.isValid())
        return {};
    const QString file = m_artFolder.filePath(QStringLiteral("cover-%1.png").arg(m_trackNumber));
    if (picture.save(file, "PNG"))
        m_artFile = file;
    return m_artFile;
}
