#include "shell/ScaledInterfaceView.h"

#include "config/ScreenFit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGraphicsProxyWidget>
#include <QTimer>

#include <algorithm>

ScaledInterfaceView::ScaledInterfaceView(QWidget& mainWindow, double scale, const QRect& screenArea)
    : m_mainWindow(mainWindow)
{
    setWindowFlags(Qt::FramelessWindowHint);
    setWindowTitle(mainWindow.windowTitle());
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setBackgroundBrush(Qt::black);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    m_scene.setSceneRect(QRectF(QPointF(), QSizeF(ScreenFit::InterfaceSize)));
    setScene(&m_scene);
    m_interface = m_scene.addWidget(&mainWindow);
    m_interface->setPos(0, 0);
    setTransform(QTransform::fromScale(scale, scale));
    setAlignment(Qt::AlignCenter);
    setGeometry(screenArea);
    // Dialogs shown over the main window are embedded with it as they are shown.
    qApp->installEventFilter(this);
    show();
}

ScaledInterfaceView::~ScaledInterfaceView()
{
    qApp->removeEventFilter(this);
    // The main window outlives the view: it is handed back before the scene goes.
    if (m_interface)
        m_interface->setWidget(nullptr);
}

bool ScaledInterfaceView::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::WindowStateChange && watched == &m_mainWindow
        && m_mainWindow.windowState().testFlag(Qt::WindowMinimized)) {
        // MINIMISE minimises the window that shows the interface.
        m_mainWindow.setWindowState(m_mainWindow.windowState() & ~Qt::WindowMinimized);
        showMinimized();
        return false;
    }
    if ((type != QEvent::Show && type != QEvent::Hide) || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget == &m_mainWindow) {
        if (type == QEvent::Hide)
            close();
    } else if (widget->isWindow() && widget != this) {
        if (type == QEvent::Show && widget->graphicsProxyWidget())
            showDialog(*widget);
        else if (type == QEvent::Hide)
            QTimer::singleShot(0, this, &ScaledInterfaceView::handModalityBack); // its proxy goes first
    }
    return false;
}

void ScaledInterfaceView::showDialog(QWidget& dialog)
{
    if (!dialog.testAttribute(Qt::WA_Moved)) {
        // Where Qt places a dialog on a screen of the interface's size: centred on its
        // parent's window, 10 pixels left and 40 up (room it leaves for a title bar). Qt's
        // own placement, which the move keeps from running, knows nothing of the scale.
        const QWidget& window = *dialog.parentWidget()->window();
        dialog.move(window.mapToGlobal(window.rect().center() - dialog.rect().center() - QPoint(10, 40)));
    }
    // Opaque, as windows are on the car's screen, where nothing composes them.
    dialog.setWindowOpacity(1);
    QGraphicsProxyWidget* proxy = dialog.graphicsProxyWidget();
    proxy->setZValue(++m_topmost);
    if (dialog.isModal()) {
        // Only the newest modal dialog is modal in the scene: two would block each other.
        if (!m_modalDialogs.empty() && m_modalDialogs.back())
            m_modalDialogs.back()->setPanelModality(QGraphicsItem::NonModal);
        m_modalDialogs.emplace_back(proxy);
        proxy->setFlag(QGraphicsItem::ItemIsPanel);
        proxy->setPanelModality(QGraphicsItem::SceneModal);
        m_scene.setActivePanel(proxy);
    }
}

void ScaledInterfaceView::handModalityBack()
{
    const auto gone = [](const QPointer<QGraphicsProxyWidget>& proxy) {
        return !proxy || !proxy->widget() || !proxy->widget()->isVisible();
    };
    m_modalDialogs.erase(std::remove_if(m_modalDialogs.begin(), m_modalDialogs.end(), gone), m_modalDialogs.end());
    if (!m_modalDialogs.empty()) {
        m_modalDialogs.back()->setPanelModality(QGraphicsItem::SceneModal);
        m_scene.setActivePanel(m_modalDialogs.back());
    }
}

void ScaledInterfaceView::closeEvent(QCloseEvent* event)
{
    // The window manager's close (or x11_close) closes the interface, which saves.
    if (m_mainWindow.isVisible() && !m_mainWindow.close())
        event->ignore();
    else
        event->accept();
}
