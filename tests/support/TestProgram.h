#pragma once
// The whole program built with doubles over a temporary program folder, for screen tests.
#include "shell/Mainunit.h"
#include "support/Doubles.h"
#include "support/TempFolder.h"

#include <QByteArray>
#include <functional>
#include <memory>

struct TestProgram {
    TempFolder folder;
    FakeServices fakes;
    std::unique_ptr<TMainForm> main;
    // Changes the doubles before the program is built (a real service in place of one).
    std::function<void(Services&)> adjustServices;

    // Writes `configIni` (when given) into the program folder and runs the start-up.
    void start(const QByteArray* configIni = nullptr);
    void start(const QByteArray& configIni) { start(&configIni); }

    TSettingsForm& options() const;
    const QStringList& events() const { return fakes.log.events; }
    void clearEvents() { fakes.log.events.clear(); }
    QStringList spoken() const;
};

// Runs `answer` as soon as the next modal dialog's event loop is running.
void whenModalOpens(std::function<void()> answer);
