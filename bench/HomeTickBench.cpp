// The home screen's timers on the real player: what the window thread spends on the
// once-a-second tick and on each 200 ms ticker step.
#include "HomeWithTrackAndFix.h"

#include "gps/Gpsinfounit.h"
#include "home/Welcomeframeunit.h"
#include "widgets/TouchButton.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

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
