#include "mpris/MprisAdaptors.h"

#include "mpris/MprisService.h"
#include "platform/FileNames.h"

#include <QUrl>

namespace {

constexpr qint64 MicrosecondsPerMs = 1000;

} // namespace

// ---------------------------------------------------------------- the program

MprisRootAdaptor::MprisRootAdaptor(MprisService* service)
    : QDBusAbstractAdaptor(service)
    , m_service(service)
{
}

QStringList MprisRootAdaptor::supportedMimeTypes() const
{
    return {QStringLiteral("audio/mpeg"),   QStringLiteral("audio/x-wav"),     QStringLiteral("audio/flac"),
            QStringLiteral("audio/ogg"),    QStringLiteral("audio/opus"),      QStringLiteral("audio/mp4"),
            QStringLiteral("audio/aac"),    QStringLiteral("audio/x-ms-wma"),  QStringLiteral("audio/midi"),
            QStringLiteral("audio/basic"),  QStringLiteral("video/mp4"),       QStringLiteral("video/x-matroska"),
            QStringLiteral("video/webm"),   QStringLiteral("video/x-msvideo"), QStringLiteral("video/quicktime")};
}

void MprisRootAdaptor::Raise()
{
    m_service->player().raise();
}

void MprisRootAdaptor::Quit()
{
    m_service->player().quit();
}

// ---------------------------------------------------------------- playback

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService* service)
    : QDBusAbstractAdaptor(service)
    , m_service(service)
{
}

QVariant MprisPlayerAdaptor::property(const char* name) const
{
    return m_service->currentProperties().value(QLatin1String(name));
}

QString MprisPlayerAdaptor::playbackStatus() const
{
    return property("PlaybackStatus").toString();
}

QString MprisPlayerAdaptor::loopStatus() const
{
    return property("LoopStatus").toString();
}

// Karvex repeats one track or none; "Playlist" is the playlist playing on, as without repeat.
void MprisPlayerAdaptor::setLoopStatus(const QString& status)
{
    m_service->player().setRepeat(status == QLatin1String("Track"));
    m_service->scheduleRefresh();
}

bool MprisPlayerAdaptor::shuffle() const
{
    return property("Shuffle").toBool();
}

void MprisPlayerAdaptor::setShuffle(bool on)
{
    m_service->player().setShuffle(on);
    m_service->scheduleRefresh();
}

QVariantMap MprisPlayerAdaptor::metadata() const
{
    return property("Metadata").toMap();
}

double MprisPlayerAdaptor::volume() const
{
    return property("Volume").toDouble();
}

void MprisPlayerAdaptor::setVolume(double volume)
{
    m_service->player().setVolume(volume);
    m_service->scheduleRefresh();
}

qlonglong MprisPlayerAdaptor::position() const
{
    return m_service->player().positionMs() * MicrosecondsPerMs;
}

bool MprisPlayerAdaptor::canGoNext() const
{
    return property("CanGoNext").toBool();
}

bool MprisPlayerAdaptor::canGoPrevious() const
{
    return property("CanGoPrevious").toBool();
}

bool MprisPlayerAdaptor::canPlay() const
{
    return property("CanPlay").toBool();
}

bool MprisPlayerAdaptor::canPause() const
{
    return property("CanPause").toBool();
}

bool MprisPlayerAdaptor::canSeek() const
{
    return property("CanSeek").toBool();
}

void MprisPlayerAdaptor::Play()
{
    m_service->player().play();
    m_service->scheduleRefresh();
}

void MprisPlayerAdaptor::Pause()
{
    if (m_service->player().status() == RemoteStatus::Playing)
        m_service->player().pause();
    m_service->scheduleRefresh();
}

void MprisPlayerAdaptor::PlayPause()
{
    if (m_service->player().status() == RemoteStatus::Playing)
        Pause();
    else
        Play();
}

void MprisPlayerAdaptor::Stop()
{
    m_service->player().stop();
    m_service->scheduleRefresh();
}

void MprisPlayerAdaptor::Next()
{
    m_service->player().next();
    m_service->scheduleRefresh();
}

void MprisPlayerAdaptor::Previous()
{
    m_service->player().previous();
    m_service->scheduleRefresh();
}

void MprisPlayerAdaptor::Seek(qlonglong offset)
{
    RemotePlayer& player = m_service->player();
    if (player.status() == RemoteStatus::Stopped)
        return;
    const qint64 target = std::max<qint64>(player.positionMs() + offset / MicrosecondsPerMs, 0);
    if (target > player.track().lengthMs)
        Next();
    else
        seekTo(target);
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& trackId, qlonglong position)
{
    RemotePlayer& player = m_service->player();
    const qint64 target = position / MicrosecondsPerMs;
    // A request for a track that is no longer the open one is stale.
    if (trackId != m_service->currentTrackId() || player.status() == RemoteStatus::Stopped || target < 0
        || target > player.track().lengthMs)
        return;
    seekTo(target);
}

void MprisPlayerAdaptor::seekTo(qint64 ms)
{
    m_service->player().seekTo(ms);
    m_service->reportSeek(m_service->player().positionMs());
    m_service->scheduleRefresh();
}

void MprisPlayerAdaptor::OpenUri(const QString& uri, const QDBusMessage& message)
{
    const QUrl url(uri, QUrl::StrictMode);
    QString refusal;
    if (!url.isValid() || !url.isLocalFile())
        refusal = QStringLiteral("Karvex opens local files only (file://): ") + uri;
    else if (!m_service->player().openFile(
                 FileNames::fromBytes(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()))))
        refusal = QStringLiteral("A path with a line break cannot go into a playlist: ") + uri;
    m_service->scheduleRefresh();
    if (refusal.isEmpty())
        return;
    message.setDelayedReply(true);
    m_service->bus().send(message.createErrorReply(QDBusError::InvalidArgs, refusal));
}
