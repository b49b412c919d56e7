#pragma once
// What a screen tells or asks the driver: the modeless notice, the yes/no prompt and the
// plain message box.
#include <QString>

class Feedback;
class MessageBox;
class QWidget;
class TMyError;
class TMyPrompt;

class Notices {
public:
    // Messages are shown over `window`.
    Notices(QWidget* window, MessageBox& messageBox, Feedback& feedback);

    // The notice and the prompt, once start-up has made them.
    void attach(TMyError* notice, TMyPrompt* prompt);

    // Shows `text` in the modeless notice, with the error sound, replacing any notice shown.
    void ShowErrorNotice(const QString& text);
    // Plain modal message box (save failures and the track details).
    void ShowMessage(const QString& text);
    // Modal yes/no question; true when confirmed.
    bool AskYesNo(const QString& question);

    // Nobody is there to answer (the program was told to end): a message goes to standard
    // error instead of waiting in a box for a tap.
    void setUnattended() { m_unattended = true; }

private:
    QWidget* m_window;
    MessageBox& m_messageBox;
    Feedback& m_feedback;
    TMyError* m_notice = nullptr;
    TMyPrompt* m_prompt = nullptr;
    bool m_unattended = false;
};
