// Reading the tags and the embedded cover of a 4 GB file that holds none: what the play
// operation spends before a long video starts, whatever the file's kind.
#include "tags/AlbumArt.h"
#include "tags/Id3.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr qint64 kFourGigabytes = 4LL * 1024 * 1024 * 1024;

void BM_TagsAndCoverOf4GbFile(benchmark::State& state, const char* extension)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("video.") + QLatin1String(extension));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.resize(kFourGigabytes); // sparse: no disk space, reads as zeros
    file.close();
    TID3 tags;
    for (auto _ : state) {
        tags.ReadID3(path);
        benchmark::DoNotOptimize(AlbumArt::picture(path, dir.path(), tags.Cover(), QSize(280, 280)));
    }
}
BENCHMARK_CAPTURE(BM_TagsAndCoverOf4GbFile, mp4, "mp4")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TagsAndCoverOf4GbFile, mkv, "mkv")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TagsAndCoverOf4GbFile, mp3, "mp3")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TagsAndCoverOf4GbFile, flac, "flac")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TagsAndCoverOf4GbFile, ogg, "ogg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TagsAndCoverOf4GbFile, wma, "wma")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TagsAndCoverOf4GbFile, m4a, "m4a")->Unit(benchmark::kMillisecond);

} // namespace
