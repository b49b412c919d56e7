#include "DemoMedia.h"

#include "platform/TextFile.h"
#include "tags/Id3.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QProcess>
#include <QTemporaryFile>
#include <cmath>
#include <functional>
#include <numbers>
#include <optional>
#include <vector>

namespace {

constexpr int SampleRate = 44100;
constexpr double TrackSeconds = 20;
constexpr double ClipSeconds = 10;
constexpr int ClipFramesPerSecond = 25;
const QSize ClipSize(320, 240);
const QSize CoverSize(300, 300);

// A little tune: a melody in eighth notes over one bass note a bar, as semitones above the
// root; a melody step of Rest is silent.
struct Tune {
    double rootHz;
    double beatsPerMinute;
    std::vector<int> melody;
    std::vector<int> bass;
};
constexpr int Rest = -99;

// Colours and caption of a picture: sky from top to horizon, the sun, and the text.
struct Scene {
    QColor skyTop;
    QColor skyHorizon;
    QColor sun;
    QString caption;
};

struct DemoTrack {
    QString fileName;
    Tune tune;
    std::optional<DemoMedia::Tag> tag;
    // A picture of the track's own name ("Coastal Road.JPG" for "Coastal Road.mp3").
    std::optional<Scene> picture;
};

const Scene Sunset{QColor(255, 94, 58), QColor(255, 200, 87), QColor(255, 240, 180), QStringLiteral("COASTAL ROAD")};
const Scene Night{QColor(8, 12, 48), QColor(52, 70, 140), QColor(235, 235, 255), QStringLiteral("DEMO DRIVE")};

const QString Album = QStringLiteral("Karvex Demo Drive");
const QString Comment = QStringLiteral("Made by make_demo");

const std::vector<DemoTrack> Tracks = {
    {QStringLiteral("Coastal Road.mp3"),
     {261.63, 112, {0, 4, 7, 12, 7, 4, 9, 7, 5, 9, 12, 9, 7, Rest, 4, 2}, {0, -3, 5, 7}},
     DemoMedia::Tag{QStringLiteral("Coastal Road"), QStringLiteral("The Demo Drivers"), Album, QStringLiteral("2026"),
                    Comment, QStringLiteral("Pop"), 1},
     Sunset},
    {QStringLiteral("Night_Drive_Home.ogg"),
     {220.0, 84, {0, Rest, 3, 7, 10, Rest, 7, 3, 5, Rest, 8, 12, 10, 7, 3, Rest}, {0, 8, 3, 10}},
     DemoMedia::Tag{QStringLiteral("Night Drive Home"), QStringLiteral("The Demo Drivers"), Album,
                    QStringLiteral("2026"), Comment, QStringLiteral("Ambient"), 2},
     std::nullopt},
    {QStringLiteral("Morning Commute.mp3"),
     {293.66, 132, {0, 2, 4, 7, 9, 7, 4, 2, 0, 4, 7, 11, 12, 11, 7, 4}, {0, 5, 9, 7}},
     DemoMedia::Tag{QStringLiteral("Morning Commute"), QString::fromUtf8("Zoë and the Wipers"), Album,
                    QStringLiteral("2025"), Comment, QStringLiteral("Jazz"), 3},
     std::nullopt},
    {QStringLiteral("City Lights.mp4"), {196.0, 100, {7, 4, 0, 4, 7, 12, 7, 4}, {0, 5}}, std::nullopt, std::nullopt},
};

const QString FolderPicture = QStringLiteral("albumart.PNG");

// ---------------------------------------------------------------- sound

// A plucked note: a few harmonics, a quick attack and a fading tail, added into `mix`.
void addNote(std::vector<double>& mix, double start, double seconds, double hz, double loudness)
{
    const int first = int(start * SampleRate);
    const int count = int(seconds * SampleRate);
    for (int i = 0; i < count && first + i < int(mix.size()); ++i) {
        const double t = double(i) / SampleRate;
        const double envelope = loudness * std::min(1.0, t / 0.006) * std::exp(-3.5 * t / seconds);
        const double phase = 2 * std::numbers::pi * hz * t;
        mix[first + i] += envelope * (std::sin(phase) + 0.35 * std::sin(2 * phase) + 0.12 * std::sin(3 * phase));
    }
}

double noteHz(double rootHz, int semitones)
{
    return rootHz * std::pow(2.0, semitones / 12.0);
}

// The tune as 16-bit little-endian mono samples.
QByteArray render(const Tune& tune, double seconds)
{
    std::vector<double> mix(size_t(seconds * SampleRate));
    const double eighth = 30.0 / tune.beatsPerMinute;
    for (int step = 0; step * eighth < seconds; ++step) {
        const int note = tune.melody[step % tune.melody.size()];
        if (note != Rest)
            addNote(mix, step * eighth, eighth * 2, noteHz(tune.rootHz, note), 0.25);
        if (step % 8 == 0)
            addNote(mix, step * eighth, eighth * 8, noteHz(tune.rootHz, tune.bass[step / 8 % tune.bass.size()] - 12), 0.35);
    }
    double peak = 1e-9;
    for (double v : mix)
        peak = std::max(peak, std::abs(v));
    QByteArray samples;
    samples.reserve(int(mix.size() * 2));
    const double fade = 0.5 * SampleRate;
    for (size_t i = 0; i < mix.size(); ++i) {
        const double edge = std::min({1.0, i / fade, (mix.size() - i) / fade});
        const auto value = static_cast<int16_t>(mix[i] / peak * 0.8 * edge * 32767);
        samples.append(char(value & 0xff)).append(char((value >> 8) & 0xff));
    }
    return samples;
}

const QStringList RawAudioInput = {"-f", "s16le", "-ar", QString::number(SampleRate), "-ac", "1"};

// Runs ffmpeg with `arguments`, handing its standard input to `feed`; true when it
// succeeded, otherwise `error` holds what it said.
bool ffmpeg(const QStringList& arguments, const std::function<void(QProcess&)>& feed, QString& error)
{
    QProcess encoder;
    encoder.start(QStringLiteral("ffmpeg"), QStringList{"-hide_banner", "-loglevel", "error", "-y"} + arguments);
    if (!encoder.waitForStarted()) {
        error = QStringLiteral("cannot start ffmpeg");
        return false;
    }
    feed(encoder);
    encoder.closeWriteChannel();
    if (!encoder.waitForFinished(120000) || encoder.exitStatus() != QProcess::NormalExit || encoder.exitCode() != 0) {
        error = QStringLiteral("ffmpeg failed: ") + QString::fromLocal8Bit(encoder.readAllStandardError());
        return false;
    }
    return true;
}

void writeAll(QProcess& process, const QByteArray& bytes)
{
    process.write(bytes);
    process.waitForBytesWritten(-1);
}

// ---------------------------------------------------------------- pictures

// A road into the sunset (or the night): sky, sun, ground, a road narrowing to the horizon
// whose centre dashes move on with `distance` (0 to 1 is one dash), and the caption.
void paintScene(QPainter& painter, QSize size, const Scene& scene, double distance)
{
    const double w = size.width();
    const double h = size.height();
    const double horizon = h * 0.55;
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0, scene.skyTop);
    sky.setColorAt(1, scene.skyHorizon);
    painter.fillRect(QRectF(0, 0, w, horizon), sky);
    painter.setPen(Qt::NoPen);
    painter.setBrush(scene.sun);
    painter.drawEllipse(QPointF(w * 0.7, horizon - h * 0.08), h * 0.12, h * 0.12);
    painter.fillRect(QRectF(0, horizon, w, h - horizon), scene.skyTop.darker(300));

