#include "HomeWithTrackAndFix.h"

#include "config/SettingsStore.h"
#include "gps/Gpsinfounit.h"
#include "playlists/Mediaframeunit.h"
#include "shell/Startup.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QFile>

namespace {

// Three minutes of silence as a mono 16-bit wave at 8 kHz.
bool writeSilence(const QString& path)
{
    constexpr quint32 rate = 8000;
    constexpr quint32 dataBytes = rate * 2 * 180;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << rate << rate * 2 << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    out.writeRawData(QByteArray(int(dataBytes), '\0').constData(), int(dataBytes));
    return out.status() == QDataStream::Ok;
}

} // namespace

HomeWithTrackAndFix::HomeWithTrackAndFix(benchmark::State& state)
{
    const QString track = m_folder.filePath(QStringLiteral("silence.wav"));
    QFile config(m_folder.filePath(ConfigFileName));
    if (!writeSilence(track) || !config.open(QIODevice::WriteOnly)
        || config.write("GPSPort=NONE\r\nGPSEnabled=TRUE\r\n") < 0) {
        state.SkipWithError("cannot write the program folder");
        return;
    }
    config.close();
    main = Startup::createWindows(realServices(m_folder.path()));
    main->MediaFrame1->playlist().append(track);
    main->PlayBtnClick();
    if (!main->MediaPlayer1().isOpen()) {
        state.SkipWithError(qPrintable(main->MediaPlayer1().errorText()));
        main.reset();
        return;
    }
    main->show();
    QCoreApplication::processEvents();
    main->firstPaint().firstPaintDone(); // as the program does once the home screen is painted
    main->GpsInfo->DeliverChunk("$GPRMC,123519,A,4807.038,N,01131.000,E,30.0,45.7,230394,003.1,W*63\r\n"
                                "$GPGGA,123519,4807.038,N,01131.000,E,1,08\r\n");
}
