#pragma once
// The vehicle tools screen: remote switches and the service manual and OBDII launchers.
#include <QWidget>

class TMainForm;

class TSystemFrame : public QWidget {
    Q_OBJECT
public:
    explicit TSystemFrame(TMainForm* mainForm);

private:
    TMainForm* m_mainForm;
};
