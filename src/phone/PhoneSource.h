#pragma once
// Who plays: the playlist or the driver's phone. When a connected phone's player starts
// playing, the phone becomes the source: the playlist's track is paused where it is (so
// resume.txt keeps it), the now-playing record shows the phone's track, and the player
// buttons act on the phone until the playlist starts an entry (NowPlaying::endOtherSource),
// which pauses the phone. A phone that disconnects or stops being a player hands back.
#include "playback/ExternalSource.h"
#include "platform/Bluetooth.h"

#include <QElapsedTimer>
#include <QObject>

class MediaPlayer;
class NowPlaying;

class PhoneSource : public QObject, public ExternalSource {
public:
    PhoneSource(Bluetooth& bluetooth, NowPlaying& nowPlaying, MediaPlayer& player, QObject* parent);

    void play() override { m_bluetooth.sendToPlayer(Bluetooth::PlayerCommand::Play); }
    void pause() override { m_bluetooth.sendToPlayer(Bluetooth::PlayerCommand::Pause); }
    void previous() override { m_bluetooth.sendToPlayer(Bluetooth::PlayerCommand::Previous); }
    void next() override { m_bluetooth.sendToPlayer(Bluetooth::PlayerCommand::Next); }
    void showPosition() override;

private:
    void followPlayer();
    void handedBack();
    bool isSource() const;
    // Where the phone's track is now: the phone says it only now and then.
    qint64 positionNow() const;

    Bluetooth& m_bluetooth;
    NowPlaying& m_nowPlaying;
    MediaPlayer& m_player;
    // The player as last seen, and since when.
    std::optional<PhonePlayer> m_seen;
    QElapsedTimer m_sinceSeen;
};
