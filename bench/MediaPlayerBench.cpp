// Tap to playing through the real player: close, open (waiting) and play.
#include "platform/MpvMediaPlayer.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A three-minute stereo tone made by ffmpeg; empty when ffmpeg is missing.
QString tone(const QTemporaryDir& dir, const QString& name)
{
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty())
        return {};
    const QString path = dir.filePath(name);
    QProcess encoder;
    encoder.start(ffmpeg, {"-loglevel", "error", "-y", "-f", "lavfi", "-i", "sine=duration=180", "-ac", "2", path});
    return encoder.waitForFinished(60000) && encoder.exitCode() == 0 ? path : QString();
}

void openAndPlay(benchmark::State& state, const char* name)
{
    QTemporaryDir dir;
    const QString path = tone(dir, QString::fromLatin1(name));
    if (path.isEmpty()) {
        state.SkipWithError("ffmpeg cannot make the file");
        return;
    }
    MpvMediaPlayer player{{{"ao", "null"}}};
    player.setFileName(path);
    for (auto _ : state) {
        player.close();
        if (!player.open() || !player.play()) {
            state.SkipWithError(qPrintable(player.errorText()));
            return;
        }
    }
}

void BM_TapToPlayingMp3(benchmark::State& state) { openAndPlay(state, "tone.mp3"); }
BENCHMARK(BM_TapToPlayingMp3)->Unit(benchmark::kMillisecond);

void BM_TapToPlayingWav(benchmark::State& state) { openAndPlay(state, "tone.wav"); }
BENCHMARK(BM_TapToPlayingWav)->Unit(benchmark::kMillisecond);

} // namespace
