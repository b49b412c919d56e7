#pragma once
// The remote controls wired to the main window: each control calls the handler that the
// matching tap calls.
#include "mpris/RemotePlayer.h"

#include <QObject>
#include <memory>

class TMainForm;

class MainFormRemote : public QObject, public RemotePlayer {
public:
    explicit MainFormRemote(TMainForm& mainForm);

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
    TMainForm& m_main;
};

class MprisService;

// The MPRIS service over `mainForm` on the session bus; nullptr when there is none.
std::unique_ptr<MprisService> startMpris(TMainForm& mainForm);
