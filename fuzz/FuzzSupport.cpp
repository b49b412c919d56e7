#include "FuzzSupport.h"

#include "shell/Startup.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

void Fuzz::startApplication(int* argc, char*** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Kept to the end of the process: the fuzzer ends it with exit(), and an application
    // destroyed among the static objects would outlive parts of Qt it still uses.
    static KarvexApplication* application = new KarvexApplication(*argc, *argv);
    (void)application;
}

QString Fuzz::scratchFolder()
{
    // /dev/shm keeps the many small writes off the disk where it exists.
    static const QTemporaryDir folder(QFile::exists(QStringLiteral("/dev/shm"))
                                          ? QStringLiteral("/dev/shm/karvex-fuzz-XXXXXX")
                                          : QString());
    return folder.path();
}

QString Fuzz::writeScratchFile(const QString& name, const QByteArray& bytes)
{
    const QString path = scratchFolder() + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fail("cannot write the scratch file");
    return path;
}

void Fuzz::fail(const char* what)
{
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}
