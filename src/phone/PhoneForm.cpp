#include "phone/PhoneForm.h"

#include "app/Feedback.h"
#include "config/SettingsStore.h"
#include "dialogs/Myinputunit.h"
#include "dialogs/Notices.h"
#include "platform/Bluetooth.h"
#include "widgets/CaptionPanel.h"
#include "widgets/Placement.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"
#include "widgets/TouchList.h"

#include <QPainter>

namespace {

const QString DefaultName = QStringLiteral("Karvex");
constexpr int ButtonLeft = 410;

// A phone's name as sent, cut to fit; never read as markup (the labels show plain text).
QString shown(const QString& name)
{
    const QString oneLine = name.simplified();
    return oneLine.size() > TPhoneForm::ShownNameLength ? oneLine.left(TPhoneForm::ShownNameLength - 3) + QStringLiteral("...")
                                                        : oneLine;
}

TouchButton* makeButton(QWidget* parent, const char* name, const QString& caption, int top)
{
    auto* button = new TouchButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(ButtonLeft, top, 216, 60);
    button->setFontPixelSize(26);
    return button;
}

} // namespace

TPhoneForm::TPhoneForm(QWidget* mainWindow, Feedback& feedback, Notices& notices, SettingsStore& settings)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint)
    , m_mainWindow(mainWindow)
    , m_feedback(feedback)
    , m_notices(notices)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("TPhoneForm"));
    setModal(true);
    setFixedSize(660, 520);
    setWindowOpacity(245.0 / 255.0);

    PhonePanel = new CaptionPanel(QString(), this);
    PhonePanel->setObjectName(QStringLiteral("PhonePanel"));
    PhonePanel->setGeometry(10, 10, 640, 500);
    PhonePanel->setFillColour(Qt::white);
    PhonePanel->setBorder(QColor(), 0);
    PhonePanel->setCornerRadius(0);

    Heading = new TouchLabel(QStringLiteral("PHONES"), PhonePanel);
    Heading->setObjectName(QStringLiteral("Heading"));
    Heading->setGeometry(14, 6, 400, 56);
    Heading->setFontPixelSize(40, true);
    Heading->setTextColour(Qt::black);
    DoneBtn = new TouchButton(QString(), PhonePanel);
    DoneBtn->setObjectName(QStringLiteral("DoneBtn"));
    DoneBtn->setGeometry(560, 6, 72, 58);
    DoneBtn->setGlyph(Glyph::Done);

    StatusDisplay = new TouchLabel(QString(), PhonePanel);
    StatusDisplay->setObjectName(QStringLiteral("StatusDisplay"));
    StatusDisplay->setGeometry(14, 66, 612, 62);
    StatusDisplay->setFontPixelSize(20);
    StatusDisplay->setTextColour(QColor(128, 0, 0));
    StatusDisplay->setWordWrap(true);

    PhoneList = new TouchList(PhonePanel);
    PhoneList->setObjectName(QStringLiteral("PhoneList"));
    PhoneList->setGeometry(14, 134, 380, 352);
    PhoneList->setHeader(QStringLiteral("Paired Phones"));
    PhoneList->setRowHeight(44);
    PhoneList->setFontPixelSize(26);

    VisibleBtn = makeButton(PhonePanel, "VisibleBtn", QStringLiteral("Make Visible"), 134);
    NameBtn = makeButton(PhonePanel, "NameBtn", QStringLiteral("Name"), 210);
    ConnectBtn = makeButton(PhonePanel, "ConnectBtn", QStringLiteral("Connect"), 330);
    ForgetBtn = makeButton(PhonePanel, "ForgetBtn", QStringLiteral("Forget"), 406);

    connect(DoneBtn, &QAbstractButton::clicked, this, &TPhoneForm::DoneBtnClick);
    connect(VisibleBtn, &QAbstractButton::clicked, this, &TPhoneForm::VisibleBtnClick);
    connect(NameBtn, &QAbstractButton::clicked, this, &TPhoneForm::NameBtnClick);
    connect(ConnectBtn, &QAbstractButton::clicked, this, &TPhoneForm::ConnectBtnClick);
    connect(ForgetBtn, &QAbstractButton::clicked, this, &TPhoneForm::ForgetBtnClick);
    showStatus(QStringLiteral("Looking for Bluetooth..."));
}

void TPhoneForm::attach(Bluetooth& bluetooth)
{
    m_bluetooth = &bluetooth;
    connect(m_bluetooth, &Bluetooth::phonesChanged, this, &TPhoneForm::showPhones);
    connect(m_bluetooth, &Bluetooth::confirmationRequested, this, &TPhoneForm::ConfirmPairing);
    showPhones();
}

