#pragma once
// The media file browser: a drive chooser, the folder list and the media files of the
// current folder, from which the driver adds files to the playlist, plays one at once or
// hears its name.
#include "playlists/MediaFolder.h"

#include <QHash>
#include <QWidget>

class QComboBox;
class Feedback;
class FirstPaint;
class Notices;
class PlaybackController;
class Playlist;
class SettingsAppliers;
class SettingsStore;
class TouchButton;
class TouchLabel;
class TouchList;

class TFilesFrame : public QWidget {
    Q_OBJECT
public:
    TFilesFrame(QWidget* parent, FirstPaint& firstPaint, SettingsAppliers& appliers, SettingsStore& settings,
                Playlist& playlist, PlaybackController& playback, Feedback& feedback, Notices& notices);

    // The folder whose files are listed, as the folder list reports it: "/" for the
    // root, no separator at the end otherwise.
    QString currentFolder() const { return m_folder; }
    // Makes `folder` the current folder and lists it; a folder that cannot be read, or is
    // gone, lists nothing.
    void showFolder(const QString& folder);
    // The folder each row of the folder list stands for.
    const QStringList& folderRows() const { return m_folderRows; }

    // Controls, built once the home screen has been painted.
    TouchLabel* Label1 = nullptr;
    QComboBox* DriveComboBox1 = nullptr;
    TouchList* DirectoryListBox1 = nullptr;
    TouchList* FileListBox1 = nullptr;
    TouchLabel* FileCount = nullptr;
    TouchButton* FilesAddMediaBtn = nullptr;
    TouchButton* AdvSmoothButton1 = nullptr;
    TouchButton* AdvSmoothButton2 = nullptr;
    TouchButton* AdvSmoothButton3 = nullptr;
    TouchButton* ReadMeBtn = nullptr;

    void DriveComboBox1Change(int index);
    void DirectoryListBox1DblClick(int row);
    void FileListBox1Click();
    void FilesAddMediaBtnClick();
    void AdvSmoothButton1Click();
    void AdvSmoothButton2Click();
    void AdvSmoothButton3Click();
    void ReadMeBtnClick();

protected:
    // Drives come and go (a memory stick), so the chooser is filled afresh on each show.
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void applyLastMediaPath(const QString& folder);
    void fillDrives();
    void showDriveOfFolder();
    void listFolders();
    void listFiles();
    void showSelectedCount();
    // The focused file row's name, or empty when no row is focused.
    QString focusedFileName() const;
    void playSound(const QString& sound);

    FirstPaint& m_firstPaint;
    SettingsStore& m_settings;
    Playlist& m_playlist;
    PlaybackController& m_playback;
    Feedback& m_feedback;
    Notices& m_notices;
    QString m_folder;
    QStringList m_folderRows;
    // The file system's names of the file rows (a row shows FileNames::shown of its name).
    QStringList m_fileNames;
    QList<MediaFolder::Drive> m_drives;
    // The folder last shown on each drive, by mount point.
    QHash<QString, QString> m_driveFolders;
};
