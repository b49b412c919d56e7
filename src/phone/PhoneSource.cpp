#include "phone/PhoneSource.h"

#include "playback/NowPlaying.h"
#include "platform/MediaPlayer.h"

#include <algorithm>

namespace {

// The tags as the track panel and the ticker show them; the phone says no year or comment.
NowPlayingInfo tagsOf(const PhonePlayer& phone)
{
    NowPlayingInfo tags;
    const auto orDefault = [](const QString& text, const QString& absent) { return text.isEmpty() ? absent : text; };
    tags.FileName = phone.phoneName;
    tags.Title = orDefault(phone.title, tags.Title);
    tags.Artist = orDefault(phone.artist, tags.Artist);
    tags.Album = orDefault(phone.album, tags.Album);
    tags.Genre = orDefault(phone.genre, QStringLiteral("No Genre"));
    tags.Year = QString();
    tags.Comment = QString();
    return tags;
}

bool sameTrack(const PhonePlayer& a, const PhonePlayer& b)
{
    return a.phoneName == b.phoneName && a.title == b.title && a.artist == b.artist && a.album == b.album
        && a.genre == b.genre && a.lengthMs == b.lengthMs;
}

} // namespace

PhoneSource::PhoneSource(Bluetooth& bluetooth, NowPlaying& nowPlaying, MediaPlayer& player, QObject* parent)
    : QObject(parent)
    , m_bluetooth(bluetooth)
    , m_nowPlaying(nowPlaying)
    , m_player(player)
{
    connect(&m_bluetooth, &Bluetooth::playerChanged, this, &PhoneSource::followPlayer);
    connect(&m_nowPlaying, &NowPlaying::otherSourceEnded, this, &PhoneSource::handedBack);
    followPlayer();
}

bool PhoneSource::isSource() const
{
    return m_nowPlaying.otherSource() != nullptr;
}

void PhoneSource::followPlayer()
{
    const std::optional<PhonePlayer> phone = m_bluetooth.player();
    const bool startsPlaying = phone && phone->playing() && !(m_seen && m_seen->playing());
    const bool sameAsSeen = phone && m_seen && sameTrack(*phone, *m_seen);
    // The phone says where it is only when that changes, or its status does.
    if (phone && (!m_seen || phone->positionMs != m_seen->positionMs || phone->status != m_seen->status))
        m_sinceSeen.restart();
    m_seen = phone;
    if (!phone) {
        m_nowPlaying.endOtherSource();
        return;
    }
    if (!isSource() && !startsPlaying)
        return;
    if (!isSource() && m_player.isPlaying())
        m_player.stop();
    const NowPlaying::OtherSource source{phone->phoneName, phone->playing(), positionNow(), phone->lengthMs};
    if (isSource() && sameAsSeen)
        m_nowPlaying.showOtherPosition(source.playing, source.positionMs, source.lengthMs);
    else
        m_nowPlaying.startOtherTrack(source, tagsOf(*phone));
}

void PhoneSource::handedBack()
{
    if (m_seen && m_seen->playing())
        pause();
}

qint64 PhoneSource::positionNow() const
{
    if (!m_seen)
        return 0;
    const qint64 position = m_seen->positionMs + (m_seen->playing() ? m_sinceSeen.elapsed() : 0);
    return m_seen->lengthMs > 0 ? std::min(position, m_seen->lengthMs) : position;
}

void PhoneSource::showPosition()
{
    if (m_seen)
        m_nowPlaying.showOtherPosition(m_seen->playing(), positionNow(), m_seen->lengthMs);
}
