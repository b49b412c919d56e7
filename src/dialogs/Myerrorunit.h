#pragma once
// The notice: a red-framed box that shows an error or hint and stays up, without
// blocking, until the driver closes it. A new notice replaces the one shown. It takes taps
// whatever else is open: a modal dialog blocks every window outside its own family, so the
// notice joins the family of the modal dialog on top whenever it is shown or blocked.
#include <QDialog>

class CaptionPanel;
class Feedback;
class TouchButton;
class TouchLabel;

class TMyError : public QDialog {
    Q_OBJECT
public:
    TMyError(QWidget* mainWindow, Feedback& feedback);

    // Centres the notice on the main window, sets its text and shows it.
    void showNotice(const QString& text);
    // The largest type, up to the notice's own size, in which `text` fits the notice whole.
    QFont noticeFont(const QString& text) const;

    // What the read-aloud button says for a notice: the heading and the blank line after
    // it are left out, and the first "(" and first ")" are dropped.
    static QString spokenText(const QString& notice);

    CaptionPanel* ErrorPanel;
    TouchLabel* ErrorText;
    TouchButton* CloseBtn;
    TouchButton* ReadMeBtn;

    void CloseBtnClick();
    void ReadMeBtnClick();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void joinTopModalDialog();

    QWidget* m_mainWindow;
    Feedback& m_feedback;
};
