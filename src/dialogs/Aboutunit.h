#pragma once
// The about dialog: the licence, a spoken thank-you and a link to the Karvex web site.
// Made for each showing and discarded afterwards.
#include <QDialog>

class QPlainTextEdit;
class Feedback;
class Notices;
class Shell;
class TabPager;
class TouchButton;
class TouchLabel;

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    TAboutForm(QWidget* owner, Feedback& feedback, Notices& notices, Shell& shell, const QString& programFolder,
               const QString& dataFolder);

    TouchLabel* AdvSmoothLabel5;
    TouchButton* VoiceHelpBtn;
    TouchButton* AdvSmoothButton1;
    TabPager* AdvSmoothTabPager1;
    QWidget* Tab1;
    TouchLabel* AdvSmoothLabel1;
    TouchLabel* Label4;
    QPlainTextEdit* LicenceDisplay;
    TouchLabel* VersionDisplay;
    // Where the settings and playlists are saved (beside the program, or the data folder
    // of an installed one).
    TouchLabel* DataFolderDisplay;
    TouchLabel* Label5;
    TouchButton* Image1;
    TouchLabel* SiteLink;

    void AdvSmoothButton1Click();
    void VoiceHelpBtnClick();
    void SiteLinkClick();

    // What the thank-you button says.
    static const QString ThankYou;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadLicence();
    Feedback& m_feedback;
    Notices& m_notices;
    Shell& m_shell;
    QString m_programFolder;
};