    painter.setBrush(QColor(40, 40, 46));
    painter.drawPolygon(QPolygonF{{w * 0.47, horizon}, {w * 0.53, horizon}, {w * 0.95, h}, {w * 0.05, h}});
    painter.setBrush(QColor(250, 250, 230));
    // Dashes in perspective: depth 0 at the horizon, 1 at the bottom edge.
    for (int dash = 0; dash < 8; ++dash) {
        const double near = std::pow((dash + std::fmod(distance, 1.0)) / 8, 2);
        const double far = std::pow((dash + std::fmod(distance, 1.0) + 0.45) / 8, 2);
        const auto point = [&](double depth, double side) {
            return QPointF(w / 2 + side * (0.004 + 0.02 * depth) * w, horizon + depth * (h - horizon));
        };
        painter.drawPolygon(QPolygonF{point(near, -1), point(near, 1), point(std::min(far, 1.0), 1),
                                      point(std::min(far, 1.0), -1)});
    }

    QFont font = painter.font();
    font.setPixelSize(int(h * 0.1));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, h * 0.06, w, h * 0.15), Qt::AlignCenter, scene.caption);
}

QImage picture(const Scene& scene, QSize size, double distance)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    paintScene(painter, size, scene, distance);
    return image;
}

bool writeTrack(const QDir& folder, const DemoTrack& track, QString& error)
{
    const QString path = folder.filePath(track.fileName);
    const QStringList encoding = track.fileName.endsWith(QLatin1String(".ogg"))
        ? QStringList{"-c:a", "libvorbis", "-q:a", "3"}
        : QStringList{"-c:a", "libmp3lame", "-b:a", "128k", "-id3v2_version", "0", "-write_id3v1", "0"};
    const QByteArray samples = render(track.tune, TrackSeconds);
    if (!ffmpeg(RawAudioInput + QStringList{"-i", "-", "-map_metadata", "-1"} + encoding << path,
                [&](QProcess& encoder) { writeAll(encoder, samples); }, error))
        return false;
    if (track.tag) {
        const QByteArray block = DemoMedia::id3v1Block(*track.tag);
        QFile file(path);
        if (block.isEmpty() || !file.open(QIODevice::Append) || file.write(block) != block.size()) {
            error = QStringLiteral("cannot tag ") + path;
            return false;
        }
    }
    if (track.picture) {
        const QString picturePath = path.chopped(4) + QStringLiteral(".JPG");
        if (!picture(*track.picture, CoverSize, 0).save(picturePath, "JPG", 90)) {
            error = QStringLiteral("cannot write ") + picturePath;
            return false;
        }
    }
    return true;
}

