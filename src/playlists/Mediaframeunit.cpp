#include "playlists/Mediaframeunit.h"

#include "app/Feedback.h"
#include "app/Navigator.h"
#include "dialogs/Notices.h"
#include "playback/NowPlaying.h"
#include "playback/NowPlayingTexts.h"
#include "platform/MediaPlayer.h"
#include "widgets/CaptionPanel.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"
#include "widgets/TouchList.h"
#include "widgets/TrackBar.h"

#include <QEvent>
#include <QMouseEvent>

namespace {

const QString PosLabel = QStringLiteral("Pos");
const QString LenLabel = QStringLiteral("Len");

TouchButton* makeButton(QWidget* parent, const char* name, const QString& caption, QRect place, Glyph glyph = Glyph::None)
{
    auto* button = new TouchButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(place);
    button->setFontPixelSize(20);
    button->setGlyph(glyph);
    return button;
}

// A one-line read-only text, centred, on black.
TouchLabel* makeDisplay(QWidget* parent, const char* name, QRect place, int pixels, bool bold, const QColor& colour)
{
    auto* display = new TouchLabel(QString(), parent);
    display->setObjectName(QLatin1String(name));
    display->setGeometry(place);
    display->setFontPixelSize(pixels, bold);
    display->setTextColour(colour);
    display->setTextFormat(Qt::PlainText);
    display->setAlignment(Qt::AlignCenter);
    display->setAutoFillBackground(true);
    QPalette black = display->palette();
    black.setColor(QPalette::Window, Qt::black);
    display->setPalette(black);
    return display;
}

} // namespace

TMediaFrame::TMediaFrame(QWidget* parent, MediaPlayer& player, NowPlaying& nowPlaying, Feedback& feedback,
                         Notices& notices, Navigator& navigator, const QString& dataFolder)
    : QWidget(parent)
    , m_player(player)
    , m_nowPlaying(nowPlaying)
    , m_feedback(feedback)
    , m_notices(notices)
    , m_navigator(navigator)
    , m_savedPlaylists(parent, feedback, notices, dataFolder)
{
    setObjectName(QStringLiteral("TMediaFrame"));
    buildPlaylistControls();
    buildNowPlayingControls();
    followPlaylist();
    followNowPlaying(nowPlaying);
}

void TMediaFrame::followNowPlaying(NowPlaying& nowPlaying)
{
    connect(&nowPlaying, &NowPlaying::loading, this, [this](const QString& text) {
        NowPlayingDisplay->setText(text);
        NowPlayingDisplay->repaint();
    });
    connect(&nowPlaying, &NowPlaying::positionChanged, this, &TMediaFrame::ShowPlayerPosition);
    connect(&nowPlaying, &NowPlaying::noMedia, this, &TMediaFrame::ShowNoMedia);
}

