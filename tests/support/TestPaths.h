#pragma once
#include <QString>

namespace TestPaths {
// The repository the tests were built from.
QString sourceFolder();
// ../shared/testdata beside the repository; absent on a user's clone, so tests that read
// it skip themselves when it is missing.
QString sharedTestData();
// The folder the build puts the program, its sounds and licence.txt in.
QString builtProgramFolder();
// The folder of the developer tools (x11_close, nmea_feeder, ...).
QString builtToolsFolder();
}
