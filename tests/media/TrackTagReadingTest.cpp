// A started track's tags and album art read on a worker, the window thread waiting a bounded
// time: reads that end in time come back at once, later ones arrive by `ready`, only the
// newest read's result is delivered, and stuck reads neither pile up threads nor hold exit.
#include "tags/TrackTagReading.h"

#include "support/MediaFiles.h"
#include "support/TestPaths.h"

#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <condition_variable>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <set>

namespace {

const QSize Box(280, 280);

// Reads that do not end while their path is held, shared with the workers, which may still
// be in a read when the test ends.
struct HeldReads {
    std::mutex mutex;
    std::condition_variable changed;
    std::set<QString> held;
    int running = 0;

    static TrackTagReading::Read of(const std::shared_ptr<HeldReads>& reads)
    {
        return [reads](const QString& path, TID3 tags) {
            std::unique_lock lock(reads->mutex);
            ++reads->running;
            reads->changed.wait(lock, [&] { return !reads->held.count(path); });
            --reads->running;
            reads->changed.notify_all();
            return TrackTags{path, tags, {}};
        };
    }
    // Lets the read of `path` end, or with no path every read, and then waits until they have.
    void release(const QString& path = {})
    {
        std::unique_lock lock(mutex);
        if (!path.isEmpty())
            held.erase(path);
        else
            held.clear();
        changed.notify_all();
        if (path.isEmpty())
            changed.wait(lock, [this] { return running == 0; });
    }
};

class TrackTagReadingTest : public ::testing::Test {
protected:
    // Collects what `reading` delivers late.
    void listen(TrackTagReading& reading)
    {
        QObject::connect(&reading, &TrackTagReading::ready, &reading,
                         [this](const TrackTags& tags) { m_late.append(tags); });
    }
    // Runs the window thread's events until a late result has arrived; a failure after 20 s.
    void waitForLate()
    {
        QEventLoop loop;
        QTimer giveUp;
        giveUp.setSingleShot(true);
        QObject::connect(&giveUp, &QTimer::timeout, &loop, &QEventLoop::quit);
        giveUp.start(20000);
        const qsizetype before = m_late.size();
        while (m_late.size() == before && giveUp.isActive())
            loop.processEvents(QEventLoop::WaitForMoreEvents);
        ASSERT_GT(m_late.size(), before) << "no late result arrived";
    }
    // The result of reading `path`, at once or late; `reading` must be listened to.
    TrackTags startAndWait(TrackTagReading& reading, const QString& path)
    {
        if (std::optional<TrackTags> tags = reading.start(path))
            return *tags;
        waitForLate();
        return m_late.isEmpty() ? TrackTags{} : m_late.last();
    }
    TID3 m_tags;
    QList<TrackTags> m_late;
};

TEST_F(TrackTagReadingTest, AnOrdinaryTrackComesBackWithinTheWait)
{
    QTemporaryDir dir;
    const QString track = dir.filePath("song.wav");
    QFile file(track);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(MediaFiles::tagged(MediaFiles::wave(100), {"Night Drive", "The Motorway", "Long Roads", "2004", "", 17}));
    file.close();
    QFile picture(dir.filePath("song.PNG"));
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    picture.write(MediaFiles::picture(Qt::red, "PNG"));
    picture.close();

    TrackTagReading reading(m_tags, dir.path(), Box);
    listen(reading);
    // The first read loads TagLib's and Qt's picture readers, once for the program's life.
    startAndWait(reading, track);

    const std::optional<TrackTags> tags = reading.start(track);
    ASSERT_TRUE(tags.has_value()) << "an ordinary track was not read within the wait";
    EXPECT_EQ(tags->path, track);
    ASSERT_TRUE(tags->tags.has_value());
    EXPECT_EQ(tags->tags->Title(), "Night Drive");
    EXPECT_EQ(tags->tags->Genre(), "Rock");
    EXPECT_EQ(tags->tags->Comment(), "No Additional Information");
    EXPECT_EQ(tags->picture.size(), Box);
}

TEST_F(TrackTagReadingTest, TheDamagedWindowsMediaFileComesBackWithDefaults)
{
    const QString damaged = TestPaths::sharedTestData() + "/damaged/asf-stall.wma";
    if (!QFile::exists(damaged))
        GTEST_SKIP() << "no " << damaged.toStdString();
    TrackTagReading reading(m_tags, TestPaths::sharedTestData(), Box);
    listen(reading);
    const TrackTags tags = startAndWait(reading, damaged);
    ASSERT_TRUE(tags.tags.has_value());
    EXPECT_EQ(tags.tags->Title(), "Unknown Title");
    EXPECT_EQ(tags.tags->Artist(), "Unknown Artist");
    EXPECT_TRUE(tags.picture.isNull());
}

TEST_F(TrackTagReadingTest, ALongReadArrivesLaterAndOnlyTheNewestIsDelivered)
{
    const auto reads = std::make_shared<HeldReads>();
    reads->held = {"x1", "x2", "old"};
    TrackTagReading reading(m_tags, HeldReads::of(reads));
    listen(reading);
    for (const char* path : {"x1", "x2", "old"})
        EXPECT_FALSE(reading.start(path)) << path;
    // Every worker is held: the newest read, quick as it is, waits for one.
    EXPECT_FALSE(reading.start("new"));

    // The worker let go hands over "old", then reads "new": "old" came first and was dropped.
    reads->release("old");
    waitForLate();
    ASSERT_EQ(m_late.size(), 1);
    EXPECT_EQ(m_late.front().path, "new");
    reads->release();
}

TEST_F(TrackTagReadingTest, ClosingDoesNotWaitForAStuckRead)
{
    const auto reads = std::make_shared<HeldReads>();
    reads->held = {"stuck"};
    auto reading = std::make_unique<TrackTagReading>(m_tags, HeldReads::of(reads));
    EXPECT_FALSE(reading->start("stuck"));
    reading.reset();
    {
        std::lock_guard lock(reads->mutex);
        EXPECT_EQ(reads->running, 1) << "the read is still stuck";
    }
    // Its worker ends later, with nobody left to tell.
    reads->release();
}

} // namespace
