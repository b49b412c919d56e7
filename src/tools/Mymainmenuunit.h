#pragma once
// The system menu: the desktop's file manager, the about dialog, running a program or a
// typed command, restart, power off, minimise and exit. Made once at start-up and shown
// modally by the main window's System button.
#include <QDialog>

class CaptionPanel;
class Feedback;
class Notices;
struct Services;
class TouchButton;
class TouchLabel;

class TMyMainMenu : public QDialog {
    Q_OBJECT
public:
    TMyMainMenu(QWidget* mainWindow, Services& services, Feedback& feedback, Notices& notices);

    CaptionPanel* MenuPanel;
    TouchLabel* AdvSmoothLabel5;
    TouchButton* DoneBtn;
    TouchButton* AdvSmoothButton1;
    TouchButton* AdvSmoothButton2;
    TouchButton* AdvSmoothButton3;
    TouchButton* AdvSmoothButton4;
    TouchButton* RestartBtn;
    TouchButton* PowerOffBtn;
    TouchButton* MinimiseBtn;
    TouchButton* ExitBtn;
    TouchButton* PhoneBtn;

    void ExitBtnClick();
    // What EXIT does once confirmed: closes the player and the main window, so the
    // settings are saved and the program ends.
    void ExitProgram();
    void MinimiseBtnClick();
    void RestartBtnClick();
    void PowerOffBtnClick();
    // Manage Files.
    void AdvSmoothButton1Click();
    // About Karvex.
    void AdvSmoothButton2Click();
    // Run Program.
    void AdvSmoothButton3Click();
    // Run Command.
    void AdvSmoothButton4Click();
    void DoneBtnClick();
    void PhoneBtnClick();

signals:
    // The phones' dialog is wanted.
    void phonesRequested();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    enum class Shutdown { Restart, PowerOff };
    void shutDown(Shutdown kind);
    // Ends the menu's modal run and lets the screen repaint without it.
    void hideMenu();
    void click();

    QWidget* m_mainWindow;
    Services& m_services;
    Feedback& m_feedback;
    Notices& m_notices;
};
