#pragma once
// The interface drawn below a scale of 1 (a panel smaller than 800 x 600, such as
// 800 x 480). Qt's painter draws nothing smaller than its own size however small the
// screen's scale, so the main window and every dialog shown over it are embedded in a
// scene that this full-screen view draws at the scale: every text and shape drawn at it,
// taps mapped back to the interface.
#include <QGraphicsView>
#include <QPointer>
#include <vector>

class QGraphicsProxyWidget;

class ScaledInterfaceView : public QGraphicsView {
public:
    // Embeds `mainWindow` and shows it at `scale`, centred on `screenArea`.
    ScaledInterfaceView(QWidget& mainWindow, double scale, const QRect& screenArea);
    ~ScaledInterfaceView() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // A dialog shown over the interface: put where it is at the interface's own size, over
    // what was shown before it, and modal as it is there.
    void showDialog(QWidget& dialog);
    // A modal dialog has closed: the one it was shown over is modal again.
    void handModalityBack();

    QWidget& m_mainWindow;
    QGraphicsScene m_scene;
    QGraphicsProxyWidget* m_interface = nullptr;
    qreal m_topmost = 0;
    std::vector<QPointer<QGraphicsProxyWidget>> m_modalDialogs; // the newest last
};
