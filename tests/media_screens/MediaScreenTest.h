#pragma once
// The whole program over a temporary folder, with helpers for the playlist and the
// player double.
#include "support/MediaFiles.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

class Playlist;
class TMediaFrame;
class TWelcomeFrame;

inline const QByteArray AllSoundsOn = "ClickSounds=TRUE\r\nOtherSounds=TRUE\r\nSpeechSounds=TRUE\r\n";

class MediaScreenTest : public ::testing::Test {
protected:
    void start(const QByteArray& configIni = AllSoundsOn) { program.start(configIni); }
    TMainForm& m() const { return *program.main; }
    TMediaFrame& media() const;
    TWelcomeFrame& home() const;
    Playlist& playlist() const;
    FakeMediaPlayer& player() const { return *program.fakes.media; }

    // Writes `bytes` to `name` in the program folder, making its folders; the full path.
    QString writeFile(const QString& name, const QByteArray& bytes) const;
    // Writes a media file and appends it to the playlist; the full path.
    QString addTrack(const QString& name, const QByteArray& bytes = MediaFiles::wave(50));
    // The text of the notice on show, or empty.
    QString notice() const;
    void closeNotice() const;

    TestProgram program;
};
