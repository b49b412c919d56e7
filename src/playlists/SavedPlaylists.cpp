#include "playlists/SavedPlaylists.h"

#include "app/Feedback.h"
#include "dialogs/Myinputunit.h"
#include "dialogs/Notices.h"
#include "platform/SaveFailure.h"
#include "platform/TextFile.h"
#include "playlists/Openplaylistunit.h"
#include "playlists/PlaylistFile.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

namespace {

const QString NotSaved = QStringLiteral("Playlist Not Saved");

} // namespace

SavedPlaylists::SavedPlaylists(QWidget* window, Feedback& feedback, Notices& notices, const QString& dataFolder)
    : m_window(window)
    , m_feedback(feedback)
    , m_notices(notices)
    , m_dataFolder(dataFolder)
{
}

// The name `typed` stands for, or nothing, after a notice, when it cannot name a playlist.
std::optional<QString> SavedPlaylists::checkedName(const QString& typed)
{
    const QString name = PlaylistFile::trimmedName(typed);
    switch (PlaylistFile::checkName(name)) {
    case PlaylistFile::NameCheck::TooShort:
        m_notices.ShowErrorNotice(
            QStringLiteral("PLAYLIST NAME ERROR\n\nPlaylist names must be at least 3 chars. Please try again."));
        return std::nullopt;
    case PlaylistFile::NameCheck::TooLong:
        m_notices.ShowErrorNotice(
            QStringLiteral("PLAYLIST NAME ERROR\n\nPlaylist names must be 20 chars or less. Please try again."));
        return std::nullopt;
    case PlaylistFile::NameCheck::Unsafe:
        m_notices.ShowErrorNotice(QStringLiteral("PLAYLIST NAME ERROR\n\nPlaylist names cannot start with a dot or hold "
                                                 "/, \\ or control characters. Please try again."));
        return std::nullopt;
    case PlaylistFile::NameCheck::Fits:
        break;
    }
    return name;
}

SavedPlaylists::Saved SavedPlaylists::save(const Playlist& playlist)
{
    if (playlist.isEmpty()) {
        m_notices.ShowErrorNotice(QStringLiteral("PLAYLIST EMPTY!\n\nThere are no media files in the Playlist.  "
                                                 "Select 'Add File(s)' button in the Playlist screen."));
        return {};
    }
    m_feedback.ClickAndSpeak(QStringLiteral("save current play list"));
    const std::optional<QString> typed = TMyInput::AskText(
        m_window, m_feedback, QStringLiteral("Enter a unique name for this Playlist."), QString(), SymbolKeys::Locked);
    if (!typed)
        return {NotSaved, std::nullopt};
    const std::optional<QString> name = checkedName(*typed);
    if (!name)
        return {};

    const QString folder = PlaylistFile::folder(m_dataFolder);
    if (!QFileInfo(folder).isDir() && !QDir().mkdir(folder)) {
        m_notices.ShowErrorNotice(QStringLiteral("CREATE ERROR\n\nFailed to create ") + folder);
        return {};
    }
    const QString path = PlaylistFile::path(m_dataFolder, *name);
    if (PlaylistFile::fileExists(path)
        && !m_notices.AskYesNo(QStringLiteral("Playlist '") + *name + QStringLiteral("' already exists. Overwrite?")))
        return {};
    if (int error = 0; !TextFile::writeLines(path, playlist.paths(), error)) {
        m_notices.ShowErrorNotice(QStringLiteral("FILE SAVE ERROR\n\nError saving Playlist file for ") + *name
                                  + SaveFailure::reasonLine(error));
        return {NotSaved, std::nullopt};
    }
    return {*name + QStringLiteral(" Saved"), *name};
}

std::optional<SavedPlaylists::Opened> SavedPlaylists::open(TOpenPlaylistForm& chooser)
{
    m_feedback.ClickAndSpeak(QStringLiteral("Open play list"));
    const std::optional<QString> name = chooser.choose();
    if (!name)
        return std::nullopt;
    const QString path = PlaylistFile::path(m_dataFolder, *name);
    if (!PlaylistFile::fileExists(path)) {
        m_notices.ShowErrorNotice(QStringLiteral("NO FILE ERROR\nFile shown below does not exist!\n") + path);
        return std::nullopt;
    }
    TextFile::ReadFailure failure;
    const std::optional<QStringList> lines = TextFile::readLines(path, failure);
    if (!lines) {
        m_notices.ShowErrorNotice(QStringLiteral("FILE LOAD ERROR\n") + path
                                  + (failure == TextFile::ReadFailure::TooLarge
                                         ? QStringLiteral("\nThe file is too large to be a playlist.")
                                         : QString()));
        return std::nullopt;
    }
    return Opened{*name, PlaylistFile::entriesFor(*lines)};
}
