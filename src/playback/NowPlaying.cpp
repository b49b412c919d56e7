#include "playback/NowPlaying.h"

#include "playback/NowPlayingTexts.h"

void NowPlaying::emptyPlaylist()
{
    m_info.PlaylistName = NowPlayingInfo().PlaylistName;
    emit playlistEmptied();
}

void NowPlaying::startLoading(const QString& displayText)
{
    emit loading(NowPlayingTexts::loading(displayText));
}

void NowPlaying::startTrack(const Start& start, const QImage& picture)
{
    m_start = start;
    m_trackPicture = picture;
    emit trackStarted();
}

void NowPlaying::showPosition(qint64 positionMs, qint64 lengthMs, const QString& name)
{
    emit positionChanged(positionMs, lengthMs, name);
}

void NowPlaying::showNoMedia()
{
    emit noMedia();
}

void NowPlaying::startOtherTrack(const OtherSource& source, const NowPlayingInfo& tags)
{
    if (!m_other) {
        m_playlistInfo = m_info;
        m_playlistStart = m_start;
        m_playlistPicture = m_trackPicture;
    }
    m_other = source;
    m_info = tags;
    m_info.PlaylistName = m_playlistInfo.PlaylistName;
    m_start = {-1, 0, source.name, source.lengthMs};
    m_trackPicture = QImage();
    emit trackStarted();
    showOtherPosition(source.playing, source.positionMs, source.lengthMs);
}

void NowPlaying::showOtherPosition(bool playing, qint64 positionMs, qint64 lengthMs)
{
    if (!m_other)
        return;
    m_other->playing = playing;
    m_other->positionMs = positionMs;
    m_other->lengthMs = lengthMs;
    emit positionChanged(positionMs, lengthMs, m_other->name + QStringLiteral(": ") + m_info.Title);
}

void NowPlaying::endOtherSource()
{
    if (!m_other)
        return;
    m_other.reset();
    const QString playlistName = m_info.PlaylistName;
    m_info = m_playlistInfo;
    m_info.PlaylistName = playlistName;
    m_start = m_playlistStart;
    m_trackPicture = m_playlistPicture;
    emit otherSourceEnded();
    emit trackStarted();
}
