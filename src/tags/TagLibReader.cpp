#include "tags/TagLibReader.h"

#include "platform/FileNames.h"
#include "tags/AsfHeader.h"
#include "tags/Id3.h"

#include <taglib/apetag.h>
#include <taglib/asffile.h>
#include <taglib/attachedpictureframe.h>
#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/opusfile.h>
#include <taglib/textidentificationframe.h>
#include <taglib/vorbisfile.h>

#include <taglib/tfilestream.h>

#include <QRegularExpression>
#include <algorithm>
#include <memory>

namespace TagLibReader {

namespace {

QString text(const TagLib::String& value)
{
    return TID3::trimmed(QString::fromStdWString(value.toWString()));
}

// ID3v2 keeps genres as TCON text fields, which may be ID3v1 codes ("17", or "(17)" in
// the older versions, which TagLib hands on as "17"); the program's genre table names
// them.
QString id3v2Genre(TagLib::ID3v2::Tag& tag)
{
    const TagLib::ID3v2::FrameList frames = tag.frameListMap()["TCON"];
    const auto* frame = frames.isEmpty() ? nullptr : dynamic_cast<TagLib::ID3v2::TextIdentificationFrame*>(frames.front());
    if (!frame)
        return {};
    static const QRegularExpression code(QStringLiteral("^\\(?(\\d{1,3})\\)?$"));
    QStringList genres;
    for (const TagLib::String& field : frame->fieldList()) {
        QString genre = text(field);
        if (const QRegularExpressionMatch match = code.match(genre); match.hasMatch())
            genre = TID3::genreName(match.captured(1).toInt());
        if (!genre.isEmpty() && !genres.contains(genre))
            genres.append(genre);
    }
    return genres.join(QStringLiteral(" / "));
}

// ffmpeg writes a comment as a user text frame described "comment", not as COMM.
QString id3v2UserComment(TagLib::ID3v2::Tag& tag)
{
    for (TagLib::ID3v2::Frame* frame : tag.frameListMap()["TXXX"]) {
        const auto* user = dynamic_cast<TagLib::ID3v2::UserTextIdentificationFrame*>(frame);
        if (user && user->description().upper() == "COMMENT" && user->fieldList().size() > 1)
            return text(user->fieldList()[1]);
    }
    return {};
}

// TagLib looks for an MP3's ID3v2 tag up to the first audio frame, and for a FLAC file's
// marker, a kilobyte at a time, which in a damaged or mislabelled file may mean reading
// gigabytes. Reads end at these budgets, which hold the tags and covers of any real file
// (a tag or cover is read in one piece); past them the file reads as ended.
constexpr unsigned long MaxBytesRead = 16 * 1024 * 1024;
constexpr int MaxReads = 1024;

class BoundedStream : public TagLib::FileStream {
public:
    explicit BoundedStream(const QByteArray& path)
        : FileStream(path.constData(), true)
    {
    }
    TagLib::ByteVector readBlock(unsigned long length) override
    {
        length = std::min(length, m_bytesLeft);
        if (length == 0 || m_readsLeft == 0)
            return {};
        --m_readsLeft;
        TagLib::ByteVector block = FileStream::readBlock(length);
        m_bytesLeft -= block.size();
        return block;
    }

private:
    unsigned long m_bytesLeft = MaxBytesRead;
    int m_readsLeft = MaxReads;
};

struct OpenFile {
    std::unique_ptr<BoundedStream> stream;
    TagLib::FileRef ref;
};

OpenFile open(const QString& path)
{
    OpenFile file;
    if (!FileNames::isFile(path))
        return file;
    file.stream = std::make_unique<BoundedStream>(FileNames::toBytes(path));
    // Fast, and without audio properties: only the tags are looked for.
    if (file.stream->isOpen() && !AsfHeader::isDamaged(*file.stream))
        file.ref = TagLib::FileRef(file.stream.get(), false, TagLib::AudioProperties::Fast);
    return file;
}

TagLib::ID3v2::Tag* id3v2TagOf(TagLib::File* file)
{
    if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(file))
        return mpeg->hasID3v2Tag() ? mpeg->ID3v2Tag() : nullptr;
    if (auto* flac = dynamic_cast<TagLib::FLAC::File*>(file))
        return flac->hasID3v2Tag() ? flac->ID3v2Tag() : nullptr;
    return nullptr;
}

// Front cover first, then the first of any other kind, within `maxBytes`.
template <typename Picture, typename IsFront, typename DataOf>
QByteArray choose(const TagLib::List<Picture>& pictures, qsizetype maxBytes, IsFront isFront, DataOf dataOf)
{
    QByteArray chosen;
    bool chosenIsFront = false;
    for (const Picture& picture : pictures) {
        const TagLib::ByteVector data = dataOf(picture);
        if (data.isEmpty() || qsizetype(data.size()) > maxBytes || (!chosen.isEmpty() && (chosenIsFront || !isFront(picture))))
            continue;
        chosen = QByteArray(data.data(), qsizetype(data.size()));
        chosenIsFront = isFront(picture);
    }
    return chosen;
}

QByteArray id3v2Cover(TagLib::ID3v2::Tag& tag, qsizetype maxBytes)
{
    TagLib::List<TagLib::ID3v2::AttachedPictureFrame*> pictures;
    for (TagLib::ID3v2::Frame* frame : tag.frameListMap()["APIC"]) {
        if (auto* picture = dynamic_cast<TagLib::ID3v2::AttachedPictureFrame*>(frame))
            pictures.append(picture);
    }
    return choose(pictures, maxBytes,
                  [](auto* p) { return p->type() == TagLib::ID3v2::AttachedPictureFrame::FrontCover; },
                  [](auto* p) { return p->picture(); });
}

QByteArray flacCover(const TagLib::List<TagLib::FLAC::Picture*>& pictures, qsizetype maxBytes)
{
    return choose(pictures, maxBytes, [](auto* p) { return p->type() == TagLib::FLAC::Picture::FrontCover; },
                  [](auto* p) { return p->data(); });
}

QByteArray xiphCover(TagLib::Ogg::XiphComment* comment, qsizetype maxBytes)
{
    return comment ? flacCover(comment->pictureList(), maxBytes) : QByteArray();
}

// The file's tag, without ID3v1: an MP3's last 128 bytes are TID3's, which treats a file
// that is nothing but such a block as untagged.
const TagLib::Tag* tagOf(const TagLib::FileRef& file)
{
    auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(file.file());
    if (!mpeg)
        return file.tag();
    if (mpeg->hasID3v2Tag())
        return mpeg->ID3v2Tag();
    return mpeg->hasAPETag() ? mpeg->APETag() : nullptr;
}

std::optional<Texts> textsOf(const TagLib::FileRef& file)
{
    const TagLib::Tag* found = tagOf(file);
    if (!found || found->isEmpty())
        return std::nullopt;
    const TagLib::Tag& tag = *found;
    Texts texts{text(tag.album()), text(tag.artist()), text(tag.comment()), text(tag.genre()), text(tag.title()),
                tag.year() > 0 ? QString::number(tag.year()) : QString()};
    if (TagLib::ID3v2::Tag* id3v2 = id3v2TagOf(file.file())) {
        texts.genre = id3v2Genre(*id3v2);
        if (texts.comment.isEmpty())
            texts.comment = id3v2UserComment(*id3v2);
    }
    return texts;
}

QByteArray coverOf(TagLib::File* file)
{
    // A cover is read whole or not at all, so the read budget bounds it.
    constexpr qsizetype maxBytes = MaxBytesRead;
    if (auto* flac = dynamic_cast<TagLib::FLAC::File*>(file)) {
        if (QByteArray picture = flacCover(flac->pictureList(), maxBytes); !picture.isEmpty())
            return picture;
        if (QByteArray picture = xiphCover(flac->xiphComment(), maxBytes); !picture.isEmpty())
            return picture;
    }
    if (TagLib::ID3v2::Tag* id3v2 = id3v2TagOf(file))
        return id3v2Cover(*id3v2, maxBytes);
    if (auto* mp4 = dynamic_cast<TagLib::MP4::File*>(file)) {
        if (!mp4->tag() || !mp4->tag()->contains("covr"))
            return {};
        return choose(mp4->tag()->item("covr").toCoverArtList(), maxBytes, [](const auto&) { return true; },
                      [](const auto& art) { return art.data(); });
    }
    if (auto* vorbis = dynamic_cast<TagLib::Ogg::Vorbis::File*>(file))
        return xiphCover(vorbis->tag(), maxBytes);
    if (auto* opus = dynamic_cast<TagLib::Ogg::Opus::File*>(file))
        return xiphCover(opus->tag(), maxBytes);
    if (auto* asf = dynamic_cast<TagLib::ASF::File*>(file)) {
        if (!asf->tag())
            return {};
        TagLib::List<TagLib::ASF::Picture> pictures;
        for (const TagLib::ASF::Attribute& attribute : asf->tag()->attribute("WM/Picture"))
            pictures.append(attribute.toPicture());
        return choose(pictures, maxBytes, [](const auto& p) { return p.type() == TagLib::ASF::Picture::FrontCover; },
                      [](const auto& p) { return p.picture(); });
    }
    return {};
}

} // namespace

Contents read(const QString& path)
{
    const OpenFile opened = open(path);
    if (opened.ref.isNull())
        return {};
    return {textsOf(opened.ref), coverOf(opened.ref.file())};
}

} // namespace TagLibReader
