#include "tags/TrackTagReading.h"

#include "tags/AlbumArt.h"

#include <QMetaObject>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

struct TrackTagReading::Job {
    quint64 generation = 0;
    QString path;
    TID3 tags;
};

// What the window thread and the workers share; it lives as long as the last of them, so
// a worker still stuck in a file when its owner is gone finds it there.
struct TrackTagReading::Shared {
    Shared(TrackTagReading* owner, Read read)
        : owner(owner)
        , read(std::move(read))
    {
    }

    std::mutex mutex;
    std::condition_variable changed;
    // Null once the owner is gone: results are then dropped.
    TrackTagReading* owner;
    const Read read;
    int workers = 0;
    // The newest read that found no free worker.
    std::optional<Job> pending;
    // The read the window thread is waiting for, and its result once it is there.
    quint64 awaited = 0;
    std::optional<TrackTags> handedOver;
};

TrackTagReading::TrackTagReading(const TID3& tags, const QString& programFolder, const QSize& pictureBox,
                                 QObject* parent)
    : TrackTagReading(
          tags,
          [programFolder, pictureBox](const QString& path, TID3 read) {
              return readTrack(path, std::move(read), programFolder, pictureBox);
          },
          parent)
{
}

TrackTagReading::TrackTagReading(const TID3& tags, Read read, QObject* parent)
    : QObject(parent)
    , m_tags(tags)
    , m_shared(std::make_shared<Shared>(this, std::move(read)))
{
}

TrackTagReading::~TrackTagReading()
{
    std::unique_lock lock(m_shared->mutex);
    m_shared->owner = nullptr;
    m_shared->pending.reset();
    m_shared->changed.wait_for(lock, CloseWait, [this] { return m_shared->workers == 0; });
}

std::optional<TrackTags> TrackTagReading::start(const QString& path)
{
    Job job{++m_generation, path, m_tags};
    std::unique_lock lock(m_shared->mutex);
    m_shared->awaited = job.generation;
    m_shared->handedOver.reset();
    if (m_shared->workers < MaxWorkers) {
        ++m_shared->workers;
        std::thread(work, m_shared, std::move(job)).detach();
    } else {
        m_shared->pending = std::move(job);
    }
    const bool ended = m_shared->changed.wait_for(lock, Wait, [this] { return m_shared->handedOver.has_value(); });
    m_shared->awaited = 0;
    if (!ended)
        return std::nullopt;
    return std::exchange(m_shared->handedOver, std::nullopt);
}

void TrackTagReading::work(std::shared_ptr<Shared> shared, Job job)
{
    for (;;) {
        TrackTags result = shared->read(job.path, std::move(job.tags));
        std::lock_guard lock(shared->mutex);
        if (job.generation == shared->awaited) {
            shared->handedOver = std::move(result);
            shared->changed.notify_all();
        } else if (TrackTagReading* owner = shared->owner) {
            // Posted while the lock keeps the owner from being destroyed; its destruction
            // discards what is still queued for it.
            const auto deliver = [owner, generation = job.generation, result = std::move(result)] {
                owner->deliver(generation, result);
            };
            QMetaObject::invokeMethod(owner, deliver, Qt::QueuedConnection);
        }
        if (!shared->pending) {
            --shared->workers;
            shared->changed.notify_all();
            return;
        }
        job = std::move(*shared->pending);
        shared->pending.reset();
    }
}

void TrackTagReading::deliver(quint64 generation, const TrackTags& tags)
{
    if (generation == m_generation)
        emit ready(tags);
}

TrackTags TrackTagReading::readTrack(const QString& path, TID3 tags, const QString& programFolder,
                                     const QSize& pictureBox)
{
    TrackTags result{path, std::nullopt, {}};
    try {
        tags.ReadID3(path);
        result.tags = std::move(tags);
    } catch (const TagReadError&) {
    }
    result.picture =
        AlbumArt::picture(path, programFolder, result.tags ? result.tags->Cover() : QByteArray(), pictureBox);
    return result;
}
