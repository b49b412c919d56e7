#include "playlists/Filesframeunit.h"

#include "app/Feedback.h"
#include "app/FirstPaint.h"
#include "app/Navigator.h"
#include "config/SettingsAppliers.h"
#include "dialogs/Notices.h"
#include "playback/PlaybackController.h"
#include "platform/FileNames.h"
#include "playlists/M3uPlaylist.h"
#include "playlists/Playlist.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"
#include "widgets/TouchList.h"

#include <QComboBox>
#include <QDir>
#include <QListView>
#include <QSignalBlocker>

namespace {

constexpr int FontPixels = 27;
constexpr int RowHeight = 33;
const QColor Silver(192, 192, 192);
// A grey dark enough for white text to read on it.
const QColor Grey(110, 110, 110);
// Each level of the folder list is indented by this much.
const QString Indent = QStringLiteral("  ");

void fillBackground(QWidget* widget, const QColor& colour)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

TouchList* makeList(QWidget* parent, const char* name, QRect place, Glyph glyph)
{
    auto* list = new TouchList(parent);
    list->setObjectName(QLatin1String(name));
    list->setGeometry(place);
    list->setHeaderVisible(false);
    list->setFooterVisible(false);
    list->setRowHeight(RowHeight);
    list->setFontPixelSize(FontPixels, true);
    list->setBackColour(Qt::black);
    list->setTextColour(Qt::white);
    list->setRowGlyph(glyph);
    return list;
}

TouchButton* makeButton(QWidget* parent, const char* name, const QString& caption, QRect place, Glyph glyph)
{
    auto* button = new TouchButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(place);
    button->setFontPixelSize(FontPixels);
    button->setGlyph(glyph);
    return button;
}

} // namespace

TFilesFrame::TFilesFrame(QWidget* parent, FirstPaint& firstPaint, SettingsAppliers& appliers, SettingsStore& settings,
                         Playlist& playlist, PlaybackController& playback, Feedback& feedback, Notices& notices)
    : QWidget(parent)
    , m_firstPaint(firstPaint)
    , m_settings(settings)
    , m_playlist(playlist)
    , m_playback(playback)
    , m_feedback(feedback)
    , m_notices(notices)
{
    setObjectName(QStringLiteral("TFilesFrame"));
    // Building the controls and reading the drives and folders wait until the home screen
    // is up.
    firstPaint.afterFirstPaint([this] {
        buildControls();
        fillDrives();
        showFolder(QStringLiteral("/"));
    });
    appliers.add([this](const SettingsStore& loaded) {
        m_firstPaint.afterFirstPaint([this, folder = loaded.value(Key::LastMediaPath)] { applyLastMediaPath(folder); });
    });
}

