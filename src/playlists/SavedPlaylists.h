#pragma once
// Saving the playlist under a typed name, and opening a saved one from the chooser: the
// playlist screen's Save Playlist and Open Playlist buttons.
class TMainForm;

namespace SavedPlaylists {

// Asks for a name and writes the playlist's paths to that playlist's file, asking first
// before replacing one. Problems are shown as notices.
void save(TMainForm& mainForm);
// Lets the driver choose a saved playlist and replaces the playlist's entries with its
// lines; files missing now are kept, marked red.
void open(TMainForm& mainForm);

} // namespace SavedPlaylists
