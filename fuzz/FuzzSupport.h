#pragma once
// What every fuzz target shares: a Qt application on the offscreen platform (picture
// plug-ins and widgets need one), a scratch folder in memory-backed storage, and a check
// that stops the run with a message when a property does not hold.
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdlib>

namespace Fuzz {

// Creates the application once; call from LLVMFuzzerInitialize.
void startApplication(int* argc, char*** argv);
// A folder that lives as long as the process.
QString scratchFolder();
// Writes `bytes` to `name` in the scratch folder and returns its path.
QString writeScratchFile(const QString& name, const QByteArray& bytes);

inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

[[noreturn]] void fail(const char* what);
inline void check(bool holds, const char* what)
{
    if (!holds)
        fail(what);
}

} // namespace Fuzz
