#pragma once
// The track information panel: tags and album art of the track last started.
#include <QWidget>

class TMainForm;

class TTrackInfoForm : public QWidget {
    Q_OBJECT
public:
    explicit TTrackInfoForm(TMainForm* mainForm);

private:
    TMainForm* m_mainForm;
};