void TMediaFrame::buildPlaylistControls()
{
    OpenPlaylistBtn = makeButton(this, "OpenPlaylistBtn", QStringLiteral("Open Playlist"), {1, 3, 169, 45});
    SavePlaylistBtn = makeButton(this, "SavePlaylistBtn", QStringLiteral("Save Playlist"), {175, 3, 169, 45});
    NewPlaylistBtn = makeButton(this, "NewPlaylistBtn", QStringLiteral("New Playlist"), {350, 3, 167, 45});

    PlayList = new TouchList(this);
    PlayList->setObjectName(QStringLiteral("PlayList"));
    PlayList->setGeometry(1, 52, 518, 325);
    PlayList->setHeaderVisible(false);
    PlayList->setFooterVisible(false);
    PlayList->setRowHeight(29);
    PlayList->setFontPixelSize(24, true);
    PlayList->setBackColour(Qt::black);

    PlaylistTrackAddBtn = makeButton(this, "PlaylistTrackAddBtn", QStringLiteral("Add Files"), {1, 383, 169, 45}, Glyph::Add);
    PlaylistTrackUpBtn = makeButton(this, "PlaylistTrackUpBtn", QString(), {175, 383, 81, 45}, Glyph::Up);
    PlaylistTrackDownBtn = makeButton(this, "PlaylistTrackDownBtn", QString(), {262, 383, 82, 45}, Glyph::Down);
    PlaylistTrackRemoveBtn =
        makeButton(this, "PlaylistTrackRemoveBtn", QStringLiteral("REMOVE"), {350, 383, 168, 45}, Glyph::Remove);

    PlaylistShuffleBtn = makeButton(this, "PlaylistShuffleBtn", QStringLiteral("Shuffle"), {-1, 482, 147, 45});
    PlaylistRepeatBtn = makeButton(this, "PlaylistRepeatBtn", QStringLiteral("Repeat"), {375, 482, 145, 45});
    m_modes = new ToggleGroup(true, this);
    m_modes->add(PlaylistShuffleBtn);
    m_modes->add(PlaylistRepeatBtn);

    connect(OpenPlaylistBtn, &QAbstractButton::clicked, this, &TMediaFrame::OpenPlaylistBtnClick);
    connect(SavePlaylistBtn, &QAbstractButton::clicked, this, &TMediaFrame::SavePlaylistBtnClick);
    connect(NewPlaylistBtn, &QAbstractButton::clicked, this, &TMediaFrame::NewPlaylistBtnClick);
    connect(PlaylistTrackAddBtn, &QAbstractButton::clicked, this, &TMediaFrame::PlaylistTrackAddBtnClick);
    connect(PlaylistTrackUpBtn, &QAbstractButton::clicked, this, &TMediaFrame::PlaylistTrackUpBtnClick);
    connect(PlaylistTrackDownBtn, &QAbstractButton::clicked, this, &TMediaFrame::PlaylistTrackDownBtnClick);
    connect(PlaylistTrackRemoveBtn, &QAbstractButton::clicked, this, &TMediaFrame::PlaylistTrackRemoveBtnClick);
    connect(PlaylistShuffleBtn, &QAbstractButton::clicked, this, &TMediaFrame::PlaylistShuffleBtnClick);
    connect(PlaylistRepeatBtn, &QAbstractButton::clicked, this, &TMediaFrame::PlaylistRepeatBtnClick);
    for (TouchButton* toggle : {PlaylistShuffleBtn, PlaylistRepeatBtn})
        connect(toggle, &QAbstractButton::toggled, this, &TMediaFrame::modesChanged);
    connect(PlayList, &TouchList::rowDoubleTapped, this, [this](int row) {
        m_playlist.setSelectedIndex(row);
        PlayListDblClick();
    });
}

void TMediaFrame::buildNowPlayingControls()
{
    NowPlayingDisplay = makeDisplay(this, "NowPlayingDisplay", {1, 434, 516, 37}, 24, false, Qt::white);
    MediaPosDisplay = makeDisplay(this, "MediaPosDisplay", {152, 477, 217, 27}, 16, true, Qt::yellow);
    MediaLenDisplay = makeDisplay(this, "MediaLenDisplay", {152, 508, 217, 27}, 16, true, QColor(0, 255, 0));
    MediaPosDisplay->setText(NowPlayingTexts::noMinutesAndSeconds(PosLabel));
    MediaLenDisplay->setText(NowPlayingTexts::noMinutesAndSeconds(LenLabel));
    for (TouchLabel* display : {NowPlayingDisplay, MediaPosDisplay, MediaLenDisplay})
        display->installEventFilter(this);

    MediaTrackbar = new TrackBar(Qt::Horizontal, this);
    MediaTrackbar->setObjectName(QStringLiteral("MediaTrackbar"));
    MediaTrackbar->setGeometry(-2, 541, 521, 40);
    MediaTrackbar->setThumbLength(50);
    MediaTrackbar->setShowTicks(false);
    MediaTrackbar->setShowProgress(false);
    MediaTrackbar->setRange(0, 100000);
    MediaTrackbar->setStep(10000, 0);

    connect(MediaTrackbar, &TrackBar::pressed, this, &TMediaFrame::MediaTrackbarMouseDown);
    connect(MediaTrackbar, &TrackBar::released, this, &TMediaFrame::MediaTrackbarMouseUp);
}

