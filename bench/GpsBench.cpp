// GPS figures: sentences a second through line cutting and RMC decoding, and the cost of
// one speed-graph Update and one Replay at the GPS screen's 551 x 158.
#include "gps/NmeaReceiver.h"
#include "gps/Perfgrap.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>

namespace {

// Five sentences of one fix, as a receiver sends them every second (CR LF line ends).
QByteArray fixes(int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i) {
        const QByteArray t = QByteArray::number(100000 + i);
        text += Nmea::WithChecksum("GPGGA," + t + ".000,3747.0873,S,17518.8938,E,1,08,1.1,59.9,M,23.7,M,,0000") + "\r\n";
        text += "$GPGSA,A,3,17,28,06,01,30,20,26,13,,,,,1.8,1.1,1.5*33\r\n";
        text += "$GPGSV,3,1,12,17,80,038,32,28,58,246,35,06,49,116,36,01,36,074,43*75\r\n";
        text += Nmea::WithChecksum("GPRMC," + t + ".000,A,3747.0873,S,17518.8938,E," + QByteArray::number(i % 60) + ".42,181.39,311214,,,A") + "\r\n";
        text += "$GPVTG,181.39,T,,M,0.69,N,1.3,K,A*02\r\n";
    }
    return text;
}

void BM_NmeaCutAndDecode(benchmark::State& state)
{
    const QByteArray stream = fixes(200); // 1000 sentences
    const int chunk = int(state.range(0));
    for (auto _ : state) {
        NmeaReceiver receiver;
        for (qsizetype at = 0; at < stream.size(); at += chunk)
            receiver.AppendPending(stream.mid(at, chunk));
        benchmark::DoNotOptimize(receiver.Readings().SpeedKnots);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
    state.SetBytesProcessed(state.iterations() * stream.size());
    state.SetLabel("sentences");
}
BENCHMARK(BM_NmeaCutAndDecode)->Arg(48)->Arg(90);

// The real receivers' captures beside the repository, comments left out, every line ended
// by CR LF, in the reader's 90-byte chunks (the same text as for gpsdecode in
// docs/performance.md).
void BM_NmeaCaptures(benchmark::State& state)
{
    QByteArray stream;
    qint64 lines = 0;
    const QDir dir(QStringLiteral(KARVEX_SHARED_TESTDATA "/nmea"));
    for (const QString& name : dir.entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (QByteArray line : file.readAll().split('\n')) {
            if (line.endsWith('\r'))
                line.chop(1);
            if (line.isEmpty() || line.startsWith('#'))
                continue;
            stream += line + "\r\n";
            ++lines;
        }
    }
    if (lines == 0) {
        state.SkipWithError("no captures in ../shared/testdata/nmea");
        return;
    }
    for (auto _ : state) {
        NmeaReceiver receiver;
        for (qsizetype at = 0; at < stream.size(); at += 90)
            receiver.AppendPending(stream.mid(at, 90));
        benchmark::DoNotOptimize(receiver.Readings().SpeedKnots);
    }
    state.SetItemsProcessed(state.iterations() * lines);
    state.SetBytesProcessed(state.iterations() * stream.size());
    state.counters["lines"] = double(lines);
}
BENCHMARK(BM_NmeaCaptures);

void BM_NmeaGarbage(benchmark::State& state)
{
    // Hours of text without line breaks: the pending text stays bounded.
    const QByteArray chunk(90, '$');
    NmeaReceiver receiver;
    for (auto _ : state)
        receiver.AppendPending(chunk);
    state.SetBytesProcessed(state.iterations() * chunk.size());
    state.counters["pending"] = double(receiver.Pending().size());
}
BENCHMARK(BM_NmeaGarbage);

bool haveWidgets(benchmark::State& state)
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        return true;
    state.SkipWithError("the graph is a widget: the benchmark main must make a QApplication");
    return false;
}

void setUpSpeedGraph(TPerformanceGraph& g)
{
    g.resize(551, 158);
    g.SetGraphKind(pgBar);
    g.SetForeColor(QColor(0, 0, 128));
    g.SetGridSize(10);
    g.SetStepSize(1);
    g.SetScale(0);
    g.SetGradient(100);
    g.SetPenWidth(1);
}

void BM_SpeedGraphUpdate(benchmark::State& state)
{
    if (!haveWidgets(state))
        return;
    TPerformanceGraph g;
    setUpSpeedGraph(g);
    g.DataPoint(QColor(255, 0, 0), 99); // the scale stays at 100 from here
    g.Update();
    int i = 0;
    for (auto _ : state) {
        g.DataPoint(QColor(0, 255, 0), 1 + (i++ * 37) % 98);
        g.Update();
        if (g.Scale() != 100)
            state.SkipWithError("rescaled");
    }
}
BENCHMARK(BM_SpeedGraphUpdate);

void BM_SpeedGraphReplay(benchmark::State& state)
{
    if (!haveWidgets(state))
        return;
    TPerformanceGraph g;
    setUpSpeedGraph(g);
    for (int i = 0; i < 600; ++i) {
        g.DataPoint(QColor(0, 255, 0), 1 + (i * 37) % 98);
        g.Update();
    }
    for (auto _ : state)
        g.Replay();
}
BENCHMARK(BM_SpeedGraphReplay);

} // namespace
