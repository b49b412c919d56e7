#pragma once
// The playlist: the ordered media files that playback steps through, and the selected
// entry, which is the play cursor. Views follow it through its signals.
#include <QColor>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

// The colours an entry is drawn in.
namespace EntryColour {
// Believed playable.
inline const QColor Playable{192, 192, 192};
// Missing, or failed to open or play.
inline const QColor Failed{255, 0, 0};
}

// The part of `path` after its last folder separator.
QString fileNamePart(const QString& path);

struct PlaylistEntry {
    // The file name as shown (FileNames::shown), each underscore shown as a space.
    QString DisplayText;
    // The media file's path exactly as it was added.
    QString FilePath;
    QColor TextColor = EntryColour::Playable;

    static PlaylistEntry forFile(const QString& path, const QColor& colour = EntryColour::Playable);
};

class Playlist : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    int count() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    // The entry at `index`, or nullptr when there is none.
    const PlaylistEntry* entryAt(int index) const;
    QStringList paths() const;
    // Ignored for an index out of range.
    void setTextColor(int index, const QColor& colour);

    // A playlist file keeps one path a line, so a path holding a line break cannot be an
    // entry.
    static bool storable(const QString& path);
    // Adds an entry for `path` at the end; the selection stays where it is. False, and
    // nothing added, when the path is not storable.
    bool append(const QString& path);
    // Replaces every entry; nothing is selected afterwards.
    void replaceAll(const QList<PlaylistEntry>& entries);
    void clear();
    // The selection stays on the entry it was on; removing the selected entry leaves none
    // selected. Indexes out of range are ignored.
    void removeAt(int index);
    void move(int from, int to);

    // -1 when nothing is selected. Setting an index out of range selects nothing.
    int selectedIndex() const { return m_selected; }
    void setSelectedIndex(int index);
    // One entry back, from the first to the last; with nothing selected nothing changes.
    void selectPrevious();
    // One entry on, from the last to the first; with nothing selected the first.
    void selectNext();

signals:
    void entriesReset();
    void entryInserted(int index);
    void entryRemoved(int index);
    void entryMoved(int from, int to);
    void entryColourChanged(int index);
    void selectionChanged(int index);

private:
    bool contains(int index) const { return index >= 0 && index < count(); }
    QList<PlaylistEntry> m_entries;
    int m_selected = -1;
};