// Keeps PlayList showing the playlist's entries, colours and selection, and a row the
// driver touches selects its entry.
void TMediaFrame::followPlaylist()
{
    connect(&m_playlist, &Playlist::entriesReset, PlayList, [this] {
        PlayList->clear();
        for (int i = 0; i < m_playlist.count(); ++i)
            PlayList->addItem(m_playlist.entryAt(i)->DisplayText, m_playlist.entryAt(i)->TextColor);
    });
    connect(&m_playlist, &Playlist::entryInserted, PlayList, [this](int index) {
        PlayList->insertItem(index, m_playlist.entryAt(index)->DisplayText, m_playlist.entryAt(index)->TextColor);
    });
    connect(&m_playlist, &Playlist::entryRemoved, PlayList, &TouchList::removeItem);
    connect(&m_playlist, &Playlist::entryMoved, PlayList, &TouchList::moveItem);
    connect(&m_playlist, &Playlist::entryColourChanged, PlayList,
            [this](int index) { PlayList->setItemColour(index, m_playlist.entryAt(index)->TextColor); });
    connect(&m_playlist, &Playlist::selectionChanged, PlayList, &TouchList::setSelectedIndex);
    connect(PlayList, &TouchList::selectionChanged, &m_playlist,
            [this](int, int current) { m_playlist.setSelectedIndex(current); });
}

bool TMediaFrame::repeatOn() const
{
    return PlaylistRepeatBtn->isChecked();
}

bool TMediaFrame::shuffleOn() const
{
    return PlaylistShuffleBtn->isChecked();
}

void TMediaFrame::setRepeatOn(bool on)
{
    if (repeatOn() != on)
        PlaylistRepeatBtn->click();
}

void TMediaFrame::setShuffleOn(bool on)
{
    if (shuffleOn() != on)
        PlaylistShuffleBtn->click();
}

void TMediaFrame::speak(const QString& text)
{
    m_feedback.Announce(text);
}

// ---------------------------------------------------------------- saved playlists

void TMediaFrame::OpenPlaylistBtnClick()
{
    if (std::optional<SavedPlaylists::Opened> opened = m_savedPlaylists.open(*m_chooser)) {
        m_playlist.replaceAll(opened->entries);
        m_nowPlaying.setPlaylistName(opened->name);
    }
}

void TMediaFrame::SavePlaylistBtnClick()
{
    const SavedPlaylists::Saved saved = m_savedPlaylists.save(m_playlist);
    if (saved.shown)
        NowPlayingDisplay->setText(*saved.shown);
    if (saved.name)
        m_nowPlaying.setPlaylistName(*saved.name);
}

// ---------------------------------------------------------------- editing

void TMediaFrame::NewPlaylistBtnClick()
{
    m_feedback.ClickAndSpeak(QStringLiteral("create new play list?"));
    if (!m_notices.AskYesNo(QStringLiteral("Create New Playlist?")))
        return;
    m_feedback.PlayUiSound(UiSound::Hover, LiveSetting::ClickSounds);
    m_playlist.clear();
    m_nowPlaying.emptyPlaylist();
    NowPlayingDisplay->setText(QStringLiteral("Playlist Cleared"));
}

void TMediaFrame::PlaylistTrackRemoveBtnClick()
{
    m_feedback.Click();
    const int index = m_playlist.selectedIndex();
    if (index < 0)
        return;
    speak(QStringLiteral("Remove item from play list?"));
    if (!m_notices.AskYesNo(QStringLiteral("Remove Item From Playlist?")))
        return;
    m_playlist.removeAt(index);
    NowPlayingDisplay->setText(QStringLiteral("Item Removed"));
    m_feedback.PlayUiSound(UiSound::Hover, LiveSetting::ClickSounds);
    m_playlist.setSelectedIndex(m_playlist.isEmpty() ? -1 : 0);
}

void TMediaFrame::PlaylistTrackUpBtnClick()
{
    const int index = m_playlist.selectedIndex();
    if (index < 0)
        return;
    if (index == 0) {
        m_feedback.PlayUiSound(UiSound::Error, LiveSetting::ClickSounds);
        NowPlayingDisplay->setText(QStringLiteral("Already Top!"));
        return;
    }
    m_feedback.Click();
    m_playlist.move(index, index - 1); // the selection follows the entry
    NowPlayingDisplay->setText(QStringLiteral("Track Moved Up"));
}

void TMediaFrame::PlaylistTrackDownBtnClick()
{
    const int index = m_playlist.selectedIndex();
    if (index < 0)
        return;
    if (index == m_playlist.count() - 1) {
        m_feedback.PlayUiSound(UiSound::Error, LiveSetting::ClickSounds);
        NowPlayingDisplay->setText(QStringLiteral("Already Bottom!"));
        return;
    }
    m_feedback.Click();
    m_playlist.move(index, index + 1); // the selection follows the entry
    NowPlayingDisplay->setText(QStringLiteral("Track Moved Down"));
}

