#pragma once
// Reading a started track's tags and album art off the window thread. A damaged file, a
// cover of 4000 × 4000 pixels or a USB stick that stops answering must not hold the
// screen: each read runs on a worker thread and the window thread waits for it at most
// `Wait`. A read that takes longer arrives later through `ready`, unless a newer read was
// started in the meantime. At most `MaxWorkers` reads run at once; of the reads that find
// no free worker only the newest waits for one, so stuck files never pile up threads.
#include "tags/Id3.h"

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

struct TrackTags {
    QString path;
    // The tag reader after ReadID3 of `path`: the six results, defaults applied, and the
    // embedded cover. nullopt when the file opened but could not be read (TagReadError).
    std::optional<TID3> tags;
    // The track's album art (AlbumArt::picture) fitted to the picture box; null when there
    // is none or it could not be decoded.
    QImage picture;
};

class TrackTagReading : public QObject {
    Q_OBJECT
public:
    // The longest the window thread waits for a read.
    static constexpr std::chrono::milliseconds Wait{40};
    static constexpr int MaxWorkers = 3;
    // How long closing waits for reads still running; a read stuck longer is left to end
    // with the process.
    static constexpr std::chrono::milliseconds CloseWait{500};

    // What a worker does: read `path` into `tags` (the caller's tag reader, copied on the
    // window thread when the read was started, so its defaults apply).
    using Read = std::function<TrackTags(const QString& path, TID3 tags)>;

    // Reads with `tags`' defaults, album art as AlbumArt::picture finds it for `programFolder`.
    TrackTagReading(const TID3& tags, const QString& programFolder, const QSize& pictureBox,
                    QObject* parent = nullptr);
    TrackTagReading(const TID3& tags, Read read, QObject* parent = nullptr);
    ~TrackTagReading() override;

    // Starts reading `path`. Its result when the read ends within `Wait`; otherwise
    // nullopt, and `ready` brings the result once the read ends.
    std::optional<TrackTags> start(const QString& path);

    // The read the constructor with `programFolder` and `pictureBox` does.
    static TrackTags readTrack(const QString& path, TID3 tags, const QString& programFolder,
                               const QSize& pictureBox);

signals:
    // The late result of the newest read, on the window thread.
    void ready(const TrackTags& tags);

private:
    struct Job;
    struct Shared;
    static void work(std::shared_ptr<Shared> shared, Job job);
    void deliver(quint64 generation, const TrackTags& tags);

    const TID3& m_tags;
    const std::shared_ptr<Shared> m_shared;
    // The newest read started, counted on the window thread.
    quint64 m_generation = 0;
};
