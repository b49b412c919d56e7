#pragma once
#include "platform/Shell.h"

#include <QObject>
#include <memory>

// Shell on a Linux desktop. open(): an existing executable regular file is started
// detached in its own folder; anything else (a document, a folder, an address such as
// "http://...") is handed to `xdg-open` as its one argument. Nothing passes through a
// command interpreter. runCommand(): `/bin/sh -c COMMAND`, waited for without running
// the event loop.
class DesktopShell : public Shell {
public:
    // OPENER is run in place of xdg-open; tests pass a stand-in script.
    explicit DesktopShell(const QString& opener = QStringLiteral("xdg-open"));

    // Openers still running are not reported on once the shell is gone.
    ~DesktopShell() override;

    // Opened when the program was started, or when xdg-open ended with exit status 0;
    // xdg-open is waited for by the event loop, never by blocking it. An executable file
    // that cannot be started as a program (a document with execute permission, as on FAT
    // media) is handed to xdg-open instead. xdg-open fails on a path that does not exist
    // and on a file type no application is set for.
    void open(const QString& target, Opened done) override;
    // The command's exit status; -1 when /bin/sh could not be started or the command
    // was ended by a signal. Standard input is empty; output goes to the program's own.
    int runCommand(const QString& command) override;

private:
    QString m_opener;
    // Parent of the opener processes while they run.
    std::unique_ptr<QObject> m_openers = std::make_unique<QObject>();
};
