#include "support/TestPaths.h"

namespace TestPaths {

QString sourceFolder()
{
    return QStringLiteral(KARVEX_SOURCE_DIR);
}

QString sharedTestData()
{
    return QStringLiteral(KARVEX_SHARED_TESTDATA);
}

QString builtProgramFolder()
{
    return QStringLiteral(KARVEX_BUILT_PROGRAM_DIR);
}

QString builtToolsFolder()
{
    return QStringLiteral(KARVEX_BUILT_TOOLS_DIR);
}

} // namespace TestPaths
