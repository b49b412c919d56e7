#include "tools/Systemframeunit.h"

#include "app/Feedback.h"
#include "config/SettingsAppliers.h"
#include "dialogs/Notices.h"
#include "tools/Launcher.h"
#include "widgets/CaptionPanel.h"
#include "widgets/Placement.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"

namespace {

const QString ControllerLine = QStringLiteral("Seriel Controller: ");

TouchLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect place, const QColor& colour)
{
    TouchLabel* label = placeLabel(parent, name, text, place, 24, true);
    label->setTextColour(colour);
    return label;
}

TouchButton* makeSwitch(QWidget* parent, const char* name, QPoint place)
{
    return placeButton(parent, name, QStringLiteral("OFF"), QRect(place, QSize(200, 54)), 32, Glyph::Power);
}

TouchButton* makeLauncher(QWidget* parent, const char* name, Glyph glyph, QPoint place)
{
    return placeButton(parent, name, QString(), QRect(place, QSize(54, 54)), 21, glyph);
}

} // namespace

TSystemFrame::TSystemFrame(QWidget* parent, const SettingsStore& settings, SettingsAppliers& appliers, Feedback& feedback,
                           Notices& notices, Shell& shell)
    : QWidget(parent)
    , m_settings(settings)
    , m_feedback(feedback)
    , m_notices(notices)
    , m_shell(shell)
{
    setObjectName(QStringLiteral("TSystemFrame"));
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    Panel1 = new CaptionPanel(QString(), this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(1, 5, 522, 585);
    Panel1->setFillColour(Qt::black);

    SOCLabel1 = makeLabel(Panel1, "SOCLabel1", QStringLiteral("Switch 1"), {24, 32, 200, 32}, Qt::white);
    SOCLabel2 = makeLabel(Panel1, "SOCLabel2", QStringLiteral("Switch 2"), {289, 32, 200, 32}, Qt::white);
    SOCLabel3 = makeLabel(Panel1, "SOCLabel3", QStringLiteral("Switch 3"), {24, 152, 200, 32}, Qt::white);
    SOCLabel4 = makeLabel(Panel1, "SOCLabel4", QStringLiteral("Switch 4"), {289, 152, 200, 32}, Qt::white);
    SocSwitch1 = makeSwitch(Panel1, "SocSwitch1", {24, 67});
    SocSwitch2 = makeSwitch(Panel1, "SocSwitch2", {289, 67});
    SocSwitch3 = makeSwitch(Panel1, "SocSwitch3", {24, 187});
    SocSwitch4 = makeSwitch(Panel1, "SocSwitch4", {289, 187});
    SOCInfoBox = makeLabel(Panel1, "SOCInfoBox", ControllerLine, {24, 264, 454, 32}, QColor(192, 192, 192));

    Image1 = new CaptionPanel(QStringLiteral(" Service Manual and OBDII Diagnostics"), Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(24, 319, 465, 241);
    Image1->setCaptionFontPixelSize(18);
    ObdiiBtn = makeLauncher(Image1, "ObdiiBtn", Glyph::Launch, {110, 110});
    CarManualBtn = makeLauncher(Image1, "CarManualBtn", Glyph::Info, {301, 110});

    connect(SocSwitch1, &QAbstractButton::clicked, this, &TSystemFrame::SocSwitch1Click);
    connect(SocSwitch2, &QAbstractButton::clicked, this, &TSystemFrame::SocSwitch2Click);
    connect(SocSwitch3, &QAbstractButton::clicked, this, &TSystemFrame::SocSwitch3Click);
    connect(SocSwitch4, &QAbstractButton::clicked, this, &TSystemFrame::SocSwitch4Click);
    connect(CarManualBtn, &QAbstractButton::clicked, this, &TSystemFrame::CarManualBtnClick);
    connect(ObdiiBtn, &QAbstractButton::clicked, this, &TSystemFrame::ObdiiBtnClick);

    appliers.add([this](const SettingsStore& loaded) { applySettings(loaded); });
}

void TSystemFrame::applySettings(const SettingsStore& settings)
{
    SOCInfoBox->setText(ControllerLine + u'(' + settings.value(Key::SOCPort) + QStringLiteral(") "));
    SOCLabel1->setText(settings.value(Key::SOCLabel1));
    SOCLabel2->setText(settings.value(Key::SOCLabel2));
    SOCLabel3->setText(settings.value(Key::SOCLabel3));
    SOCLabel4->setText(settings.value(Key::SOCLabel4));
    updateToolsButton();
}

void TSystemFrame::updateToolsButton()
{
    emit toolsConfigured(Launcher::anyConfigured(m_settings));
}

void TSystemFrame::acknowledgeSwitch()
{
    m_feedback.Click();
}

void TSystemFrame::SocSwitch1Click()
{
    acknowledgeSwitch();
}

void TSystemFrame::SocSwitch2Click()
{
    acknowledgeSwitch();
}

void TSystemFrame::SocSwitch3Click()
{
    acknowledgeSwitch();
}

void TSystemFrame::SocSwitch4Click()
{
    acknowledgeSwitch();
}

void TSystemFrame::CarManualBtnClick()
{
    Launcher::launch(m_settings, m_feedback, m_notices, m_shell, Launcher::ServiceManual);
}

void TSystemFrame::ObdiiBtnClick()
{
    Launcher::launch(m_settings, m_feedback, m_notices, m_shell, Launcher::ObdiiApplication);
}
