#include "playback/Videoframeunit.h"

#include "platform/MediaPlayer.h"
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

TVideoFrame::TVideoFrame(QWidget* parent, MediaPlayer& player)
    : QWidget(parent)
    , m_player(player)
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
    m_player.setDisplayWindow(VideoOutput);
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
    m_player.setDisplayWindow(VideoOutput);
    m_player.setDisplayRect(QRect(0, 0, VideoOutput->width(), VideoOutput->height()));
}

void TVideoFrame::VideoOutputClick()
{
    ButtonPanel->resize(ButtonPanel->width(), ButtonPanel->height() == 0 ? StripHeight : 0);
    AttachPlayer();
}
