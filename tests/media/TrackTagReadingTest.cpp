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
#include <algorithm>
#include <condition_variable>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <set>

namespace {

const QSize Box(280, 280);

// Reads that do not end until the test lets them: those of the paths held.
class HeldReads {
public:
    explicit HeldReads(std::set<QString> held)
        : m_state(std::make_shared<State>())
    {
        m_state->held = std::move(held);
    }
    ~HeldReads() { releaseAll(); }

    // Shares the state with the workers, which may still be in a read when the test ends.
    TrackTagReading::Read read() const
    {
        return [state = m_state](const QString& path, TID3 tags) {
            std::unique_lock lock(state->mutex);
            state->mostRunning = std::max(state->mostRunning, ++state->running);
            state->changed.wait(lock, [&] { return !state->held.count(path); });
            --state->running;
            state->changed.notify_all();
            return TrackTags{path, tags, {}};
        };
    }
    void release(const QString& path)
    {
        std::lock_guard lock(m_state->mutex);
        m_state->held.erase(path);
        m_state->changed.notify_all();
    }
    // Lets every read end and waits until they have.
    void releaseAll()
    {
        std::unique_lock lock(m_state->mutex);
        m_state->held.clear();
        m_state->changed.notify_all();
        m_state->changed.wait(lock, [this] { return m_state->running == 0; });
    }
    int running() const
    {
        std::lock_guard lock(m_state->mutex);
        return m_state->running;
    }
    int mostRunning() const
    {
        std::lock_guard lock(m_state->mutex);
        return m_state->mostRunning;
    }

private:
    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        std::set<QString> held;
        int running = 0;
        int mostRunning = 0;
    };
    std::shared_ptr<State> m_state;
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
    QStringList latePaths() const
    {
        QStringList paths;
        for (const TrackTags& tags : m_late)
            paths.append(tags.path);
        return paths;
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

TEST_F(TrackTagReadingTest, ADamagedWindowsMediaFileGivesDefaultsAndHoldsNothing)
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
    HeldReads reads({"x1", "x2", "old"});
    TrackTagReading reading(m_tags, reads.read());
    listen(reading);
    for (const char* path : {"x1", "x2", "old"})
        EXPECT_FALSE(reading.start(path)) << path;
    // Every worker is held: the newest read, quick as it is, waits for one.
    EXPECT_FALSE(reading.start("new"));
    EXPECT_LE(reads.mostRunning(), TrackTagReading::MaxWorkers);

    // The worker let go hands over "old", then reads "new": "old" came first and was dropped.
    reads.release("old");
    waitForLate();
    EXPECT_EQ(latePaths(), QStringList{"new"});
    reads.releaseAll();
}

TEST_F(TrackTagReadingTest, ClosingDoesNotWaitForAStuckRead)
{
    HeldReads reads({"stuck"});
    auto reading = std::make_unique<TrackTagReading>(m_tags, reads.read());
    EXPECT_FALSE(reading->start("stuck"));
    reading.reset();
    EXPECT_EQ(reads.running(), 1);
    // Its worker ends later, with nobody left to tell.
    reads.releaseAll();
}

} // namespace
