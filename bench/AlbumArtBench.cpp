// Decoding a 4000 x 4000 cover for the 280 x 280 track picture.
#include "tags/PictureLoader.h"

#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const QSize kTrackPicture(280, 280);

// A varied picture, so that the JPEG data is not trivially small.
QString bigCover(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("cover.jpg"));
    QImage image(4000, 4000, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] = qRgb(x % 256, y % 256, (x ^ y) % 256);
    }
    image.save(path, "JPG", 90);
    return path;
}

void BM_JpegCoverWithDctScaling(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = bigCover(dir);
    for (auto _ : state)
        benchmark::DoNotOptimize(PictureLoader::load(path, kTrackPicture));
}
BENCHMARK(BM_JpegCoverWithDctScaling)->Unit(benchmark::kMillisecond);

void BM_JpegCoverFullSizeThenScaled(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = bigCover(dir);
    for (auto _ : state) {
        const QImage full = PictureLoader::load(path);
        benchmark::DoNotOptimize(full.scaled(kTrackPicture, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
}
BENCHMARK(BM_JpegCoverFullSizeThenScaled)->Unit(benchmark::kMillisecond);

} // namespace
