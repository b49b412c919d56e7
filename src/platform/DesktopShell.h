#pragma once
#include "platform/Shell.h"

// Shell on a Linux desktop. open(): an existing executable regular file is started
// detached in its own folder; anything else (a document, a folder, an address such as
// "http://...") is handed to `xdg-open` as its one argument. Nothing passes through a
// command interpreter. runCommand(): `/bin/sh -c COMMAND`, waited for without running
// the event loop.
class DesktopShell : public Shell {
public:
    // OPENER is run in place of xdg-open; tests pass a stand-in script.
    explicit DesktopShell(const QString& opener = QStringLiteral("xdg-open"));

    // True when the program (or xdg-open) was started. An executable file that cannot be
    // started as a program (a document with execute permission, as on FAT media) is
    // handed to xdg-open instead. xdg-open itself accepts any argument, also a path that
    // does not exist: then the request counts as accepted, and the opener reports the
    // failure in its own way.
    bool open(const QString& target) override;
    // The command's exit status; -1 when /bin/sh could not be started or the command
    // was ended by a signal. Standard input is empty; output goes to the program's own.
    int runCommand(const QString& command) override;

private:
    QString m_opener;
};
