#include "playback/Videoframeunit.h"

#include "config/Settingsunit.h"
#include "shell/Mainunit.h"
#include "widgets/CaptionPanel.h"
#include "widgets/WidgetPainting.h"

#include <QMouseEvent>
#include <QPainter>

VideoSurface::VideoSurface(QWidget* parent)
    : QWidget(parent)
{
    // The player draws into this widget's own window; its parents stay plain widgets.
    setAttribute(Qt::WA_DontCreateNativeAncestors);
    setMinimumSize(200, 100);
}

void VideoSurface::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.setPen(Qt::white);
    p.setFont(WidgetPainting::touchFont(19, true));
    p.drawText(rect(), Qt::AlignCenter, QStringLiteral("No Video Playing."));
}

void VideoSurface::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

TVideoFrame::TVideoFrame(TMainForm* mainForm)
    : QWidget(mainForm)
    , m_mainForm(mainForm)
{
    setObjectName(QStringLiteral("TVideoFrame"));

    ButtonPanel = new CaptionPanel(QString(), this);
    ButtonPanel->setObjectName(QStringLiteral("ButtonPanel"));
    ButtonPanel->setCornerRadius(0);
    ButtonPanel->resize(0, 0); // the strip starts closed
    ApplyColourMode(false);

    VideoOutput = new VideoSurface(this);
    VideoOutput->setObjectName(QStringLiteral("VideoOutput"));

    connect(VideoOutput, &VideoSurface::clicked, this, &TVideoFrame::VideoOutputClick);
    m_mainForm->MediaPlayer1().setDisplayWindow(VideoOutput);
}

void TVideoFrame::layoutPanels()
{
    const int strip = ButtonPanel->height();
    ButtonPanel->setGeometry(0, 0, width(), strip);
    VideoOutput->setGeometry(0, strip, width(), height() - strip);
}

void TVideoFrame::resizeEvent(QResizeEvent* event)
{
    layoutPanels();
    QWidget::resizeEvent(event);
}

void TVideoFrame::showEvent(QShowEvent* event)
{
    // The options screen is built after this screen; from the first showing on the strip
    // follows its colour mode.
    if (!m_followsColourMode && m_mainForm->SettingsForm) {
        m_followsColourMode = true;
        connect(m_mainForm->SettingsForm, &TSettingsForm::colourModeChanged, this, &TVideoFrame::ApplyColourMode);
        ApplyColourMode(m_mainForm->liveSetting(LiveSetting::DayColours));
    }
    QWidget::showEvent(event);
}

void TVideoFrame::ApplyColourMode(bool daylight)
{
    ButtonPanel->setFillColour(daylight ? Qt::white : Qt::black);
    const QColor text = daylight ? QColor(Qt::black) : QColor(192, 192, 192);
    ButtonPanel->setCaptionColour(text);
    ButtonPanel->setBorder(text, 1);
}

void TVideoFrame::AttachPlayer()
{
    // A hidden screen gets no resize events, so its panels may not have their sizes yet.
    layoutPanels();
    MediaPlayer& player = m_mainForm->MediaPlayer1();
    player.setDisplayWindow(VideoOutput);
    player.setDisplayRect(QRect(0, 0, VideoOutput->width(), VideoOutput->height()));
}

void TVideoFrame::VideoOutputClick()
{
    ButtonPanel->resize(ButtonPanel->width(), ButtonPanel->height() == 0 ? StripHeight : 0);
    AttachPlayer();
}
