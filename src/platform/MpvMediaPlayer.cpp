#include "platform/MpvMediaPlayer.h"

#include "platform/FileNames.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstring>
#include <mpv/client.h>
#include <sys/stat.h>
#include <vector>

namespace {

// The longest that open and close keep the window thread waiting.
constexpr double kWaitSeconds = 5.0;

bool onX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

// A GPU that mpv can render and decode with shows up as a DRM render node.
bool hasRenderNode()
{
    return !QDir(QStringLiteral("/dev/dri")).entryList({QStringLiteral("renderD*")}, QDir::System).isEmpty();
}

// The video outputs mpv may use, best first. Its GPU output is offered only where there is
// a GPU, and then with OpenGL only: stepping down through its contexts mpv would otherwise
// reach the Vulkan display context, whose clean-up without a Vulkan driver closes
// descriptor 0 (the X connection of a later output gets that number and is torn down
// with it). Without a GPU every one of those contexts would be probed and rejected for
// nothing, Mesa's software rasteriser loaded and unloaded on every video.
QList<MpvMediaPlayer::Option> videoOptions()
{
    if (!onX11())
        return {{"vo", "null"}};
    if (hasRenderNode())
        return {{"vo", "gpu,xv,x11,null"}, {"gpu-api", "opengl"}, {"hwdec", "auto-safe"}};
    return {{"vo", "xv,x11,null"}};
}

bool isRegularFile(const QString& path)
{
    struct stat status {};
    return stat(FileNames::toBytes(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

qint64 playlistEntryIdOf(const mpv_node& result)
{
    if (result.format != MPV_FORMAT_NODE_MAP)
        return 0;
    const mpv_node_list* map = result.u.list;
    for (int i = 0; i < map->num; ++i) {
        if (std::strcmp(map->keys[i], "playlist_entry_id") == 0 && map->values[i].format == MPV_FORMAT_INT64)
            return map->values[i].u.int64;
    }
    return 0;
}

QString mpvErrorText(int error)
{
    return QString::fromUtf8(mpv_error_string(error));
}

} // namespace

MpvMediaPlayer::MpvMediaPlayer(const QList<Option>& extraOptions)
{
    // libmpv refuses to start unless numbers are formatted the C way; Qt sets the
    // locale from the environment.
    std::setlocale(LC_NUMERIC, "C");
    m_mpv = mpv_create();
    if (!m_mpv)
        return;

    QList<Option> options = {
        {"config", "no"},
        {"terminal", "no"},
        {"load-scripts", "no"},
        {"ytdl", "no"},
        {"input-default-bindings", "no"},
        {"input-vo-keyboard", "no"},
        // Taps on the video must reach the window, not mpv.
        {"input-cursor", "no"},
        {"cursor-autohide", "no"},
        {"idle", "yes"},
        {"force-window", "no"},
        {"keep-open", "yes"},
        {"keep-open-pause", "yes"},
        // Files open paused; play() starts them.
        {"pause", "yes"},
        {"audio-fallback-to-null", "yes"},
        // Cover art in audio files is shown by the track panel, not as video.
        {"audio-display", "no"},
    };
    options += videoOptions();
    options += extraOptions;
    for (const Option& option : options)
        mpv_set_option_string(m_mpv, option.first.constData(), option.second.constData());

    if (mpv_initialize(m_mpv) < 0) {
        mpv_terminate_destroy(m_mpv);
        m_mpv = nullptr;
    }
}

MpvMediaPlayer::~MpvMediaPlayer()
{
    if (m_mpv)
        mpv_terminate_destroy(m_mpv);
}

void MpvMediaPlayer::handleEvent(const mpv_event& event) const
{
    switch (event.event_id) {
    case MPV_EVENT_COMMAND_REPLY:
        if (event.reply_userdata == m_events.awaitedRequest) {
            m_events.replied = true;
            m_events.replyError = event.error;
            m_events.replyEntryId = playlistEntryIdOf(static_cast<const mpv_event_command*>(event.data)->result);
        }
        break;
    case MPV_EVENT_START_FILE:
        m_events.startedEntryId = static_cast<const mpv_event_start_file*>(event.data)->playlist_entry_id;
        break;
    case MPV_EVENT_FILE_LOADED:
        m_events.loadedEntryId = m_events.startedEntryId;
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        m_events.restarted = true;
        break;
    case MPV_EVENT_END_FILE: {
        const auto* end = static_cast<const mpv_event_end_file*>(event.data);
        m_events.endedEntryId = end->playlist_entry_id;
        // A file that ends other than by an error while loading had nothing to play.
        m_events.endError = end->reason == MPV_END_FILE_REASON_ERROR ? end->error : MPV_ERROR_NOTHING_TO_PLAY;
        if (end->playlist_entry_id == m_openEntryId) {
            m_openEntryId = 0;
            if (end->reason == MPV_END_FILE_REASON_ERROR)
                m_error = mpvErrorText(end->error);
        }
        break;
    }
    default:
        break;
    }
}

void MpvMediaPlayer::drainEvents() const
{
    if (!m_mpv)
        return;
    for (;;) {
        const mpv_event* event = mpv_wait_event(m_mpv, 0);
        if (event->event_id == MPV_EVENT_NONE)
            return;
        handleEvent(*event);
    }
}

template <typename Done>
bool MpvMediaPlayer::waitUntil(Done done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        const double left = kWaitSeconds - clock.elapsed() / 1000.0;
        if (left <= 0)
            return false;
        const mpv_event* event = mpv_wait_event(m_mpv, left);
        if (event->event_id != MPV_EVENT_NONE)
            handleEvent(*event);
    }
    return true;
}

void MpvMediaPlayer::sendCommand(std::initializer_list<const char*> arguments, quint64 request)
{
    std::vector<const char*> command(arguments);
    command.push_back(nullptr);
    mpv_command_async(m_mpv, request, command.data());
}

bool MpvMediaPlayer::isOpen() const
{
    drainEvents();
    return m_openEntryId != 0;
}

void MpvMediaPlayer::setFileName(const QString& path)
{
    m_fileName = path;
}

QString MpvMediaPlayer::fileName() const
{
    return m_fileName;
}

bool MpvMediaPlayer::open()
{
    if (!m_mpv) {
        m_error = mpvErrorText(MPV_ERROR_UNINITIALIZED);
        return false;
    }
    close();
    m_error.clear();
    // A pipe or a device would keep mpv, and the window thread waiting for it, for seconds.
    if (FileNames::exists(m_fileName) && !isRegularFile(QFileInfo(m_fileName).absoluteFilePath())) {
        m_error = QStringLiteral("not a regular file");
        return false;
    }

    int paused = 1;
    mpv_set_property(m_mpv, "pause", MPV_FORMAT_FLAG, &paused);
    m_events.awaitedRequest = ++m_lastRequest;
    m_events.replied = false;
    // An absolute path is always read as a local file, never as a protocol or stdin.
    const QByteArray path = FileNames::toBytes(QFileInfo(m_fileName).absoluteFilePath());
    sendCommand({"loadfile", path.constData(), "replace"}, m_events.awaitedRequest);

    const auto settled = [this] {
        const qint64 entry = m_events.replyEntryId;
        return m_events.replied
            && (m_events.replyError < 0 || m_events.loadedEntryId == entry || m_events.endedEntryId == entry);
    };
    if (!waitUntil(settled)) {
        // Do not let the file start later after we gave up on it.
        sendCommand({"stop"}, ++m_lastRequest);
        m_error = QStringLiteral("opening timed out");
        return false;
    }
    if (m_events.replyError < 0) {
        m_error = mpvErrorText(m_events.replyError);
        return false;
    }
    if (m_events.endedEntryId == m_events.replyEntryId) {
        m_error = mpvErrorText(m_events.endError);
        return false;
    }
    m_openEntryId = m_events.replyEntryId;
    return true;
}

void MpvMediaPlayer::close()
{
    if (!isOpen())
        return;
    sendCommand({"stop"}, ++m_lastRequest);
    waitUntil([&] { return m_openEntryId == 0; });
    m_openEntryId = 0;
    // mpv takes its video output down on its own thread after the file has ended. Its window
    // is a child of ours: were ours destroyed first (the main window closing), the output's
    // clean-up would fail on it and Xlib would end the program.
    QElapsedTimer clock;
    clock.start();
    while (videoOutputConfigured() && clock.elapsed() < kWaitSeconds * 1000) {
        const mpv_event* event = mpv_wait_event(m_mpv, 0.01);
        if (event->event_id != MPV_EVENT_NONE)
            handleEvent(*event);
    }
}

bool MpvMediaPlayer::videoOutputConfigured() const
{
    int configured = 0;
    return mpv_get_property(m_mpv, "vo-configured", MPV_FORMAT_FLAG, &configured) >= 0 && configured;
}

bool MpvMediaPlayer::play()
{
    if (!isOpen()) {
        if (m_error.isEmpty())
            m_error = mpvErrorText(MPV_ERROR_NOTHING_TO_PLAY);
        return false;
    }
    int paused = 0;
    const int result = mpv_set_property(m_mpv, "pause", MPV_FORMAT_FLAG, &paused);
    if (result < 0) {
        m_error = mpvErrorText(result);
        return false;
    }
    return true;
}

void MpvMediaPlayer::stop()
{
    if (!isOpen())
        return;
    int paused = 1;
    mpv_set_property(m_mpv, "pause", MPV_FORMAT_FLAG, &paused);
}

bool MpvMediaPlayer::isPlaying() const
{
    int paused = 1;
    int atEnd = 0;
    return isOpen() && mpv_get_property(m_mpv, "pause", MPV_FORMAT_FLAG, &paused) >= 0 && !paused
        && !(mpv_get_property(m_mpv, "eof-reached", MPV_FORMAT_FLAG, &atEnd) >= 0 && atEnd);
}

void MpvMediaPlayer::seek(const char* target, const char* mode)
{
    if (!isOpen())
        return;
    const char* command[] = {"seek", target, mode, nullptr};
    mpv_command(m_mpv, command);
}

void MpvMediaPlayer::seekToEnd()
{
    seek("100", "absolute-percent+exact");
}

void MpvMediaPlayer::setPosition(qint64 ms)
{
    if (!isOpen())
        return;
    // Until the seek is done mpv still reports the old place, the end of a finished
    // track among them; wait for it, so that position() tells the new one.
    m_events.restarted = false;
    const QByteArray seconds = QByteArray::number(std::max<qint64>(ms, 0) / 1000.0, 'f', 3);
    seek(seconds.constData(), "absolute+exact");
    waitUntil([&] { return m_events.restarted || m_openEntryId == 0; });
}

double MpvMediaPlayer::doubleProperty(const char* name) const
{
    double value = 0;
    return mpv_get_property(m_mpv, name, MPV_FORMAT_DOUBLE, &value) >= 0 ? value : 0;
}

qint64 MpvMediaPlayer::position() const
{
    if (!isOpen())
        return 0;
    const qint64 len = length();
    // The last timestamp of a compressed track stops short of its duration, so the end is
    // what mpv says it is.
    int atEnd = 0;
    if (mpv_get_property(m_mpv, "eof-reached", MPV_FORMAT_FLAG, &atEnd) >= 0 && atEnd)
        return len;
    const qint64 pos = std::max<qint64>(std::llround(doubleProperty("time-pos") * 1000), 0);
    return len > 0 ? std::min(pos, len) : pos;
}

qint64 MpvMediaPlayer::length() const
{
    return isOpen() ? std::llround(doubleProperty("duration") * 1000) : 0;
}

qint64 MpvMediaPlayer::start() const
{
    // mpv counts positions from the file's own first timestamp.
    return 0;
}

bool MpvMediaPlayer::hasVideo() const
{
    int albumArt = 0;
    return isOpen()
        && mpv_get_property(m_mpv, "current-tracks/video/albumart", MPV_FORMAT_FLAG, &albumArt) >= 0
        && !albumArt;
}

void MpvMediaPlayer::setDisplayWindow(QWidget* window)
{
    m_displayWindow = window;
    if (!m_mpv || !window || !onX11())
        return;
    // Takes effect when mpv next creates its video output, i.e. for the next file opened.
    int64_t id = static_cast<int64_t>(window->winId());
    mpv_set_property(m_mpv, "wid", MPV_FORMAT_INT64, &id);
}

void MpvMediaPlayer::setDisplayRect(const QRect& rect)
{
    if (!m_mpv || !m_displayWindow || m_displayWindow->width() <= 0 || m_displayWindow->height() <= 0)
        return;
    // mpv fills its whole window; margins keep the picture inside the rectangle.
    const double width = m_displayWindow->width();
    const double height = m_displayWindow->height();
    const auto setMargin = [&](const char* name, double pixels, double extent) {
        double ratio = std::clamp(pixels / extent, 0.0, 1.0);
        mpv_set_property(m_mpv, name, MPV_FORMAT_DOUBLE, &ratio);
    };
    setMargin("video-margin-ratio-left", rect.left(), width);
    setMargin("video-margin-ratio-top", rect.top(), height);
    setMargin("video-margin-ratio-right", width - (rect.x() + rect.width()), width);
    setMargin("video-margin-ratio-bottom", height - (rect.y() + rect.height()), height);
}

QString MpvMediaPlayer::errorText() const
{
    return m_error;
}
