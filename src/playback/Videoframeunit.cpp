#include "playback/Videoframeunit.h"

#include "platform/MediaPlayer.h"
#include "widgets/CaptionPanel.h"
#include "widgets/WidgetPainting.h"

#include <QApplication>
#include <QGraphicsProxyWidget>
#include <QGraphicsView>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>

VideoSurface::VideoSurface(QWidget* parent)
    : QWidget(parent)
{
    // The player draws into this widget's own window; its parents stay plain widgets.
    setAttribute(Qt::WA_DontCreateNativeAncestors);
    setMinimumSize(200, 100);
}

namespace {

// What the surface shows while the player draws nothing, at `scale` in `painter`.
void paintNoVideo(QPainter& painter, QSize size, qreal scale)
{
    painter.fillRect(QRect(QPoint(), size), Qt::black);
    painter.scale(scale, scale);
    painter.setPen(Qt::white);
    painter.setFont(WidgetPainting::touchFont(19, true));
    painter.drawText(QRectF(QPointF(), QSizeF(size) / scale), Qt::AlignCenter, QStringLiteral("No Video Playing."));
}

} // namespace

// The surface's window on a scaled view: kept over the surface's place on the screen,
// drawn as the surface is, at the view's scale, and tapped as the surface is. The picture
// the player draws into it would cover a dialog drawn in the view, so it hides while one
// is shown.
class StandInSurface : public QWidget {
public:
    StandInSurface(QGraphicsView& view, VideoSurface& surface)
        : QWidget(view.viewport())
        , m_view(view)
        , m_surface(surface)
    {
        setAttribute(Qt::WA_NativeWindow);
        setAttribute(Qt::WA_OpaquePaintEvent);
        qApp->installEventFilter(this);
    }

    void follow()
    {
        const QGraphicsProxyWidget* proxy = m_surface.window()->graphicsProxyWidget();
        if (!proxy)
            return;
        const QRectF inScene = proxy->mapRectToScene(QRectF(m_surface.mapTo(m_surface.window(), QPoint()), QSizeF(m_surface.size())));
        setGeometry(m_view.mapFromScene(inScene).boundingRect());
        const bool shown = m_surface.isVisible() && !dialogShown();
        if (shown != isVisible()) {
            setVisible(shown);
            // Where it was, the view draws the interface again (X leaves its pixels behind).
            m_view.viewport()->update(geometry());
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if ((type == QEvent::Show || type == QEvent::Hide) && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->isWindow())
            QTimer::singleShot(0, this, &StandInSurface::follow); // once the dialog's proxy has followed
        return false;
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        paintNoVideo(p, size(), m_view.transform().m11());
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            emit m_surface.clicked();
    }

private:
    bool dialogShown() const
    {
        const QGraphicsItem* interface = m_surface.window()->graphicsProxyWidget();
        const QList<QGraphicsItem*> items = m_view.scene()->items();
        return std::any_of(items.begin(), items.end(), [interface](const QGraphicsItem* item) {
            const auto* proxy = qgraphicsitem_cast<const QGraphicsProxyWidget*>(item);
            return proxy && proxy != interface && proxy->widget() && proxy->widget()->isVisible();
        });
    }

    QGraphicsView& m_view;
    VideoSurface& m_surface;
};

QWidget* VideoSurface::displayWindow()
{
    const QGraphicsProxyWidget* proxy = window()->graphicsProxyWidget();
    if (!proxy || proxy->scene()->views().isEmpty())
        return this;
    if (!m_standIn) {
        m_standIn = new StandInSurface(*proxy->scene()->views().constFirst(), *this);
        m_standIn->follow();
    }
    return m_standIn;
}

bool VideoSurface::event(QEvent* event)
{
    const QEvent::Type type = event->type();
    if (m_standIn && (type == QEvent::Show || type == QEvent::Hide || type == QEvent::Move || type == QEvent::Resize))
        m_standIn->follow();
    return QWidget::event(event);
}

void VideoSurface::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paintNoVideo(p, size(), 1);
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
    // The player needs its window before it opens a file. It is asked for once the
    // interface is shown: the window depends on how it is shown (on a small panel, in a
    // scaled view).
    QTimer::singleShot(0, this, [this] { m_player.setDisplayWindow(VideoOutput->displayWindow()); });
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
    QWidget* window = VideoOutput->displayWindow();
    m_player.setDisplayWindow(window);
    m_player.setDisplayRect(window->rect());
}

void TVideoFrame::VideoOutputClick()
{
    ButtonPanel->resize(ButtonPanel->width(), ButtonPanel->height() == 0 ? StripHeight : 0);
    AttachPlayer();
}
