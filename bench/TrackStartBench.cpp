// What a track start costs the window thread for its tags and album art: the wait in
// TrackTagReading::start (at most its 40 ms, the rest of a longer read arriving later), and
// the whole read, which the window thread used to do itself.
#include "tags/TrackTagReading.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const QSize kTrackPicture(280, 280);

// Tracks made by ffmpeg once for all benchmarks: a 10-second MP3 with ID3v2 texts and a
// 500 x 500 JPEG cover, the same with a 4000 x 4000 cover as grainy as a photo (4.8 MB), and
// the damaged WMA that stalled TagLib, read where it lies.
class Tracks {
public:
    static Tracks& get()
    {
        static Tracks tracks;
        return tracks;
    }
    // Empty when the track cannot be had.
    QString path(const char* name) const
    {
        if (qstrcmp(name, "asf-stall") == 0) {
            const QString damaged = QStringLiteral(KARVEX_SHARED_TESTDATA "/damaged/asf-stall.wma");
            return QFile::exists(damaged) ? damaged : QString();
        }
        return m_made ? m_dir.filePath(QLatin1String(name) + QStringLiteral(".mp3")) : QString();
    }
    QString folder() const { return m_dir.path(); }

private:
    Tracks()
    {
        m_made = ffmpeg({"-f", "lavfi", "-i", "testsrc=s=500x500", "-frames:v", "1", m_dir.filePath("cover.jpg")})
            && ffmpeg({"-f", "lavfi", "-i", "testsrc2=s=4000x4000", "-vf", "noise=alls=12:allf=t", "-frames:v", "1",
                       "-q:v", "3", m_dir.filePath("big.jpg")})
            && mp3("cover.jpg", "mp3") && mp3("big.jpg", "mp3_4000px_cover");
    }
    bool mp3(const QString& cover, const QString& name) const
    {
        return ffmpeg({"-f", "lavfi", "-i", "sine=duration=10", "-i", m_dir.filePath(cover), "-map", "0", "-map", "1",
                       "-c:v", "copy", "-disposition:v", "attached_pic", "-metadata", "title=Night Drive",
                       "-metadata", "artist=The Motorway", "-metadata", "album=Long Roads",
                       m_dir.filePath(name + ".mp3")});
    }
    static bool ffmpeg(const QStringList& arguments)
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
        if (program.isEmpty())
            return false;
        QProcess encoder;
        encoder.start(program, QStringList{"-loglevel", "error", "-y"} + arguments);
        return encoder.waitForFinished(60000) && encoder.exitCode() == 0;
    }

    QTemporaryDir m_dir;
    bool m_made = false;
};

// Each start begins with no read running: a late result is waited for outside the timing.
void BM_TrackStartWait(benchmark::State& state, const char* name)
{
    const QString path = Tracks::get().path(name);
    if (path.isEmpty()) {
        state.SkipWithError("the track cannot be had");
        return;
    }
    const TID3 tags;
    TrackTagReading reading(tags, Tracks::get().folder(), kTrackPicture);
    bool arrived = false;
    QObject::connect(&reading, &TrackTagReading::ready, [&arrived] { arrived = true; });
    int late = 0;
    for (auto _ : state) {
        const bool inTime = reading.start(path).has_value();
        state.PauseTiming();
        if (!inTime) {
            ++late;
            while (!arrived)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            arrived = false;
        }
        state.ResumeTiming();
    }
    state.counters["late"] = benchmark::Counter(late, benchmark::Counter::kAvgIterations);
}
BENCHMARK_CAPTURE(BM_TrackStartWait, mp3, "mp3")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_TrackStartWait, mp3_4000px_cover, "mp3_4000px_cover")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_TrackStartWait, asf_stall, "asf-stall")->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TrackRead(benchmark::State& state, const char* name)
{
    const QString path = Tracks::get().path(name);
    if (path.isEmpty()) {
        state.SkipWithError("the track cannot be had");
        return;
    }
    const TID3 tags;
    for (auto _ : state)
        benchmark::DoNotOptimize(TrackTagReading::readTrack(path, tags, Tracks::get().folder(), kTrackPicture));
}
BENCHMARK_CAPTURE(BM_TrackRead, mp3, "mp3")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TrackRead, mp3_4000px_cover, "mp3_4000px_cover")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TrackRead, asf_stall, "asf-stall")->Unit(benchmark::kMillisecond);

} // namespace
