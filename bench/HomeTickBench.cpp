// The home screen's once-a-second tick with a track open on the real player: what the
// window thread spends on it every second.
#include "home/Welcomeframeunit.h"
#include "playlists/Mediaframeunit.h"
#include "shell/Mainunit.h"
#include "shell/Startup.h"

#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Three minutes of silence as a mono 16-bit wave at 8 kHz.
bool writeSilence(const QString& path)
{
    constexpr quint32 rate = 8000;
    constexpr quint32 dataBytes = rate * 2 * 180;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << rate << rate * 2 << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    out.writeRawData(QByteArray(int(dataBytes), '\0').constData(), int(dataBytes));
    return out.status() == QDataStream::Ok;
}

void BM_HomeTickWithTrackOpen(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString track = folder.filePath(QStringLiteral("silence.wav"));
    if (!writeSilence(track)) {
        state.SkipWithError("cannot write the track");
        return;
    }
    const std::unique_ptr<TMainForm> main = Startup::createWindows(realServices(folder.path()));
    main->MediaFrame1->playlist().append(track);
    main->PlayBtnClick();
    if (!main->MediaPlayer1().isOpen()) {
        state.SkipWithError(qPrintable(main->MediaPlayer1().errorText()));
        return;
    }
    for (auto _ : state)
        main->WelcomeFrame1->SpeedGraphTimerTimer();
}
BENCHMARK(BM_HomeTickWithTrackOpen)->Unit(benchmark::kMicrosecond);

} // namespace
