#include "tags/Trackinfounit.h"

#include "shell/Mainunit.h"

TTrackInfoForm::TTrackInfoForm(TMainForm* mainForm)
    : QWidget(mainForm)
    , m_mainForm(mainForm)
{
    setObjectName(QStringLiteral("TTrackInfoForm"));
}
