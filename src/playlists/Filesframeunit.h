#pragma once
// The media file browser.
#include <QWidget>

class TMainForm;

class TFilesFrame : public QWidget {
    Q_OBJECT
public:
    explicit TFilesFrame(TMainForm* mainForm);

private:
    TMainForm* m_mainForm;
};
