// The services of a real car PC: mpv, espeak-ng, ALSA, termios or gpsd, the desktop.
#include "platform/Services.h"

#include "platform/AlsaMixer.h"
#include "platform/DataFolder.h"
#include "platform/DesktopShell.h"
#include "platform/EspeakSpeechEngine.h"
#include "platform/GpsdPort.h"
#include "platform/MpvMediaPlayer.h"
#include "platform/MpvWavePlayer.h"
#include "platform/QtFileOpenDialog.h"
#include "platform/QtMessageBox.h"
#include "platform/SystemdPower.h"
#include "platform/TermiosSerialPort.h"

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
    services.mediaPlayer = std::make_unique<MpvMediaPlayer>();
    services.wavePlayer = std::make_unique<MpvWavePlayer>(programFolder);
    services.createSpeechEngine = [] { return EspeakSpeechEngine::create(); };
    services.mixer = std::make_unique<AlsaMixer>();
    services.createSerialPort = [](const QString& portName) -> std::unique_ptr<SerialPort> {
        if (GpsdPort::isGpsdName(portName))
            return std::make_unique<GpsdPort>();
        return std::make_unique<TermiosSerialPort>();
    };
    services.shell = std::make_unique<DesktopShell>();
    services.power = std::make_unique<SystemdPower>();
    services.messageBox = std::make_unique<QtMessageBox>();
    services.fileOpenDialog = std::make_unique<QtFileOpenDialog>();
    return services;
}
