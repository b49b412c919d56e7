// make_demo: prepares a demo program folder.
//
//   make_demo PROGRAM_FOLDER DEMO_FOLDER
//
// Copies the built program (the executable, its sounds and licence, but not the settings
// of PROGRAM_FOLDER) into DEMO_FOLDER and adds:
//   media/           short tagged tracks, album-art pictures and a video clip
//   playlist/Demo Drive.kpl
//   demo-drive.nmea  a drive for nmea_feeder
//   config.ini       the default settings, but GPS read from DEMO_FOLDER/gps-receiver
//                    and the file browser opening in media/
// Start the feeder with --link DEMO_FOLDER/gps-receiver before Karvex.
#include "DemoDrive.h"
#include "DemoMedia.h"

#include "config/SettingsStore.h"
#include "platform/TextFile.h"
#include "playlists/MediaFolder.h"
#include "playlists/PlaylistFile.h"
#include "shell/Mainunit.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

namespace {

const QString MediaFolderName = QStringLiteral("media");
const QString DriveFileName = QStringLiteral("demo-drive.nmea");
const QString GpsLinkName = QStringLiteral("gps-receiver");
const QString PlaylistName = QStringLiteral("Demo Drive");

int fail(const QString& message)
{
    std::fprintf(stderr, "make_demo: %s\n", qPrintable(message));
    return 1;
}

const QString ProgramName = QStringLiteral("karvex");
const QStringList ProgramFiles = {ProgramName, UiSound::Click, UiSound::Hover, UiSound::Error, QStringLiteral("licence.txt")};

// The program's files, replacing older copies. A copy, not a link: the program's folder is
// where its executable really is.
bool copyProgram(const QDir& program, const QDir& demo)
{
    for (const QString& name : ProgramFiles) {
        QFile::remove(demo.filePath(name));
        if (!QFile::copy(program.filePath(name), demo.filePath(name)))
            return false;
    }
    return true;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv)
{
    // Pictures are painted with fonts, which need a GUI application but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_demo PROGRAM_FOLDER DEMO_FOLDER\n");
        return 2;
    }
    const QDir program(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
    const QDir demo(QDir(QString::fromLocal8Bit(argv[2])).absolutePath());
    const QString media = demo.filePath(MediaFolderName);

    if (!program.exists(ProgramName))
        return fail(QStringLiteral("no built program in ") + program.path());
    if (!demo.mkpath(MediaFolderName) || !demo.mkpath(PlaylistFile::FolderName))
        return fail(QStringLiteral("cannot make the folders of ") + demo.path());
    if (!copyProgram(program, demo))
        return fail(QStringLiteral("cannot copy the program into ") + demo.path());

    QString error;
    const QStringList tracks = DemoMedia::write(media, error);
    if (tracks.isEmpty())
        return fail(error);

    QStringList playlist;
    for (const QString& track : tracks)
        playlist << MediaFolder::filePath(media, track);
    if (!TextFile::writeLines(PlaylistFile::path(demo.path(), PlaylistName), playlist))
        return fail(QStringLiteral("cannot write the playlist ") + PlaylistName);

    if (!writeFile(demo.filePath(DriveFileName), DemoDrive::nmeaText()))
        return fail(QStringLiteral("cannot write ") + demo.filePath(DriveFileName));

    SettingsStore settings;
    settings.writeDefaults();
    settings.setValue(Key::GPSPort, demo.filePath(GpsLinkName));
    settings.setValue(Key::GPSEnabled, SettingText::fromBool(true));
    settings.setValue(Key::LastMediaPath, media);
    if (!settings.save(demo.filePath(ConfigFileName)))
        return fail(QStringLiteral("cannot write ") + demo.filePath(ConfigFileName));

    std::printf("Demo program folder: %s\n", qPrintable(demo.path()));
    return 0;
}
