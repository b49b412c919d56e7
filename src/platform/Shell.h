#pragma once
#include <QString>
#include <functional>

// Starting programs and documents, and running operating-system commands.
class Shell {
public:
    virtual ~Shell() = default;
    // Called once with the outcome of an open request: true when the target was opened.
    using Opened = std::function<void(bool opened)>;
    // Opens a file, folder or address the way the desktop would: an executable file is
    // started detached, anything else goes to the desktop's opener. The path is passed as
    // an argument, never through a shell. `done` learns the outcome, at once or, while the
    // opener runs, later from the event loop; it may be empty.
    virtual void open(const QString& target, Opened done) = 0;
    // Runs COMMAND with /bin/sh -c and waits for it; returns its exit status (-1 when it
    // could not be started).
    virtual int runCommand(const QString& command) = 0;
};