void TMediaFrame::PlaylistTrackAddBtnClick()
{
    speak(QStringLiteral("add files to play list."));
    m_navigator.ShowScreen(Navigator::Files);
}

void TMediaFrame::reportModeChange(bool on, const QString& spokenOn, const QString& spokenOff, const QString& shownOn,
                                   const QString& shownOff)
{
    m_feedback.ClickAndSpeak(on ? spokenOn : spokenOff);
    NowPlayingDisplay->setText(on ? shownOn : shownOff);
}

void TMediaFrame::PlaylistRepeatBtnClick()
{
    reportModeChange(repeatOn(), QStringLiteral("repeat ON."), QStringLiteral("repeat OFF."),
                     QStringLiteral("Repeat On"), QStringLiteral("Repeat Off"));
}

void TMediaFrame::PlaylistShuffleBtnClick()
{
    reportModeChange(shuffleOn(), QStringLiteral("shuffle ON."), QStringLiteral("shuffle OFF."),
                     QStringLiteral("Shuffle On"), QStringLiteral("Shuffle Off"));
}

// ---------------------------------------------------------------- now playing and seeking

void TMediaFrame::ShowPlayerPosition(qint64 position, qint64 length, const QString& displayName)
{
    MediaTrackbar->setRange(0, double(length));
    MediaTrackbar->setStep(double(length / 10), 0);
    if (!m_trackbarDragging)
        MediaTrackbar->setPosition(double(position));
    MediaPosDisplay->setText(NowPlayingTexts::minutesAndSeconds(PosLabel, position));
    MediaLenDisplay->setText(NowPlayingTexts::minutesAndSeconds(LenLabel, length));
    NowPlayingDisplay->setText(displayName);
}

void TMediaFrame::ShowNoMedia()
{
    MediaPosDisplay->setText(NowPlayingTexts::noMinutesAndSeconds(PosLabel));
    MediaLenDisplay->setText(NowPlayingTexts::noMinutesAndSeconds(LenLabel));
    NowPlayingDisplay->setText(QStringLiteral("No Media"));
    MediaTrackbar->setPosition(0);
}

void TMediaFrame::PlayListDblClick()
{
    m_feedback.Click();
    m_nowPlaying.endOtherSource();
    m_player.close();
    emit playRequested();
}

bool TMediaFrame::AppendAndPlay(const QString& path)
{
    if (!m_playlist.append(path))
        return false;
    m_playlist.setSelectedIndex(m_playlist.count() - 1);
    PlayListDblClick();
    return true;
}

void TMediaFrame::NowPlayingDisplayClick()
{
    m_feedback.Click();
    MediaTrackbar->setFocus();
    MediaPlayer& player = m_player;
    if (!player.isOpen()) {
        m_feedback.PlayUiSound(UiSound::Error, LiveSetting::OtherSounds);
        NowPlayingDisplay->setText(QStringLiteral("No Media Open!"));
        return;
    }
    const QString details = NowPlayingTexts::details(player.fileName(), m_nowPlaying.info());
    m_feedback.Announce(QString());
    m_notices.ShowMessage(details);
}

bool TMediaFrame::eventFilter(QObject* watched, QEvent* event)
{
    // The three now-playing texts answer a tap; the press is taken so the release comes here.
    if (event->type() == QEvent::MouseButtonPress)
        return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (static_cast<QWidget*>(watched)->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
            NowPlayingDisplayClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TMediaFrame::MediaTrackbarMouseDown()
{
    m_trackbarDragging = true;
}

void TMediaFrame::MediaTrackbarMouseUp()
{
    MediaPlayer& player = m_player;
    if (m_nowPlaying.otherSource()) {
        // A phone's track cannot be moved from here: the next position update puts the
        // thumb back.
    } else if (player.isOpen()) {
        // Whole milliseconds, cut toward zero.
        player.setPosition(qint64(MediaTrackbar->position()));
        player.play();
    } else {
        emit playRequested();
    }
    m_trackbarDragging = false;
    emit seeked();
}

void TMediaFrame::SeekTo(qint64 ms)
{
    MediaTrackbarMouseDown();
    MediaTrackbar->setPosition(double(ms));
    MediaTrackbarMouseUp();
}
