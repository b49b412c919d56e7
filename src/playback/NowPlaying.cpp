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
