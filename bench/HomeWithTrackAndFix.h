#pragma once
// The program over a temporary folder with a three-minute track playing and the GPS
// reporting 30 knots (the normal band), so each home tick updates every display and the
// graph. Built with the real services on the benchmark main's offscreen platform.
#include "shell/Mainunit.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

class HomeWithTrackAndFix {
public:
    // Skips `state` with the reason when the program cannot be set up; `main` is then empty.
    explicit HomeWithTrackAndFix(benchmark::State& state);

    std::unique_ptr<TMainForm> main;

private:
    QTemporaryDir m_folder;
};
