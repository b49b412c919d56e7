// The home screen's timers on the real player: what the window thread spends on the
// once-a-second tick and on each 200 ms ticker step.
#include "config/SettingsStore.h"
#include "gps/Gpsinfounit.h"
#include "home/Welcomeframeunit.h"
#include "playlists/Mediaframeunit.h"
#include "shell/Mainunit.h"
#include "shell/Startup.h"
#include "widgets/TouchButton.h"

#include <QCoreApplication>
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

// The program over a temporary folder with a three-minute track playing and the GPS
// reporting 30 knots (the normal band), so each tick updates every display and the graph.
class HomeWithTrackAndFix {
public:
    explicit HomeWithTrackAndFix(benchmark::State& state)
    {
        const QString track = m_folder.filePath(QStringLiteral("silence.wav"));
        QFile config(m_folder.filePath(ConfigFileName));
        if (!writeSilence(track) || !config.open(QIODevice::WriteOnly)
            || config.write("GPSPort=NONE\r\nGPSEnabled=TRUE\r\n") < 0) {
            state.SkipWithError("cannot write the program folder");
            return;
        }
        config.close();
        main = Startup::createWindows(realServices(m_folder.path()));
        main->MediaFrame1->playlist().append(track);
        main->PlayBtnClick();
        if (!main->MediaPlayer1().isOpen()) {
            state.SkipWithError(qPrintable(main->MediaPlayer1().errorText()));
            main.reset();
            return;
        }
        main->GpsInfo->DeliverChunk("$GPRMC,123519,A,4807.038,N,01131.000,E,30.0,45.7,230394,003.1,W*6A\r\n"
                                    "$GPGGA,123519,4807.038,N,01131.000,E,1,08\r\n");
        main->show();
        QCoreApplication::processEvents();
    }
    std::unique_ptr<TMainForm> main;

private:
    QTemporaryDir m_folder;
};

void BM_HomeTick(benchmark::State& state)
{
    HomeWithTrackAndFix program(state);
    if (!program.main)
        return;
    TWelcomeFrame& home = *program.main->WelcomeFrame1;
    for (auto _ : state) {
        home.SpeedGraphTimerTimer();
        QCoreApplication::processEvents(); // the repaints it asked for
    }
    if (!home.SpeedStatusDisplay->isHidden() || program.main->GpsInfo->SpeedMph() < 1)
        state.SkipWithError("the GPS reading did not arrive");
}
BENCHMARK(BM_HomeTick)->Unit(benchmark::kMicrosecond);

void BM_TickerStep(benchmark::State& state)
{
    HomeWithTrackAndFix program(state);
    if (!program.main)
        return;
    TWelcomeFrame& home = *program.main->WelcomeFrame1;
    home.NowPlayingStatusClick();
    for (auto _ : state) {
        home.TextScrollTimerTimer();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_TickerStep)->Unit(benchmark::kMicrosecond);

} // namespace
