#include "tools/Systemframeunit.h"

#include "shell/Mainunit.h"

TSystemFrame::TSystemFrame(TMainForm* mainForm)
    : QWidget(mainForm)
    , m_mainForm(mainForm)
{
    setObjectName(QStringLiteral("TSystemFrame"));
}
