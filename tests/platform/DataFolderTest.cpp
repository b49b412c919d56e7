// Where the program keeps what it saves: beside itself, or in the data folder that the
// marker of an installed copy names, for settings, playlists and the About box alike.
#include "config/SettingsStore.h"
#include "dialogs/Aboutunit.h"
#include "platform/DataFolder.h"
#include "playlists/Openplaylistunit.h"
#include "shell/Mainunit.h"
#include "shell/Startup.h"
#include "support/Doubles.h"
#include "support/TempFolder.h"
#include "widgets/TouchLabel.h"
#include "widgets/TouchList.h"

#include <gtest/gtest.h>

TEST(DataFolder, IsTheProgramFolderUnlessAMarkerNamesAnAbsoluteFolder)
{
    TempFolder program;
    EXPECT_EQ(DataFolder::installed(program.path()), std::nullopt);
    EXPECT_EQ(DataFolder::of(program.path()), program.path());

    program.write(DataFolder::MarkerName, "var/lib/karvex\n");
    EXPECT_EQ(DataFolder::of(program.path()), program.path());

    program.write(DataFolder::MarkerName, "/var/lib/karvex/\n");
    EXPECT_EQ(DataFolder::installed(program.path()), "/var/lib/karvex");
    EXPECT_EQ(DataFolder::of(program.path()), "/var/lib/karvex");
}

TEST(DataFolder, SettingsAndPlaylistsAreReadAndSavedThereAndTheAboutBoxSaysWhere)
{
    TempFolder program;
    TempFolder data;
    program.write(ConfigFileName, "GPSPort=COM4\r\n");
    data.write(ConfigFileName, "GPSPort=COM3\r\n");
    QDir(data.path()).mkdir("playlist");
    data.write("playlist/Road Trip.kpl", "/media/a.mp3\r\n");
    FakeServices fakes;
    std::unique_ptr<TMainForm> main = Startup::createWindows(fakes.make(program.path(), data.path()));

    EXPECT_EQ(main->settings().value(Key::GPSPort), "COM3");
    main->OpenPlaylistForm->FormShow();
    EXPECT_EQ(main->OpenPlaylistForm->PlayListBox->items(), QStringList{"Road Trip"});
    TAboutForm about(main.get(), main->feedback(), main->notices(), *main->services().shell, main->services().programFolder,
                     main->services().dataFolder);
    EXPECT_EQ(about.DataFolderDisplay->text(), "Settings and playlists are saved in " + data.path());

    main->settings().setValue(Key::GPSPort, "COM5");
    main->close();
    EXPECT_TRUE(data.read(ConfigFileName).startsWith("GPSPort=COM5\r\n"));
    EXPECT_EQ(program.read(ConfigFileName), "GPSPort=COM4\r\n");
}
