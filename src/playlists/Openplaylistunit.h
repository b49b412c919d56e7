#pragma once
// The chooser of saved playlists.
#include <QDialog>

class TMainForm;

class TOpenPlaylistForm : public QDialog {
    Q_OBJECT
public:
    explicit TOpenPlaylistForm(TMainForm* mainForm);

private:
    TMainForm* m_mainForm;
};
