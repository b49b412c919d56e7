#include "playlists/SavedPlaylists.h"

#include "dialogs/Myinputunit.h"
#include "platform/SaveFailure.h"
#include "platform/TextFile.h"
#include "playlists/Mediaframeunit.h"
#include "playlists/Openplaylistunit.h"
#include "playlists/PlaylistFile.h"
#include "shell/Mainunit.h"
#include "widgets/TouchLabel.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

namespace SavedPlaylists {

namespace {

const QString NotSaved = QStringLiteral("Playlist Not Saved");

// The name the driver types, or nothing when the name is refused or the keyboard was
// cancelled.
std::optional<QString> askName(TMainForm& mainForm)
{
    const std::optional<QString> typed = TMyInput::AskText(
        mainForm, QStringLiteral("Enter a unique name for this Playlist."), QString(), SymbolKeys::Locked);
    if (!typed) {
        mainForm.MediaFrame1->NowPlayingDisplay->setText(NotSaved);
        return std::nullopt;
    }
    const QString name = PlaylistFile::trimmedName(*typed);
    switch (PlaylistFile::checkName(name)) {
    case PlaylistFile::NameCheck::TooShort:
        mainForm.ShowErrorNotice(
            QStringLiteral("PLAYLIST NAME ERROR\n\nPlaylist names must be at least 3 chars. Please try again."));
        return std::nullopt;
    case PlaylistFile::NameCheck::TooLong:
        mainForm.ShowErrorNotice(
            QStringLiteral("PLAYLIST NAME ERROR\n\nPlaylist names must be 20 chars or less. Please try again."));
        return std::nullopt;
    case PlaylistFile::NameCheck::Unsafe:
        mainForm.ShowErrorNotice(QStringLiteral("PLAYLIST NAME ERROR\n\nPlaylist names cannot start with a dot or hold "
                                                "/, \\ or control characters. Please try again."));
        return std::nullopt;
    case PlaylistFile::NameCheck::Fits:
        break;
    }
    return name;
}

} // namespace

void save(TMainForm& mainForm)
{
    TMediaFrame& media = *mainForm.MediaFrame1;
    if (media.playlist().isEmpty()) {
        mainForm.ShowErrorNotice(QStringLiteral("PLAYLIST EMPTY!\n\nThere are no media files in the Playlist.  "
                                                "Select 'Add File(s)' button in the Playlist screen."));
        return;
    }
    mainForm.ClickAndSpeak(QStringLiteral("save current play list"));
    const std::optional<QString> name = askName(mainForm);
    if (!name)
        return;

    const QString folder = PlaylistFile::folder(mainForm.dataFolder());
    if (!QFileInfo(folder).isDir() && !QDir().mkdir(folder)) {
        mainForm.ShowErrorNotice(QStringLiteral("CREATE ERROR\n\nFailed to create ") + folder);
        return;
    }
    const QString path = PlaylistFile::path(mainForm.dataFolder(), *name);
    if (PlaylistFile::fileExists(path)
        && !mainForm.AskYesNo(QStringLiteral("Playlist '") + *name + QStringLiteral("' already exists. Overwrite?")))
        return;
    if (int error = 0; !TextFile::writeLines(path, media.playlist().paths(), error)) {
        mainForm.ShowErrorNotice(QStringLiteral("FILE SAVE ERROR\n\nError saving Playlist file for ") + *name
                                 + SaveFailure::reasonLine(error));
        media.NowPlayingDisplay->setText(NotSaved);
        return;
    }
    media.NowPlayingDisplay->setText(*name + QStringLiteral(" Saved"));
    mainForm.nowPlaying().PlaylistName = *name;
}

void open(TMainForm& mainForm)
{
    mainForm.ClickAndSpeak(QStringLiteral("Open play list"));
    const std::optional<QString> name = mainForm.OpenPlaylistForm->choose();
    if (!name)
        return;
    const QString path = PlaylistFile::path(mainForm.dataFolder(), *name);
    if (!PlaylistFile::fileExists(path)) {
        mainForm.ShowErrorNotice(QStringLiteral("NO FILE ERROR\nFile shown below does not exist!\n") + path);
        return;
    }
    TextFile::ReadFailure failure;
    const std::optional<QStringList> lines = TextFile::readLines(path, failure);
    if (!lines) {
        mainForm.ShowErrorNotice(QStringLiteral("FILE LOAD ERROR\n") + path
                                 + (failure == TextFile::ReadFailure::TooLarge
                                        ? QStringLiteral("\nThe file is too large to be a playlist.")
                                        : QString()));
        return;
    }
    mainForm.MediaFrame1->playlist().replaceAll(PlaylistFile::entriesFor(*lines));
    mainForm.nowPlaying().PlaylistName = *name;
}

} // namespace SavedPlaylists
