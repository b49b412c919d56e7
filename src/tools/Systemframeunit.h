#pragma once
// The vehicle tools screen: four remote switches for equipment behind a serial
// controller, the controller's port, and the service manual and OBDII launchers.
#include <QWidget>
#include <array>

class CaptionPanel;
class Feedback;
class Notices;
class SettingsAppliers;
class SettingsStore;
class Shell;
class TouchButton;
class TouchLabel;

class TSystemFrame : public QWidget {
    Q_OBJECT
public:
    TSystemFrame(QWidget* parent, const SettingsStore& settings, SettingsAppliers& appliers, Feedback& feedback,
                 Notices& notices, Shell& shell);

    // Says whether a service manual or OBDII path is set (toolsConfigured), so that a driver
    // who has set up a launcher can reach this screen.
    void updateToolsButton();

    CaptionPanel* Panel1;
    TouchLabel* SOCLabel1;
    TouchLabel* SOCLabel2;
    TouchLabel* SOCLabel3;
    TouchLabel* SOCLabel4;
    TouchButton* SocSwitch1;
    TouchButton* SocSwitch2;
    TouchButton* SocSwitch3;
    TouchButton* SocSwitch4;
    TouchLabel* SOCInfoBox;
    CaptionPanel* Image1;
    TouchButton* CarManualBtn;
    TouchButton* ObdiiBtn;

    // The switches only acknowledge a press: nothing is sent to the controller.
    void SocSwitch1Click();
    void SocSwitch2Click();
    void SocSwitch3Click();
    void SocSwitch4Click();
    void CarManualBtnClick();
    void ObdiiBtnClick();

signals:
    // The navigation button to this screen should show (`configured`) or hide.
    void toolsConfigured(bool configured);

private:
    // The switch captions, the port line and ToolsBtn, from the settings loaded at start-up.
    void applySettings(const SettingsStore& settings);
    void acknowledgeSwitch();

    const SettingsStore& m_settings;
    Feedback& m_feedback;
    Notices& m_notices;
    Shell& m_shell;
};
