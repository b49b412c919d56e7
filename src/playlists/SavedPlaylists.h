#pragma once
// Saving the playlist under a typed name, and opening a saved one from the chooser: the
// playlist screen's Save Playlist and Open Playlist buttons. Problems are shown as notices.
#include "playlists/Playlist.h"

#include <QList>
#include <QString>
#include <optional>

class Feedback;
class Notices;
class QWidget;
class TOpenPlaylistForm;

class SavedPlaylists {
public:
    // The keyboard is shown over `window`; the files are in `dataFolder`'s playlist folder.
    SavedPlaylists(QWidget* window, Feedback& feedback, Notices& notices, const QString& dataFolder);

    struct Saved {
        // What the playlist screen's now-playing line says now; nothing when it stays.
        std::optional<QString> shown;
        // The name the playlist was saved under.
        std::optional<QString> name;
    };
    // Asks for a name and writes the playlist's paths to that playlist's file, asking first
    // before replacing one.
    Saved save(const Playlist& playlist);

    struct Opened {
        QString name;
        // The file's lines; files missing now are kept, marked red.
        QList<PlaylistEntry> entries;
    };
    // Lets the driver choose a saved playlist in `chooser` and reads it; nothing when the
    // driver cancelled or the file could not be read.
    std::optional<Opened> open(TOpenPlaylistForm& chooser);

private:
    std::optional<QString> checkedName(const QString& typed);

    QWidget* m_window;
    Feedback& m_feedback;
    Notices& m_notices;
    QString m_dataFolder;
};
