// Resident memory over one simulated hour at the home screen: every timer of the main
// window and the home screen fired as often as in an hour, a track open, the GPS feeding
// a moving fix, the clock running and the mute button flashing for a quarter of it.
#include "HomeWithTrackAndFix.h"

#include "gps/Gpsinfounit.h"
#include "gps/NmeaReceiver.h"
#include "home/HomeClock.h"
#include "home/Welcomeframeunit.h"

#include <QCoreApplication>
#include <QFile>
#include <benchmark/benchmark.h>

namespace {

constexpr int StepMs = 50; // every timer's interval is a multiple of it
constexpr int HourMs = 3600 * 1000;

// The process's resident memory in kB, from /proc; 0 when it cannot be read.
double residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble();
    return 0;
}

// One second of a receiver's sentences at `second` of a drive: speed and course change
// every second, so the displays and the graph change too.
QByteArray receiverSecond(int second)
{
    const QByteArray time = QByteArray::number(100000 + second % 60);
    const QByteArray knots = QByteArray::number(20 + second % 50) + ".0";
    const QByteArray course = QByteArray::number((second * 7) % 360) + ".0";
    return Nmea::WithChecksum("GPGGA," + time + ",4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,") + "\r\n"
        + "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39\r\n"
        + Nmea::WithChecksum("GPRMC," + time + ",A,4807.038,N,01131.000,E," + knots + ',' + course + ",230394,003.1,W") + "\r\n"
        + Nmea::WithChecksum("GPVTG," + course + ",T,,M," + knots + ",N,,K") + "\r\n";
}

void BM_HourAtHome(benchmark::State& state)
{
    HomeWithTrackAndFix program(state);
    if (!program.main)
        return;
    TMainForm& main = *program.main;
    TWelcomeFrame& home = *main.WelcomeFrame1;
    TGpsInfo& gps = *main.GpsInfo;
    const QDateTime start(QDate(2026, 6, 1), QTime(8, 0));
    qint64 elapsedMs = 0;
    home.setClock(HomeClock([&] { return start.addMSecs(elapsedMs); }, QLocale::c(), QStringLiteral("h:mm:ss AP")));
    home.NowPlayingStatusClick(); // the ticker scrolls
    const double before = residentKb();

    for (auto _ : state) {
        for (elapsedMs = StepMs; elapsedMs <= HourMs; elapsedMs += StepMs) {
            if (elapsedMs % 1000 == 0) {
                const QByteArray second = receiverSecond(int(elapsedMs / 1000));
                for (qsizetype at = 0; at < second.size(); at += 90) // the reader's 90-byte reads
                    gps.DeliverChunk(second.mid(at, 90).constData());
                home.SpeedGraphTimerTimer();
            }
            if (elapsedMs % 200 == 0)
                home.TextScrollTimerTimer();
            if (elapsedMs % 250 == 0)
                main.VolumeTimerTimer();
            if (elapsedMs % 500 == 0)
                main.FlashTimerTimer();
            if (elapsedMs == HourMs * 3 / 4 || elapsedMs == HourMs)
                main.MuteBtnClick(); // muted for the last quarter, then back on
            QCoreApplication::processEvents();
        }
    }
    if (gps.SpeedMph() < 1 || main.isMuted())
        state.SkipWithError("the simulated hour did not run as planned");
    const double after = residentKb();
    state.counters["rss_start_kB"] = before;
    state.counters["rss_after_hour_kB"] = after;
    state.counters["growth_kB"] = after - before;
}
BENCHMARK(BM_HourAtHome)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