bool writeClip(const QDir& folder, const DemoTrack& clip, QString& error)
{
    QTemporaryFile sound(folder.filePath(QStringLiteral("sound-XXXXXX.raw")));
    if (!sound.open() || sound.write(render(clip.tune, ClipSeconds)) < 0 || !sound.flush()) {
        error = QStringLiteral("cannot write a temporary sound file in ") + folder.path();
        return false;
    }
    const int frames = int(ClipSeconds * ClipFramesPerSecond);
    const QStringList video = {"-f", "rawvideo", "-pix_fmt", "bgra", "-s",
                               QStringLiteral("%1x%2").arg(ClipSize.width()).arg(ClipSize.height()),
                               "-r", QString::number(ClipFramesPerSecond), "-i", "-"};
    const QStringList output = {"-c:v", "libx264", "-preset", "veryfast", "-pix_fmt", "yuv420p", "-c:a", "aac",
                                "-b:a", "96k", "-shortest", "-map_metadata", "-1", folder.filePath(clip.fileName)};
    return ffmpeg(video + RawAudioInput + QStringList{"-i", sound.fileName()} + output,
                  [&](QProcess& encoder) {
                      for (int frame = 0; frame < frames; ++frame) {
                          // Four dashes a second go by.
                          const QImage image = picture(Night, ClipSize, frame * 4.0 / ClipFramesPerSecond);
                          writeAll(encoder, QByteArray(reinterpret_cast<const char*>(image.constBits()),
                                                       int(image.sizeInBytes())));
                      }
                  },
                  error);
}

std::optional<int> genreIndex(const QString& name)
{
    for (int code = 0; code < TID3::GenreCount; ++code)
        if (TID3::genreName(code) == name)
            return code;
    return std::nullopt;
}

void putText(QByteArray& block, int offset, int length, const QString& text)
{
    const QByteArray bytes = TextFile::toWindows1252(text).value_or(QByteArray("?")).left(length);
    block.replace(offset, bytes.size(), bytes);
}

} // namespace

namespace DemoMedia {

QByteArray id3v1Block(const Tag& tag)
{
    const std::optional<int> genre = genreIndex(tag.genre);
    if (!genre)
        return {};
    QByteArray block(TID3::BlockSize, '\0');
    block.replace(0, 3, "TAG");
    putText(block, 3, 30, tag.title);
    putText(block, 33, 30, tag.artist);
    putText(block, 63, 30, tag.album);
    putText(block, 93, 4, tag.year);
    putText(block, 97, 28, tag.comment); // byte 125 stays zero: a track number follows
    block[126] = char(tag.track);
    block[127] = char(*genre);
    return block;
}

QStringList write(const QString& folder, QString& error)
{
    const QDir dir(folder);
    QStringList names;
    for (const DemoTrack& track : Tracks) {
        const bool written = track.fileName.endsWith(QLatin1String(".mp4")) ? writeClip(dir, track, error)
                                                                             : writeTrack(dir, track, error);
        if (!written)
            return {};
        names << track.fileName;
    }
    if (!picture(Night, CoverSize, 0).save(dir.filePath(FolderPicture), "PNG")) {
        error = QStringLiteral("cannot write ") + dir.filePath(FolderPicture);
        return {};
    }
    return names;
}

} // namespace DemoMedia
