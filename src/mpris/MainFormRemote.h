#pragma once
// The remote controls wired to the main window: each control calls the handler that the
// matching tap calls, and what a remote sees follows the now-playing record.
#include "mpris/RemotePlayer.h"

#include <QObject>
#include <memory>

class Feedback;
class MediaPlayer;
class NowPlaying;
class TMainForm;
class TMediaFrame;
class TMyMainMenu;

class MainFormRemote : public QObject, public RemotePlayer {
public:
    MainFormRemote(TMainForm& mainWindow, TMediaFrame& media, TMyMainMenu& menu, const NowPlaying& nowPlaying,
                   MediaPlayer& player, Feedback& feedback);

    void play() override;
    void pause() override;
    void stop() override;
    void next() override;
    void previous() override;
    void seekTo(qint64 ms) override;
    void setVolume(double volume) override;
    void setShuffle(bool on) override;
    void setRepeat(bool on) override;
    bool openFile(const QString& path) override;
    void quit() override;
    void raise() override;

    RemoteStatus status() const override;
    RemoteTrack track() const override;
    qint64 positionMs() const override;
    double volume() const override;
    bool shuffle() const override;
    bool repeat() const override;
    bool hasEntries() const override;
    QImage picture() const override;

    void onChange(std::function<void()> changed) override;

private:
    TMainForm& m_mainWindow;
    TMediaFrame& m_media;
    TMyMainMenu& m_menu;
    const NowPlaying& m_nowPlaying;
    MediaPlayer& m_player;
    Feedback& m_feedback;
};

