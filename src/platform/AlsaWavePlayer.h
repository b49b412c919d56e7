#pragma once
#include "platform/WavePlayer.h"

#include <QString>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

// Plays the interface sounds through ALSA on a thread of its own, so play() returns at
// once. A new sound cuts off the one playing. The device is opened for each sound and
// closed when it has played, so the media player is never kept from the sound card. A
// missing file, one that is not a plain PCM or float WAV, or no sound device: silence.
class AlsaWavePlayer : public WavePlayer {
public:
    // Sounds not found in the current folder are looked for in PROGRAMFOLDER; DEVICE is
    // the ALSA playback device.
    explicit AlsaWavePlayer(const QString& programFolder, const QString& device = QStringLiteral("default"));
    ~AlsaWavePlayer() override;
    AlsaWavePlayer(const AlsaWavePlayer&) = delete;
    AlsaWavePlayer& operator=(const AlsaWavePlayer&) = delete;

    // FILENAME in the current folder, else in the program folder; a missing file does
    // nothing.
    void play(const QString& fileName) override;

    // The absolute path play() would start for FILENAME; empty when there is none.
    QString resolve(const QString& fileName) const;

    // What became of the last sound taken up: its path, the frames handed to the device,
    // and whether it played to its end (false while it plays, or when it was cut off, or
    // could not be played).
    struct Played {
        QString path;
        qint64 frames = 0;
        bool toTheEnd = false;
    };
    Played lastPlayed() const;

private:
    void run();
    // Plays PATH until it ends or another request comes.
    void playOne(const QString& path);
    bool interrupted();

    const QString m_programFolder;
    const QByteArray m_device;
    mutable std::mutex m_lock;
    std::condition_variable m_wake;
    std::optional<QString> m_request;
    bool m_quit = false;
    Played m_played;
    std::thread m_worker;
};
