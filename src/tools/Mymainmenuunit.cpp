#include "tools/Mymainmenuunit.h"

#include "shell/Mainunit.h"

TMyMainMenu::TMyMainMenu(TMainForm* mainForm)
    : QDialog(mainForm)
    , m_mainForm(mainForm)
{
    setObjectName(QStringLiteral("TMyMainMenu"));
}
