#pragma once
// The playlist and now-playing screen.
#include <QWidget>

class TMainForm;

class TMediaFrame : public QWidget {
    Q_OBJECT
public:
    explicit TMediaFrame(TMainForm* mainForm);

private:
    TMainForm* m_mainForm;
};
