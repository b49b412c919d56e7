#pragma once
// What Karvex keeps so that it starts where it left off when the ignition cut its power:
// the playlist as it is, the selected entry, the open track, its position, whether it was
// playing, and the volume. It lives in its own file beside config.ini, one "Name=Value"
// line each, then one "Entry=PATH" line per playlist entry in order (TextFile's rules).
// Reading is tolerant: a line it does not know is skipped, a number that does not read or
// an index outside the playlist counts as missing, so a damaged file gives what it still
// holds and nothing worse than an empty start.
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace Key {
// On unless config.ini says "FALSE" (any case): a config.ini from before keeps resuming.
inline const QString ResumePlayback = QStringLiteral("ResumePlayback");
}

struct ResumeState {
    QStringList entries;
    QString playlistName;
    // Indexes into `entries`; -1 for none.
    int selected = -1;
    // The entry whose file was open.
    int track = -1;
    qint64 positionMs = 0;
    bool playing = false;
    std::optional<uint32_t> volume;

    QStringList toLines() const;
    static ResumeState fromLines(const QStringList& lines);
    bool operator==(const ResumeState&) const = default;
};

namespace ResumeFile {

inline const QString FileName = QStringLiteral("resume.txt");
// The resume file in the data folder `dataFolder`.
QString path(const QString& dataFolder);
// Whether a ResumePlayback value means on.
bool enabled(const QString& settingValue);

} // namespace ResumeFile
