#pragma once
#include <QString>

// The current playlist's name and the tag texts of the track last started.
struct NowPlayingInfo {
    QString PlaylistName = QStringLiteral("PLAYLIST");
    QString FileName;
    QString Album = QStringLiteral("Unknown Album");
    QString Artist = QStringLiteral("Unknown Artist");
    QString Comment = QStringLiteral("No Comments");
    QString Genre = QStringLiteral("Unknown Genre");
    QString Title = QStringLiteral("Unknown Title");
    QString Year = QStringLiteral("Unknown Year");
};
