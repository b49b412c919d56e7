#pragma once
// The whole program over a temporary program folder, with helpers for the playlist
// screens: files in the folder, notices, and taps on list rows.
#include "support/TestProgram.h"
#include "widgets/TouchList.h"
#include "widgets/WidgetTestHelpers.h"

#include <gtest/gtest.h>

class Playlist;
class TMediaFrame;

inline const QByteArray AllSoundsOn = "ClickSounds=TRUE\r\nOtherSounds=TRUE\r\nSpeechSounds=TRUE\r\n";

class PlaylistScreenTest : public ::testing::Test {
protected:
    void start(const QByteArray& configIni = AllSoundsOn) { program.start(configIni); }
    TMainForm& m() const { return *program.main; }
    TMediaFrame& media() const;
    Playlist& playlist() const;

    // Writes `bytes` to `name` in the program folder, making its folders; the full path.
    QString writeFile(const QString& name, const QByteArray& bytes = "media") const;
    // The text of the notice on show, or empty.
    QString notice() const;
    // Answers the next yes/no question with `yes`, recording it in `asked`.
    void answerNextQuestion(bool yes);

    TestProgram program;
    QStringList asked;
};

// The middle of `row` of `list` as it is scrolled now.
QPoint rowPoint(const TouchList& list, int row);
