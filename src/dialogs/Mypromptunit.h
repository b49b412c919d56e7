#pragma once
// The yes/no prompt through which screens ask the driver to confirm an action.
#include <QDialog>

class CaptionPanel;
class Feedback;
class TouchButton;
class TouchLabel;

class TMyPrompt : public QDialog {
    Q_OBJECT
public:
    enum ModalResult { Ok = 1, Cancel = 2 };

    TMyPrompt(QWidget* mainWindow, Feedback& feedback);

    // Shows `question` modally; true when the driver confirmed with Ok.
    bool ask(const QString& question);

    CaptionPanel* MainPanel;
    TouchLabel* PromptDisp;
    TouchButton* OkBtn;
    TouchButton* CancelBtn;
    TouchButton* ReadMeBtn;

    void OkBtnClick();
    void CancelBtnClick();
    void ReadMeBtnClick();

private:
    void closeWith(ModalResult result);
    QWidget* m_mainWindow;
    Feedback& m_feedback;
};
