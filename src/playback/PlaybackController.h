#pragma once
// Playback of the playlist's selected entry: the play operation and the Stop, Previous
// and Next buttons.
#include <QString>

class TID3;
class TMainForm;

class PlaybackController {
public:
    PlaybackController(TMainForm& mainForm, TID3& tags);

    // Continues the open track (or restarts it at its end with repeat on); otherwise opens
    // and plays the selected entry, or the first, and shows what it is. Failures are shown
    // as notices and mark the entry red.
    void play();
    // Opens the selected entry at `positionMs` and shows it as play() does, playing or
    // paused there: the track a restart resumes.
    void resume(qint64 positionMs, bool playing);
    // Pauses the open track where it is.
    void stop();
    // Selects the entry before (the last from the first) and plays it.
    void previous();
    // Moves the open track to its end, so that the end-of-track advance starts the next
    // one; with nothing open plays the selected entry.
    void next();

private:
    bool continueOpenTrack();
    void startSelectedEntry(qint64 positionMs = 0, bool playing = true);
    void readTags(const QString& filePath);
    void showTrackPanel(const QString& filePath);
    void showNowPlaying(int index, const QString& displayText);

    TMainForm& m_main;
    TID3& m_tags;
};
