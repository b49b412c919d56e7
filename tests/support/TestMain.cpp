// Shared main of every test program: the program's own application object on the
// offscreen platform with the car's 800 x 600 screen, unless the environment already
// chose a platform.
#include "shell/Startup.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + KARVEX_TEST_SCREEN);
    KarvexApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
