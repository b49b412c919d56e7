#pragma once
// The keys of a keyboard or a steering-wheel interface: Page Up plays the next track and
// Page Down the previous one, the media keys do what their buttons do, and volume up and
// down move the volume bar one step. They act wherever the buttons could be tapped: in the
// main window and its windows, but not under a modal dialog.
#include <QObject>

class TMainForm;

class MediaKeys : public QObject {
public:
    explicit MediaKeys(TMainForm& mainWindow);

    // Acts on `key`; true when it was one of the keys above and is used up.
    bool press(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Action = void (MediaKeys::*)();
    static Action actionOf(int key);

    void next();
    void previous();
    void play();
    void stop();
    void playPause();
    void mute();
    void volumeUp();
    void volumeDown();
    void stepVolume(int steps);

    TMainForm& m_mainWindow;
};
