#include "playlists/Mediaframeunit.h"

#include "shell/Mainunit.h"

TMediaFrame::TMediaFrame(TMainForm* mainForm)
    : QWidget(mainForm)
    , m_mainForm(mainForm)
{
    setObjectName(QStringLiteral("TMediaFrame"));
}
