#include "tags/Id3.h"

#include "platform/FileNames.h"
#include "platform/TextFile.h"
#include "tags/TagLibReader.h"

#include <QByteArray>
#include <QFile>
#include <iterator>

namespace {

// The ID3v1 genres with Winamp's extensions, as first published, with this program's
// own spellings of 92 and 144.
constexpr const char* kGenres[] = {
    "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop",
    "Jazz", "Metal", "New Age", "Oldies", "Other", "Pop", "R&B", "Rap",
    "Reggae", "Rock", "Techno", "Industrial", "Alternative", "Ska", "Death Metal", "Pranks",
    "Soundtrack", "Euro-Techno", "Ambient", "Trip-Hop", "Vocal", "Jazz+Funk", "Fusion", "Trance",
    "Classical", "Instrumental", "Acid", "House", "Game", "Sound Clip", "Gospel", "Noise",
    "AlternRock", "Bass", "Soul", "Punk", "Space", "Meditative", "Instrumental Pop", "Instrumental Rock",
    "Ethnic", "Gothic", "Darkwave", "Techno-Industrial", "Electronic", "Pop-Folk", "Eurodance", "Dream",
    "Southern Rock", "Comedy", "Cult", "Gangsta", "Top 40", "Christian Rap", "Pop/Funk", "Jungle",
    "Native American", "Cabaret", "New Wave", "Psychadelic", "Rave", "Showtunes", "Trailer", "Lo-Fi",
    "Tribal", "Acid Punk", "Acid Jazz", "Polka", "Retro", "Musical", "Rock & Roll", "Hard Rock",
    "Folk", "Folk-Rock", "National Folk", "Swing", "Fast Fusion", "Bebob", "Latin", "Revival",
    "Celtic", "Bluegrass", "Avantgarde", "Gothic Rock", "Progessive Rock", "Psychedelic Rock", "Symphonic Rock", "Slow Rock",
    "Big Band", "Chorus", "Easy Listening", "Acoustic", "Humour", "Speech", "Chanson", "Opera",
    "Chamber Music", "Sonata", "Symphony", "Booty Bass", "Primus", "Porn Groove", "Satire", "Slow Jam",
    "Club", "Tango", "Samba", "Folklore", "Ballad", "Power Ballad", "Rhythmic Soul", "Freestyle",
    "Duet", "Punk Rock", "Drum Solo", "A capella", "Euro-House", "Dance Hall", "Goa", "Drum & Bass",
    "Club-House", "Hardcore", "Terror", "Indie", "BritPop", "Negerpunk", "Polsk Punk", "Beat",
    "Christian Gangsta Rap", "Heavy Metal", "Black Metal", "Crossover", "Contemporary Christian", "Christian Rock", "Merengue", "Salsa",
    "Trash Metal", "Anime", "JPop", "Synthpop",
};
static_assert(std::size(kGenres) == TID3::GenreCount);

constexpr int kOtherGenre = 12;

// The bytes up to the first zero byte, in Windows-1252.
QString decodeField(const QByteArray& block, int offset, int length)
{
    QByteArray field = block.mid(offset, length);
    const int zero = field.indexOf('\0');
    if (zero >= 0)
        field.truncate(zero);
    return TextFile::fromWindows1252(field);
}

QString textField(const QByteArray& block, int offset, int length)
{
    return TID3::trimmed(decodeField(block, offset, length));
}

void setDefault(QString& result, const QString& fallback, bool all)
{
    if (all || result.isEmpty())
        result = fallback;
}

} // namespace

QString TID3::trimmed(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() <= 0x20)
        ++first;
    while (last > first && text.at(last - 1).unicode() <= 0x20)
        --last;
    return text.mid(first, last - first);
}

QString TID3::genreName(int code)
{
    return QString::fromLatin1(kGenres[code >= 0 && code < GenreCount ? code : kOtherGenre]);
}

void TID3::ReadID3(const QString& path)
{
    m_cover.clear();
    const bool id3v1 = ReadID3v1(path);
    // Read whatever the ID3v1 block says: an MP3 often carries its cover in an ID3v2 tag.
    TagLibReader::Contents other = TagLibReader::read(path);
    m_cover = std::move(other.cover);
    if (!id3v1 && other.texts) {
        m_album = other.texts->album;
        m_artist = other.texts->artist;
        m_comment = other.texts->comment;
        m_genre = other.texts->genre;
        m_title = other.texts->title;
        m_year = other.texts->year;
    }
    ClearID3(!id3v1 && !other.texts);
}

bool TID3::ReadID3v1(const QString& path)
{
    // Unbuffered, so that no more than the block itself is read.
    QFile file;
    if (!FileNames::openForReading(file, path) || file.size() <= BlockSize)
        return false;
    if (!file.seek(file.size() - BlockSize))
        throw TagReadError("cannot seek to the tag of " + path.toStdString());
    const QByteArray block = file.read(BlockSize);
    if (block.size() != BlockSize)
        throw TagReadError("cannot read the tag of " + path.toStdString());
    file.close();

    if (decodeField(block, 0, 3) != QLatin1String("TAG"))
        return false;
    m_album = textField(block, 63, 30);
    m_artist = textField(block, 33, 30);
    // An ID3v1.1 comment ends at the zero byte before the track number.
    m_comment = textField(block, 97, 30);
    m_genre = genreName(static_cast<unsigned char>(block.at(127)));
    m_title = textField(block, 3, 30);
    m_year = textField(block, 93, 4);
    return true;
}

void TID3::ClearID3(bool all)
{
    setDefault(m_album, NoAlbum, all);
    setDefault(m_artist, NoArtist, all);
    setDefault(m_comment, NoComment, all);
    setDefault(m_genre, NoGenre, all);
    setDefault(m_title, NoTitle, all);
    setDefault(m_year, NoYear, all);
}
