#pragma once
// The phones: makes the car PC visible to phones for two minutes under a name of the
// driver's choosing, lists the paired phones, connects one and forgets one. A phone asking
// to pair is confirmed here with the code both show, through the yes/no prompt. Opened
// from the system menu; made once at start-up, the Bluetooth it shows comes after the
// first paint.
#include <QDialog>

class Bluetooth;
class CaptionPanel;
class Feedback;
class Notices;
class SettingsStore;
class TouchButton;
class TouchLabel;
class TouchList;

class TPhoneForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int VisibleSeconds = 120;
    // Names and codes longer than this are cut on the screen and in speech.
    static constexpr int ShownNameLength = 40;

    TPhoneForm(QWidget* mainWindow, Feedback& feedback, Notices& notices, SettingsStore& settings);

    void attach(Bluetooth& bluetooth);
    // The name phones see.
    QString visibleName() const;
    // Shows the dialog modally over the main window.
    void open();

    CaptionPanel* PhonePanel;
    TouchLabel* Heading;
    TouchButton* DoneBtn;
    TouchLabel* StatusDisplay;
    TouchList* PhoneList;
    TouchButton* VisibleBtn;
    TouchButton* NameBtn;
    TouchButton* ConnectBtn;
    TouchButton* ForgetBtn;

    void VisibleBtnClick();
    void NameBtnClick();
    void ConnectBtnClick();
    void ForgetBtnClick();
    void DoneBtnClick();
    // A phone asks to pair, showing `passkey`.
    void ConfirmPairing(const QString& phoneName, quint32 passkey);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showPhones();
    void showStatus(const QString& text);
    // The id of the chosen phone; empty when none is chosen.
    QString chosenPhone() const;

    QWidget* m_mainWindow;
    Feedback& m_feedback;
    Notices& m_notices;
    SettingsStore& m_settings;
    Bluetooth* m_bluetooth = nullptr;
    QStringList m_phoneIds;
};
