#include "playback/NowPlayingTexts.h"

#include "platform/FileNames.h"
#include "playlists/Playlist.h"
#include "tags/Id3.h"

namespace NowPlayingTexts {

namespace {

const QString Gap = QStringLiteral("   ");

} // namespace

QString loading(const QString& displayText)
{
    return QStringLiteral("Loading ") + displayText + Gap;
}

QString ticker(const QString& displayText, const NowPlayingInfo& info)
{
    QString text = displayText;
    if (info.Title != QLatin1String("Unknown Title")) {
        for (const QString* tag : {&info.Title, &info.Album, &info.Artist, &info.Year, &info.Genre, &info.Comment})
            text += Gap + *tag;
    }
    return text;
}

QString trackOfPlaylist(const QString& playlistName, int index, int count)
{
    return playlistName + QStringLiteral(" Track ") + QString::number(index + 1) + QLatin1Char('/')
        + QString::number(count);
}

QString minutesAndSeconds(const QString& label, qint64 ms)
{
    return label + QStringLiteral(": ") + QString::number(ms / 60000) + QStringLiteral(" Mins ")
        + QString::number(ms % 60000 / 1000) + QStringLiteral(" Secs");
}

QString noMinutesAndSeconds(const QString& label)
{
    return label + QStringLiteral(": -- Mins -- Secs");
}

QString displayName(const QString& filePath)
{
    QString name = FileNames::shown(fileNamePart(filePath));
    name.replace(QLatin1Char('_'), QLatin1Char(' '));
    return TID3::trimmed(name) + Gap;
}

QString details(const QString& filePath, const NowPlayingInfo& info)
{
    return QStringLiteral("FILE: ") + FileNames::shown(filePath) + QStringLiteral("\nTITLE: ") + info.Title
        + QStringLiteral("\nALBUM: ") + info.Album + QStringLiteral("\nARTIST: ") + info.Artist
        + QStringLiteral("\nYEAR: ") + info.Year + QStringLiteral("\nGENRE: ") + info.Genre
        + QStringLiteral("\nCOMMENTS: ") + info.Comment + QStringLiteral("\n\n");
}

TrackPanel TrackPanel::of(const NowPlayingInfo& info)
{
    TrackPanel panel;
    panel.FilenameDisplay = info.FileName;
    panel.TrackTitle = info.Title.contains(QLatin1String("Unknown Title")) ? info.FileName : info.Title;
    if (!info.Album.contains(QLatin1String("Unknown Album")))
        panel.TrackAlbum = info.Album;
    if (!info.Genre.contains(QLatin1String("No Genre")))
        panel.TrackGenreYear = info.Genre;
    if (!info.Year.contains(QLatin1String("No Year")))
        panel.TrackGenreYear += QLatin1Char(' ') + info.Year + QLatin1Char(' ');
    panel.TrackArtist = info.Artist;
    panel.TrackComments = info.Comment;
    return panel;
}

QString spokenTrack(const QString& title, const QString& artist, const QString& album, const QString& genreYear)
{
    QString sentence = TID3::trimmed(title);
    const QString artistText = TID3::trimmed(artist);
    const QString albumText = TID3::trimmed(album);
    const QString genreYearText = TID3::trimmed(genreYear);
    if (!artistText.isEmpty())
        sentence += QStringLiteral(". by ") + artistText;
    if (!albumText.isEmpty())
        sentence += QStringLiteral(". from the album, ") + albumText;
    if (!genreYearText.isEmpty())
        sentence += QStringLiteral(". ") + genreYearText;
    return sentence;
}

} // namespace NowPlayingTexts
