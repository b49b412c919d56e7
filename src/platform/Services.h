#pragma once
// The set of platform services the main window is built with. The program passes the
// real ones; tests pass doubles.
#include "platform/Backlight.h"
#include "platform/Bluetooth.h"
#include "platform/FileOpenDialog.h"
#include "platform/MediaPlayer.h"
#include "platform/MessageBox.h"
#include "platform/Mixer.h"
#include "platform/Power.h"
#include "platform/SerialPort.h"
#include "platform/Shell.h"
#include "platform/SpeechEngine.h"
#include "platform/WavePlayer.h"

#include <QString>
#include <functional>
#include <memory>

struct Services {
    // Folder of the running program: licence.txt, the sounds and the fallback album art.
    QString programFolder;
    // Folder of config.ini, playlist/ and what else is saved between runs (DataFolder.h).
    QString dataFolder;

    std::unique_ptr<MediaPlayer> mediaPlayer;
    std::unique_ptr<WavePlayer> wavePlayer;
    // Called once while the main window is built; nullptr means speech is unavailable.
    std::function<std::unique_ptr<SpeechEngine>()> createSpeechEngine;
    std::unique_ptr<Mixer> mixer;
    std::unique_ptr<Backlight> backlight;
    // Called when the GPS screen opens its port, with the port's name: a serial line, or
    // gpsd for a name that stands for it.
    std::function<std::unique_ptr<SerialPort>(const QString& portName)> createSerialPort;
    std::unique_ptr<Shell> shell;
    std::unique_ptr<Power> power;
    std::unique_ptr<MessageBox> messageBox;
    std::unique_ptr<FileOpenDialog> fileOpenDialog;
    // Called once after the first paint: the car PC's Bluetooth, which says itself why it
    // cannot be used. Empty where there is none (the tests' doubles).
    std::function<std::unique_ptr<Bluetooth>()> connectBluetooth;
    // Called once the first screen has been painted: starts what it did not need (the
    // real services build mpv, the speech engine, the sound players, the mixer and the
    // backlight then).
    // Empty when nothing waits for the first paint (the tests' doubles): the main window
    // then does at once what it would do after it (FirstPaint::afterFirstPaint).
    std::function<void()> startAfterFirstPaint;
};

// The services of a real car PC: mpv, espeak-ng, ALSA, termios, the desktop.
Services realServices(const QString& programFolder);
