#include "home/Welcomeframeunit.h"

#include "shell/Mainunit.h"
#include "widgets/CaptionPanel.h"

#include <QTimer>

TWelcomeFrame::TWelcomeFrame(TMainForm* mainForm)
    : QWidget(mainForm)
    , m_mainForm(mainForm)
{
    setObjectName(QStringLiteral("TWelcomeFrame"));

    NowPlayingPanel = new CaptionPanel(QString(), this);
    NowPlayingPanel->setObjectName(QStringLiteral("NowPlayingPanel"));
    NowPlayingPanel->setGeometry(8, 470, 512, 118);

    SpeedGraphTimer = new QTimer(this);
    SpeedGraphTimer->setInterval(1000);
    TextScrollTimer = new QTimer(this);
    TextScrollTimer->setInterval(200);
}

void TWelcomeFrame::startTimers()
{
    SpeedGraphTimer->start();
    TextScrollTimer->start();
}
