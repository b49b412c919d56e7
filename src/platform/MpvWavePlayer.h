#pragma once
#include "platform/WavePlayer.h"

#include <QString>

struct mpv_handle;

// Plays the interface sounds through a libmpv player of its own (not the media
// player's). Each sound is started with an asynchronous "loadfile ... replace", so a new
// sound cuts off the one playing and play() returns at once. Without a sound device mpv
// plays to its null output: silent, but nothing fails.
class MpvWavePlayer : public WavePlayer {
public:
    // Sounds not found in the current folder are looked for in PROGRAMFOLDER.
    explicit MpvWavePlayer(const QString& programFolder);
    ~MpvWavePlayer() override;
    MpvWavePlayer(const MpvWavePlayer&) = delete;
    MpvWavePlayer& operator=(const MpvWavePlayer&) = delete;

    // FILENAME in the current folder, else in the program folder; a missing file does
    // nothing.
    void play(const QString& fileName) override;

    // The absolute path play() would start for FILENAME; empty when there is none.
    QString resolve(const QString& fileName) const;
    // Whether the mpv player could be created; without it every play() is silent.
    bool isAvailable() const { return m_mpv != nullptr; }
    // The file mpv has loaded (its "path" property), empty when none. A sound started by
    // play() shows here once mpv has taken it up, a few milliseconds later.
    QString loadedPath() const;

private:
    void drainEvents();

    QString m_programFolder;
    mpv_handle* m_mpv = nullptr;
};
