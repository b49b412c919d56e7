#pragma once
// Where Karvex keeps what it saves: config.ini, the playlist folder and whatever else it
// writes between runs.
//
// A program folder that is writable (a build, the demo, a copy on a USB stick) keeps all of
// it beside the executable. An installed program finds the marker file `MarkerName` beside
// its executable; the marker's first line names the data folder the group karvex shares
// (/var/lib/karvex), and nothing writable stays in the root-owned program folder.
#include <QString>
#include <optional>

namespace DataFolder {

inline const QString MarkerName = QStringLiteral("data-folder");

// The folder the marker in `programFolder` names, or nullopt when there is no marker or it
// does not name an absolute folder.
std::optional<QString> installed(const QString& programFolder);

// The data folder of the program in `programFolder`.
QString of(const QString& programFolder);

} // namespace DataFolder
