#include "playlists/Openplaylistunit.h"

#include "shell/Mainunit.h"

TOpenPlaylistForm::TOpenPlaylistForm(TMainForm* mainForm)
    : QDialog(mainForm)
    , m_mainForm(mainForm)
{
    setObjectName(QStringLiteral("TOpenPlaylistForm"));
}