void TFilesFrame::buildControls()
{
    Label1 = new TouchLabel(QString(), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(0, 0, Navigator::MiddleArea.width(), 34);
    Label1->setFontPixelSize(24, true);
    Label1->setTextColour(Qt::black);
    Label1->setTextFormat(Qt::PlainText);
    Label1->setElideMiddle(true);
    fillBackground(Label1, Silver);

    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    DriveComboBox1->setGeometry(3, 38, 315, 39);
    DriveComboBox1->setView(new QListView(DriveComboBox1)); // rows sized by the style sheet
    DriveComboBox1->setStyleSheet(QStringLiteral(
        "QComboBox { background: %2; color: white; font: bold %1px; border: 1px solid black; padding-left: 6px; }"
        "QComboBox QAbstractItemView { background: %2; color: white; font: bold %1px;"
        " selection-background-color: black; }"
        "QComboBox QAbstractItemView::item { min-height: 44px; }")
                                      .arg(FontPixels)
                                      .arg(Grey.name()));

    DirectoryListBox1 = makeList(this, "DirectoryListBox1", {3, 82, 315, 143}, Glyph::Folder);
    FileListBox1 = makeList(this, "FileListBox1", {3, 231, 518, 315}, Glyph::File);
    FileListBox1->setMultiSelect(true);

    FileCount = new TouchLabel(QStringLiteral("0 File(s) Selected "), this);
    FileCount->setObjectName(QStringLiteral("FileCount"));
    FileCount->setGeometry(3, 552, 518, 33);
    FileCount->setFontPixelSize(FontPixels, true);
    FileCount->setTextColour(Qt::white);
    FileCount->setTextFormat(Qt::PlainText);
    fillBackground(FileCount, Grey);

    FilesAddMediaBtn = makeButton(this, "FilesAddMediaBtn", QStringLiteral("ADD FILE(S)"), {328, 49, 185, 45},
                                  Glyph::None);
    // At 27 pixels the caption would fill the button to its very edges.
    FilesAddMediaBtn->setFontPixelSize(24);
    AdvSmoothButton1 = makeButton(this, "AdvSmoothButton1", QString(), {328, 109, 89, 45}, Glyph::Done);
    AdvSmoothButton2 = makeButton(this, "AdvSmoothButton2", QString(), {424, 109, 89, 45}, Glyph::Close);
    AdvSmoothButton3 = makeButton(this, "AdvSmoothButton3", QString(), {328, 167, 89, 45}, Glyph::Play);
    ReadMeBtn = makeButton(this, "ReadMeBtn", QString(), {423, 167, 89, 45}, Glyph::ReadAloud);

    connect(DriveComboBox1, &QComboBox::activated, this, &TFilesFrame::DriveComboBox1Change);
    connect(DirectoryListBox1, &TouchList::rowDoubleTapped, this, &TFilesFrame::DirectoryListBox1DblClick);
    connect(FileListBox1, &TouchList::rowToggled, this, &TFilesFrame::FileListBox1Click);
    connect(FilesAddMediaBtn, &QAbstractButton::clicked, this, &TFilesFrame::FilesAddMediaBtnClick);
    connect(AdvSmoothButton1, &QAbstractButton::clicked, this, &TFilesFrame::AdvSmoothButton1Click);
    connect(AdvSmoothButton2, &QAbstractButton::clicked, this, &TFilesFrame::AdvSmoothButton2Click);
    connect(AdvSmoothButton3, &QAbstractButton::clicked, this, &TFilesFrame::AdvSmoothButton3Click);
    connect(ReadMeBtn, &QAbstractButton::clicked, this, &TFilesFrame::ReadMeBtnClick);
}

// At start-up: a folder that is not there (any more) is passed over.
void TFilesFrame::applyLastMediaPath(const QString& folder)
{
    if (QDir::isAbsolutePath(folder) && FileNames::isFolder(folder))
        showFolder(folder);
}

void TFilesFrame::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    fillDrives();
}

// ---------------------------------------------------------------- drives and folders

void TFilesFrame::fillDrives()
{
    m_drives = MediaFolder::drives();
    const QSignalBlocker quiet(DriveComboBox1);
    DriveComboBox1->clear();
    for (const MediaFolder::Drive& drive : m_drives)
        DriveComboBox1->addItem(drive.caption);
    showDriveOfFolder();
}

void TFilesFrame::showDriveOfFolder()
{
    const QSignalBlocker quiet(DriveComboBox1);
    DriveComboBox1->setCurrentIndex(MediaFolder::driveOf(m_drives, m_folder));
}

void TFilesFrame::showFolder(const QString& folder)
{
    m_folder = MediaFolder::folderPath(folder);
    Label1->setText(FileNames::shown(m_folder));
    const int drive = MediaFolder::driveOf(m_drives, m_folder);
    if (drive >= 0)
        m_driveFolders.insert(m_drives[drive].rootPath, m_folder);
    showDriveOfFolder();
    listFolders();
    listFiles();
}

void TFilesFrame::DriveComboBox1Change(int index)
{
    if (index < 0 || index >= m_drives.size())
        return;
    const QString& root = m_drives[index].rootPath;
    showFolder(m_driveFolders.value(root, root));
}

// The folders from the root down to the current one, each a level further in, then the
// current folder's subfolders one level further still.
void TFilesFrame::listFolders()
{
    m_folderRows = MediaFolder::pathFromRoot(m_folder);
    DirectoryListBox1->clear();
    for (qsizetype level = 0; level < m_folderRows.size(); ++level) {
        const QString& path = m_folderRows[level];
        DirectoryListBox1->addItem(Indent.repeated(level) + FileNames::shown(level == 0 ? path : fileNamePart(path)));
    }
    const int current = int(m_folderRows.size()) - 1;
    const QString subfolderIndent = Indent.repeated(m_folderRows.size());
    for (const QString& name : MediaFolder::subfolders(m_folder)) {
        m_folderRows.append(QDir(m_folder).filePath(name));
        DirectoryListBox1->addItem(subfolderIndent + FileNames::shown(name));
    }
    DirectoryListBox1->setSelectedIndex(current);
    // The folder above stays in sight, and the subfolders below.
    DirectoryListBox1->setTopIndex(qMax(0, current - 1));
}

