#include "playlists/Filesframeunit.h"

#include "shell/Mainunit.h"

TFilesFrame::TFilesFrame(TMainForm* mainForm)
    : QWidget(mainForm)
    , m_mainForm(mainForm)
{
    setObjectName(QStringLiteral("TFilesFrame"));
}
