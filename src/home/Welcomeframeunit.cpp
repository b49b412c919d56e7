#include "home/Welcomeframeunit.h"

#include "playback/NowPlayingTexts.h"
#include "playlists/Mediaframeunit.h"
#include "shell/Mainunit.h"
#include "widgets/CaptionPanel.h"
#include "widgets/TouchLabel.h"
#include "widgets/TrackBar.h"

#include <QTimer>

TWelcomeFrame::TWelcomeFrame(TMainForm* mainForm)
    : QWidget(mainForm)
    , m_mainForm(mainForm)
{
    setObjectName(QStringLiteral("TWelcomeFrame"));

    NowPlayingPanel = new CaptionPanel(QString(), this);
    NowPlayingPanel->setObjectName(QStringLiteral("NowPlayingPanel"));
    NowPlayingPanel->setGeometry(8, 470, 512, 118);

    NowPlayingStatus = new TouchLabel(QStringLiteral("Karvex Mobile Media"), NowPlayingPanel);
    NowPlayingStatus->setObjectName(QStringLiteral("NowPlayingStatus"));
    NowPlayingStatus->setGeometry(10, 28, 440, 38);
    NowPlayingStatus->setFontPixelSize(22, true);
    NowPlayingStatus->setTextFormat(Qt::PlainText);

    NowPlayingProgress = new ProgressBar(NowPlayingPanel);
    NowPlayingProgress->setObjectName(QStringLiteral("NowPlayingProgress"));
    NowPlayingProgress->setGeometry(10, 74, 440, 30);
    NowPlayingProgress->setFormat(QStringLiteral("%.0f%%"));

    SpeedGraphTimer = new QTimer(this);
    SpeedGraphTimer->setInterval(1000);
    TextScrollTimer = new QTimer(this);
    TextScrollTimer->setInterval(200);

    connect(SpeedGraphTimer, &QTimer::timeout, this, &TWelcomeFrame::SpeedGraphTimerTimer);
}

void TWelcomeFrame::startTimers()
{
    SpeedGraphTimer->start();
    TextScrollTimer->start();
}

void TWelcomeFrame::SetNowPlayingText(const QString& text)
{
    NowPlayingStatus->setToolTip(text);
    NowPlayingStatus->setText(text);
}

void TWelcomeFrame::SpeedGraphTimerTimer()
{
    if (UpdateMediaDisplays()) {
        AdvanceAtEndOfTrack();
        return; // the speed and heading displays wait for the next tick
    }
}

bool TWelcomeFrame::UpdateMediaDisplays()
{
    MediaPlayer& player = m_mainForm->MediaPlayer1();
    TMediaFrame& media = *m_mainForm->MediaFrame1;
    if (!player.isOpen()) {
        media.ShowNoMedia();
        NowPlayingStatus->setToolTip(QStringLiteral("No Media Selected   "));
        NowPlayingProgress->setPosition(0);
        return false;
    }
    const qint64 length = player.length();
    const qint64 position = player.position();
    const QString name = NowPlayingTexts::displayName(player.fileName());
    NowPlayingProgress->setRange(0, double(length));
    NowPlayingProgress->setPosition(double(position));
    media.ShowPlayerPosition(position, length, name);
    NowPlayingStatus->setToolTip(name);
    return length == position;
}

void TWelcomeFrame::AdvanceAtEndOfTrack()
{
    TMediaFrame& media = *m_mainForm->MediaFrame1;
    Playlist& playlist = media.playlist();
    if (media.repeatOn()) {
        MediaPlayer& player = m_mainForm->MediaPlayer1();
        player.setPosition(player.start());
    } else if (media.shuffleOn()) {
        playlist.setSelectedIndex(m_shuffle.next(playlist.count()));
    } else {
        playlist.selectNext();
    }
    if (playlist.selectedIndex() >= 0)
        m_mainForm->PlayBtnClick();
}
