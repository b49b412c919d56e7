#pragma once
// The video output screen: the surface the media player draws the picture on, with a
// strip at the top that a tap on the picture opens and closes.
#include <QPointer>
#include <QWidget>

class CaptionPanel;
class MediaPlayer;
class StandInSurface;

// The black surface the player draws video into; says so while there is none.
class VideoSurface : public QWidget {
    Q_OBJECT
public:
    explicit VideoSurface(QWidget* parent = nullptr);

    // The window the player draws into: this widget's own; or, where the interface is
    // embedded in a view that draws it scaled (a panel smaller than the interface), a window
    // of that view kept over this widget's place and tapped for it.
    QWidget* displayWindow();

signals:
    void clicked();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPointer<StandInSurface> m_standIn; // goes with the view at the end
};

class TVideoFrame : public QWidget {
    Q_OBJECT
public:
    static constexpr int StripHeight = 49;

    TVideoFrame(QWidget* parent, MediaPlayer& player);

    // Makes VideoOutput's display window the player's, with the picture scaled to its size.
    void AttachPlayer();
    // Strip colours: white with black text by day, black with silver text by night.
    void ApplyColourMode(bool daylight);

    CaptionPanel* ButtonPanel;
    VideoSurface* VideoOutput;

    // Opens or closes the strip and rescales the picture.
    void VideoOutputClick();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutPanels();
    MediaPlayer& m_player;
};