QString TPhoneForm::visibleName() const
{
    const QString name = m_settings.value(Key::BluetoothName);
    return name.isEmpty() ? DefaultName : name;
}

void TPhoneForm::open()
{
    centreOnWindow(*this, *m_mainWindow);
    exec();
}

void TPhoneForm::paintEvent(QPaintEvent*)
{
    // The blue frame around the white panel.
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 255));
}

void TPhoneForm::showStatus(const QString& text)
{
    StatusDisplay->setText(text);
}

void TPhoneForm::showPhones()
{
    const QString chosen = chosenPhone();
    PhoneList->clear();
    m_phoneIds.clear();
    const QString reason = m_bluetooth->unavailableReason();
    if (!reason.isEmpty()) {
        showStatus(QStringLiteral("Phones cannot pair: ") + reason);
        return;
    }
    for (const BluetoothPhone& phone : m_bluetooth->phones()) {
        PhoneList->addItem(shown(phone.name) + (phone.connected ? QStringLiteral("  (connected)") : QString()));
        m_phoneIds.append(phone.id);
    }
    PhoneList->setSelectedIndex(int(m_phoneIds.indexOf(chosen)));
    if (StatusDisplay->text().startsWith(QLatin1String("Phones cannot")) || StatusDisplay->text().startsWith(QLatin1String("Looking")))
        showStatus(QStringLiteral("Tap Make Visible, then pair from the phone."));
}

QString TPhoneForm::chosenPhone() const
{
    const int row = PhoneList->selectedIndex();
    return row >= 0 && row < m_phoneIds.size() ? m_phoneIds[row] : QString();
}

void TPhoneForm::VisibleBtnClick()
{
    const QString reason = m_bluetooth ? m_bluetooth->unavailableReason() : StatusDisplay->text();
    if (!m_bluetooth || !reason.isEmpty()) {
        m_feedback.Click();
        m_notices.ShowErrorNotice(QStringLiteral("BLUETOOTH ERROR\n\n") + reason);
        return;
    }
    m_feedback.ClickAndSpeak(QStringLiteral("Visible for two minutes"));
    m_bluetooth->makeVisible(visibleName(), VisibleSeconds);
    showStatus(QStringLiteral("Visible as \"%1\" for two minutes: pair from the phone.").arg(shown(visibleName())));
}

void TPhoneForm::NameBtnClick()
{
    m_feedback.ClickAndSpeak(QStringLiteral("Name"));
    const std::optional<QString> name = TMyInput::AskText(m_mainWindow, m_feedback, QStringLiteral("The name phones see."),
                                                          visibleName(), SymbolKeys::Allowed);
    if (name && !name->trimmed().isEmpty())
        m_settings.setValue(Key::BluetoothName, name->trimmed());
}

void TPhoneForm::ConnectBtnClick()
{
    const QString phone = chosenPhone();
    if (phone.isEmpty()) {
        m_feedback.PlayUiSound(UiSound::Error, LiveSetting::OtherSounds);
        return;
    }
    m_feedback.ClickAndSpeak(QStringLiteral("Connecting"));
    m_bluetooth->connectPhone(phone);
}

void TPhoneForm::ForgetBtnClick()
{
    const QString phone = chosenPhone();
    if (phone.isEmpty()) {
        m_feedback.PlayUiSound(UiSound::Error, LiveSetting::OtherSounds);
        return;
    }
    m_feedback.Click();
    const QString question = QStringLiteral("Forget the phone %1?").arg(PhoneList->itemText(PhoneList->selectedIndex()));
    m_feedback.Announce(question);
    if (m_notices.AskYesNo(question))
        m_bluetooth->forgetPhone(phone);
}

void TPhoneForm::DoneBtnClick()
{
    m_feedback.Click();
    accept();
}

void TPhoneForm::ConfirmPairing(const QString& phoneName, quint32 passkey)
{
    const QString code = QStringLiteral("%1").arg(passkey, 6, 10, QLatin1Char('0'));
    QString spokenCode;
    for (const QChar digit : code)
        spokenCode += digit + QLatin1Char(' ');
    const QString name = shown(phoneName);
    m_feedback.Announce(QStringLiteral("Pair with the phone %1? Code %2").arg(name, spokenCode.trimmed()));
    m_bluetooth->confirmPairing(m_notices.AskYesNo(QStringLiteral("Pair with the phone %1?\nCode %2").arg(name, code)));
}
