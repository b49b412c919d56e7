#pragma once
#include <QString>

// Starting programs and documents, and running operating-system commands.
class Shell {
public:
    virtual ~Shell() = default;
    // Opens a file, folder or address the way the desktop would: an executable file is
    // started detached, anything else goes to the desktop's opener. The path is passed as
    // an argument, never through a shell. True when the request was accepted.
    virtual bool open(const QString& target) = 0;
    // Runs COMMAND with /bin/sh -c and waits for it; returns its exit status (-1 when it
    // could not be started).
    virtual int runCommand(const QString& command) = 0;
};