void TFilesFrame::listFiles()
{
    FileListBox1->clear();
    m_fileNames = MediaFolder::mediaFiles(m_folder);
    for (const QString& name : m_fileNames)
        FileListBox1->addItem(FileNames::shown(name));
}

void TFilesFrame::DirectoryListBox1DblClick(int row)
{
    if (row >= 0 && row < m_folderRows.size())
        showFolder(m_folderRows[row]);
}

// ---------------------------------------------------------------- files

void TFilesFrame::playSound(const QString& sound)
{
    m_feedback.PlayUiSound(sound, LiveSetting::ClickSounds);
}

void TFilesFrame::showSelectedCount()
{
    FileCount->setText(QString::number(FileListBox1->selectedCount()) + QStringLiteral(" File(s) Selected"));
}

QString TFilesFrame::focusedFileName() const
{
    return m_fileNames.value(FileListBox1->focusedIndex());
}

void TFilesFrame::FileListBox1Click()
{
    showSelectedCount();
    if (FileListBox1->selectedCount() > 0)
        playSound(UiSound::Click);
}

void TFilesFrame::FilesAddMediaBtnClick()
{
    if (FileListBox1->selectedCount() == 0) {
        FileCount->setText(QStringLiteral("No Files Selected!"));
        playSound(UiSound::Error);
        return;
    }
    m_settings.setValue(Key::LastMediaPath, m_folder);
    Playlist& playlist = m_playlist;
    int added = 0;
    QStringList refused;
    const auto add = [&](const QString& path) {
        if (playlist.append(path))
            ++added;
        else
            refused.append(FileNames::shown(path));
    };
    for (int row = 0; row < FileListBox1->count(); ++row) {
        if (!FileListBox1->isSelected(row))
            continue;
        const QString path = MediaFolder::filePath(m_folder, m_fileNames.value(row));
        // A playlist file brings its entries, not itself.
        if (M3uPlaylist::isM3uName(path)) {
            for (const QString& entry : M3uPlaylist::entries(path))
                add(entry);
        } else {
            add(path);
        }
    }
    playSound(UiSound::Hover);
    FileCount->setText(QString::number(added) + QStringLiteral(" File(s) Added."));
    FileListBox1->setAllSelected(false);
    if (!refused.isEmpty())
        m_notices.ShowErrorNotice(QStringLiteral("FILE NAME ERROR\n\nA file whose path holds a line break cannot "
                                                   "be kept in a playlist, so it was not added.\n")
                                    + refused.join(u'\n'));
}

void TFilesFrame::AdvSmoothButton1Click()
{
    playSound(UiSound::Click);
    FileListBox1->setAllSelected(true);
    showSelectedCount();
}

void TFilesFrame::AdvSmoothButton2Click()
{
    playSound(UiSound::Click);
    FileListBox1->setAllSelected(false);
    showSelectedCount();
}

// Plays the focused file at once, without adding it to the playlist.
void TFilesFrame::AdvSmoothButton3Click()
{
    const QString name = focusedFileName();
    if (name.isEmpty()) {
        playSound(UiSound::Error);
        return;
    }
    playSound(UiSound::Click);
    m_playback.openFile(MediaFolder::filePath(m_folder, name), 0, true,
                        {QStringLiteral("OPEN ERROR\n\nCould not Open the selected media file.\n"),
                         QStringLiteral("OPEN ERROR\n\nCould not Play the selected media file.\n")});
}

// Speaks the focused file's name whatever the speech setting says.
void TFilesFrame::ReadMeBtnClick()
{
    const QString name = focusedFileName();
    if (name.isEmpty()) {
        playSound(UiSound::Error);
        return;
    }
    playSound(UiSound::Click);
    m_feedback.SpeakText(FileNames::shown(name));
}
