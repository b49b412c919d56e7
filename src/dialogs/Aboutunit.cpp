#include "dialogs/Aboutunit.h"

#include "platform/TextFile.h"
#include "app/Feedback.h"
#include "dialogs/LicenceText.h"
#include "dialogs/Notices.h"
#include "platform/Shell.h"
#include "widgets/CaptionPanel.h"
#include "widgets/TabPager.h"
#include "widgets/Placement.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"

#include <QDir>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>

const QString TAboutForm::ThankYou = QStringLiteral(
    "thank you for using kar vex.. "
    "Please support the Karvex project, so that it keeps receiving future updates and enhancements. "
    "To find out more, visit w w w dot karvex dot org.");

TAboutForm::TAboutForm(QWidget* owner, Feedback& feedback, Notices& notices, Shell& shell, const QString& programFolder,
                       const QString& dataFolder)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
    , m_feedback(feedback)
    , m_notices(notices)
    , m_shell(shell)
    , m_programFolder(programFolder)
{
    setObjectName(QStringLiteral("TAboutForm"));
    setModal(true);
    setFixedSize(596, 480);
    setWindowOpacity(240.0 / 255.0);
    centreOnWindow(*this, *owner);

    auto* panel = new CaptionPanel(QString(), this);
    panel->setGeometry(10, 10, 576, 460);
    panel->setFillColour(Qt::white);
    panel->setBorder(QColor(), 0);
    panel->setCornerRadius(0);

    AdvSmoothLabel5 = placeLabel(panel, "AdvSmoothLabel5", QStringLiteral("ABOUT KARVEX"), {14, 6, 380, 56}, 40, true);
    AdvSmoothLabel5->setTextColour(Qt::black);
    VoiceHelpBtn = placeButton(panel, "VoiceHelpBtn", QString(), {414, 6, 72, 58}, 21, Glyph::ReadAloud);
    AdvSmoothButton1 = placeButton(panel, "AdvSmoothButton1", QString(), {496, 6, 72, 58}, 21, Glyph::Done);

    AdvSmoothTabPager1 = new TabPager(panel);
    AdvSmoothTabPager1->setObjectName(QStringLiteral("AdvSmoothTabPager1"));
    AdvSmoothTabPager1->setGeometry(8, 70, 560, 382);
    AdvSmoothTabPager1->setTabHeight(50);

    Tab1 = AdvSmoothTabPager1->addPage(QStringLiteral("About  "));
    Tab1->setObjectName(QStringLiteral("Tab1"));
    AdvSmoothLabel1 = placeLabel(Tab1, "AdvSmoothLabel1", QStringLiteral("Karvex"), {16, 6, 250, 52}, 40, true);
    Label4 = placeLabel(Tab1, "Label4", QStringLiteral("Media On The Move"), {270, 18, 270, 32}, 20, false);
    LicenceDisplay = new QPlainTextEdit(Tab1);
    LicenceDisplay->setObjectName(QStringLiteral("LicenceDisplay"));
    LicenceDisplay->setGeometry(16, 64, 528, 200);
    LicenceDisplay->setReadOnly(true);
    LicenceDisplay->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    LicenceDisplay->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QFont licenceFont = LicenceDisplay->font();
    licenceFont.setPixelSize(16);
    LicenceDisplay->setFont(licenceFont);
    VersionDisplay = placeLabel(Tab1, "VersionDisplay", QStringLiteral("Version 1.0 beta"), {16, 268, 300, 26}, 18, false);
    DataFolderDisplay = placeLabel(Tab1, "DataFolderDisplay",
                                   QStringLiteral("Settings and playlists are saved in ") + dataFolder,
                                   {16, 294, 528, 22}, 14, false);
    DataFolderDisplay->setElideMiddle(true);

    QWidget* webPage = AdvSmoothTabPager1->addPage(QStringLiteral("Web Site  "));
    Label5 = placeLabel(webPage, "Label5", QStringLiteral("For more information visit our web site:"), {16, 20, 528, 32}, 20, false);
    Image1 = new TouchButton(QStringLiteral("KARVEX"), webPage);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(16, 70, 160, 47);
    Image1->setGlyph(Glyph::Globe);
    SiteLink = placeLabel(webPage, "SiteLink", QStringLiteral("https://www.karvex.org"), {16, 136, 528, 40}, 24, true);
    SiteLink->setTextColour(QColor(0, 0, 255));
    QFont linkFont = SiteLink->font();
    linkFont.setUnderline(true);
    SiteLink->setFont(linkFont);
    SiteLink->setCursor(Qt::PointingHandCursor);
    SiteLink->installEventFilter(this);

    loadLicence();
    AdvSmoothTabPager1->setCurrentIndex(0);

    connect(AdvSmoothButton1, &QAbstractButton::clicked, this, &TAboutForm::AdvSmoothButton1Click);
    connect(VoiceHelpBtn, &QAbstractButton::clicked, this, &TAboutForm::VoiceHelpBtnClick);
    connect(Image1, &QAbstractButton::clicked, this, &TAboutForm::SiteLinkClick);
}

void TAboutForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 255));
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == SiteLink && event->type() == QEvent::MouseButtonRelease) {
        SiteLinkClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutForm::loadLicence()
{
    const std::optional<QStringList> lines =
        TextFile::readLines(QDir(m_programFolder).filePath(QStringLiteral("licence.txt")));
    if (lines)
        LicenceDisplay->setPlainText(LicenceText::forDisplay(*lines));
}

void TAboutForm::AdvSmoothButton1Click()
{
    m_feedback.Click();
    accept();
}

void TAboutForm::VoiceHelpBtnClick()
{
    m_feedback.Click();
    m_feedback.SpeakText(ThankYou);
}

void TAboutForm::SiteLinkClick()
{
    m_feedback.Click();
    // The about box may be gone when the opener's outcome arrives; the notices are not.
    m_shell.open(SiteLink->text(), [&notices = m_notices](bool opened) {
        if (!opened)
            notices.ShowErrorNotice(QStringLiteral("OPEN ERROR\n\nError Loading Web Browser. Default browser configured?"));
    });
}
