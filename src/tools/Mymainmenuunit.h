#pragma once
// The system menu.
#include <QDialog>

class TMainForm;

class TMyMainMenu : public QDialog {
    Q_OBJECT
public:
    explicit TMyMainMenu(TMainForm* mainForm);

private:
    TMainForm* m_mainForm;
};
