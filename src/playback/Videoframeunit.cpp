#include "playback/Videoframeunit.h"

#include "shell/Mainunit.h"

TVideoFrame::TVideoFrame(TMainForm* mainForm)
    : QWidget(mainForm)
    , m_mainForm(mainForm)
{
    setObjectName(QStringLiteral("TVideoFrame"));
}
