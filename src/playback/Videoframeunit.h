#pragma once
// The video output screen.
#include <QWidget>

class TMainForm;

class TVideoFrame : public QWidget {
    Q_OBJECT
public:
    explicit TVideoFrame(TMainForm* mainForm);

private:
    TMainForm* m_mainForm;
};
