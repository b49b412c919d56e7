// The services of a real car PC: mpv, espeak-ng, ALSA, termios or gpsd, logind, the desktop.
#include "platform/Services.h"

#include "platform/AlsaMixer.h"
#include "platform/AlsaWavePlayer.h"
#include "platform/BluezBluetooth.h"
#include "platform/DataFolder.h"
#include "platform/DesktopShell.h"
#include "platform/EspeakSpeechEngine.h"
#include "platform/GpsdPort.h"
#include "platform/LateServices.h"
#include "platform/LogindBacklight.h"
#include "platform/MpvMediaPlayer.h"
#include "platform/QtFileOpenDialog.h"
#include "platform/QtMessageBox.h"
#include "platform/SystemdPower.h"
#include "platform/TermiosSerialPort.h"

#include <clocale>
#include <sys/stat.h>

Services realServices(const QString& programFolder)
{
    Services services;
    services.programFolder = programFolder;
    services.dataFolder = DataFolder::of(programFolder);
    // The installed program's data folder is shared by the group karvex (setgid, not
    // sticky): every file saved there must stay writable for the next member, or root.
    if (DataFolder::installed(programFolder))
        umask(S_IWOTH);
    // libmpv needs numbers formatted the C way; set here, on the window thread, before the
    // media player is built on a worker thread.
    std::setlocale(LC_NUMERIC, "C");
    auto mediaPlayer = std::make_unique<LateMediaPlayer>([] { return std::make_unique<MpvMediaPlayer>(); });
    auto wavePlayer = std::make_unique<LateWavePlayer>([programFolder] {
        return std::make_unique<AlsaWavePlayer>(programFolder);
    });
    // The main window asks for its engine while it is built, before the first paint.
    auto speech = std::make_shared<LateSpeechEngine*>(nullptr);
    services.createSpeechEngine = [speech] {
        auto engine = std::make_unique<LateSpeechEngine>([] { return EspeakSpeechEngine::create(); });
        *speech = engine.get();
        return engine;
    };
    auto mixer = std::make_unique<LateMixer>([] {
        auto alsa = std::make_unique<AlsaMixer>();
        alsa->openCard();
        return alsa;
    });
    auto backlight = std::make_unique<LateBacklight>([] { return LogindBacklight::forThisSession(); });
    // The stand-ins belong to the main window, which outlives its first paint.
    // The media player (libmpv: some 220 libraries, 40 MB) is built when media is first wanted.
    services.startAfterFirstPaint = [wave = wavePlayer.get(), speech, mix = mixer.get(), light = backlight.get()] {
        mix->startBuilding();
        light->startBuilding();
        wave->startBuilding();
        if (*speech)
            (*speech)->startBuilding();
    };
    services.mediaPlayer = std::move(mediaPlayer);
    services.wavePlayer = std::move(wavePlayer);
    services.mixer = std::move(mixer);
    services.backlight = std::move(backlight);
    services.createSerialPort = [](const QString& portName) -> std::unique_ptr<SerialPort> {
        if (GpsdPort::isGpsdName(portName))
            return std::make_unique<GpsdPort>();
        return std::make_unique<TermiosSerialPort>();
    };
    services.shell = std::make_unique<DesktopShell>();
    services.power = std::make_unique<SystemdPower>();
    services.messageBox = std::make_unique<QtMessageBox>();
    services.fileOpenDialog = std::make_unique<QtFileOpenDialog>();
    services.connectBluetooth = [] { return BluezBluetooth::onSystemBus(); };
    return services;
}
