// Shared main of every test program: the program's own application object on the
// offscreen platform with the car's 800 x 600 screen, unless the environment already
// chose a platform. Run as a test's helper process, it does only what the test asked.
#include "shell/Startup.h"
#include "support/ChildProcess.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (const std::optional<int> exitCode = ChildProcess::runIfAsked(argc, argv))
        return *exitCode;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + KARVEX_TEST_SCREEN);
    KarvexApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
