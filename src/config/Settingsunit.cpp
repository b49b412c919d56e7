#include "config/Settingsunit.h"

#include "config/BrightnessSettings.h"
#include "config/ScreenFit.h"
#include "config/GpsSettings.h"
#include "app/Feedback.h"
#include "config/SettingsAppliers.h"
#include "dialogs/Notices.h"
#include "gps/NmeaReceiver.h"
#include "home/SunTimes.h"
#include "platform/Backlight.h"
#include "platform/FileOpenDialog.h"
#include "platform/GpsdPort.h"
#include "platform/Pointer.h"
#include "platform/SaveFailure.h"
#include "playback/ResumeKeeper.h"
#include "widgets/CaptionPanel.h"
#include "widgets/ColourStyles.h"
#include "widgets/TabPager.h"
#include "widgets/Placement.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"
#include "widgets/TouchList.h"

#include <QApplication>
#include <QComboBox>
#include <QTimer>
#include <QPainter>
#include <QScopedValueRollback>

const QStringList ThemeNames = {
    QStringLiteral("Blue"),     QStringLiteral("Classic"),  QStringLiteral("Olive"),
    QStringLiteral("Silver 1"), QStringLiteral("Luna"),     QStringLiteral("Obsidian"),
    QStringLiteral("Silver 2"), QStringLiteral("Whidbey"),  QStringLiteral("Windows XP"),
};

namespace {

constexpr int DefaultDayTheme = 4;
constexpr int DefaultNightTheme = 5;
const QString NoSetting = QStringLiteral("No Setting");

TouchButton* makeToggle(QWidget* parent, const char* name, const QString& caption, QRect place)
{
    TouchButton* button = placeButton(parent, name, caption, place, 19);
    button->setCheckable(true);
    return button;
}

QComboBox* makeList(QWidget* parent, const char* name, QRect place, const QStringList& items)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QLatin1String(name));
    list->setGeometry(place);
    list->setEditable(false);
    list->addItems(items);
    list->setCurrentIndex(-1);
    return list;
}

// Selects the entry whose text matches `value` ignoring case, or nothing.
void selectPort(QComboBox* list, const QString& value)
{
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(list->findText(value, Qt::MatchFixedString));
}

// Whether any dialog is on screen, modal or not (the notice is modeless).
bool aDialogIsOpen()
{
    for (const QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && qobject_cast<const QDialog*>(window))
            return true;
    return false;
}

QString pathLabelText(const QString& value)
{
    return value.isEmpty() ? NoSetting : value;
}

const QString& brightnessKey(bool daylight)
{
    return daylight ? Key::DayBrightness : Key::NightBrightness;
}

std::optional<int> brightnessIn(const SettingsStore& store, bool daylight)
{
    return Brightness::percentOf(store.value(brightnessKey(daylight)));
}

QString brightnessMode(bool daylight)
{
    return daylight ? QStringLiteral("Day") : QStringLiteral("Night");
}

} // namespace

TSettingsForm::TSettingsForm(QWidget* mainWindow, SettingsStore& settings, const QString& configPath,
                             SettingsAppliers& appliers, Feedback& feedback, Notices& notices,
                             FileOpenDialog& fileOpenDialog, Backlight& backlight, ResumeKeeper& resume,
                             const NmeaReceiver& gps)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint)
    , m_settings(settings)
    , m_configPath(configPath)
    , m_appliers(appliers)
    , m_feedback(feedback)
    , m_notices(notices)
    , m_fileOpenDialog(fileOpenDialog)
    , m_backlight(backlight)
    , m_resume(resume)
    , m_gps(gps)
{
    setObjectName(QStringLiteral("TSettingsForm"));
    setModal(true);
    setFixedSize(596, 503);
    setWindowOpacity(245.0 / 255.0);

    auto* panel = new CaptionPanel(QString(), this);
    panel->setGeometry(10, 10, 576, 483);
    panel->setFillColour(Qt::white);
    panel->setCornerRadius(0);
    panel->setBorder(QColor(), 0);

    AdvSmoothLabel5 = placeLabel(panel, "AdvSmoothLabel5", QStringLiteral("OPTIONS"), {14, 6, 300, 56}, 40, true);
    AdvSmoothLabel5->setTextColour(Qt::black);
    DoneBtn = placeButton(panel, "DoneBtn", QString(), {496, 6, 72, 58}, 21, Glyph::Done);

    AdvSmoothTabPager1 = new TabPager(panel);
    AdvSmoothTabPager1->setObjectName(QStringLiteral("AdvSmoothTabPager1"));
    AdvSmoothTabPager1->setGeometry(8, 70, 560, 405);
    AdvSmoothTabPager1->setTabHeight(50);
    buildGeneralPage(AdvSmoothTabPager1->addPage(QStringLiteral("General  ")));
    buildThemesPage(AdvSmoothTabPager1->addPage(QStringLiteral("Themes ")));
    buildHardwarePage(AdvSmoothTabPager1->addPage(QStringLiteral("Hardware  ")));
    buildAdvancedPage(AdvSmoothTabPager1->addPage(QStringLiteral("Advanced  ")));
    AdvSmoothTabPager1->setCurrentIndex(0);

    connect(DoneBtn, &QAbstractButton::clicked, this, &TSettingsForm::DoneBtnClick);
    connect(AdvSmoothTabPager1, &TabPager::currentChanged, this, &TSettingsForm::AdvSmoothTabPager1Change);
    followToggles();
}

void TSettingsForm::completeHardwarePage()
{
    for (QComboBox* list : {GPSPort, GPSBaud, SOCPort}) {
        QFont font = list->font();
        font.setPixelSize(20);
        list->setFont(font);
    }
    // The serial ports, and gpsd when one answers on this machine.
    const QStringList serialPorts = SerialPorts::offeredNames();
    GPSPort->addItems(serialPorts);
    if (GpsdPort::localGpsdAnswers())
        GPSPort->addItem(QStringLiteral("gpsd"));
    SOCPort->addItems(serialPorts);
    const SettingsStore& store = m_settings;
    selectPort(SOCPort, store.value(Key::SOCPort));
    selectPort(GPSPort, store.value(Key::GPSPort));
}

void TSettingsForm::buildGeneralPage(QWidget* page)
{
    page->setObjectName(QStringLiteral("AdvSmoothTabPager11"));
    AdvSmoothLabel1 = placeLabel(page, "AdvSmoothLabel1", QStringLiteral("Colour Mode"), {20, 8, 400, 32}, 24, true);
    DayColourBtn = makeToggle(page, "DayColourBtn", QStringLiteral("Daylight Colours"), {20, 44, 250, 56});
    NightColourBtn = makeToggle(page, "NightColourBtn", QStringLiteral("Night Colours"), {286, 44, 250, 56});
    m_colourMode = new ToggleGroup(false, this);
    m_colourMode->add(DayColourBtn);
    m_colourMode->add(NightColourBtn);
    m_colourMode->setDown(DayColourBtn);

    AdvSmoothLabel2 = placeLabel(page, "AdvSmoothLabel2", QStringLiteral("Sound Settings"), {20, 172, 400, 32}, 24, true);
    ClickSoundsBtn = makeToggle(page, "ClickSoundsBtn", QStringLiteral("Click Sounds"), {20, 208, 164, 64});
    OtherSoundsBtn = makeToggle(page, "OtherSoundsBtn", QStringLiteral("Misc Sounds"), {196, 208, 164, 64});
    SpeechBtn = makeToggle(page, "SpeechBtn", QStringLiteral("Speech Sounds"), {372, 208, 164, 64});
    AutoDayNightBtn = makeToggle(page, "AutoDayNightBtn", QStringLiteral("Day And Night Colours By The Sun (GPS)"), {20, 106, 516, 56});
    ResumePlaybackBtn = makeToggle(page, "ResumePlaybackBtn", QStringLiteral("Resume Playback At Start"), {20, 280, 516, 56});
    DayNightTimer = new QTimer(this);
    DayNightTimer->setInterval(60 * 1000);
    connect(DayNightTimer, &QTimer::timeout, this, &TSettingsForm::DayNightTimerTimer);

    connect(DayColourBtn, &QAbstractButton::clicked, this, &TSettingsForm::DayColourBtnClick);
    connect(NightColourBtn, &QAbstractButton::clicked, this, &TSettingsForm::NightColourBtnClick);
    connect(ClickSoundsBtn, &QAbstractButton::clicked, this, &TSettingsForm::ClickSoundsBtnClick);
    connect(OtherSoundsBtn, &QAbstractButton::clicked, this, &TSettingsForm::OtherSoundsBtnClick);
    connect(SpeechBtn, &QAbstractButton::clicked, this, &TSettingsForm::SpeechBtnClick);
    connect(AutoDayNightBtn, &QAbstractButton::clicked, this, &TSettingsForm::AutoDayNightBtnClick);
    connect(ResumePlaybackBtn, &QAbstractButton::clicked, this, &TSettingsForm::ResumePlaybackBtnClick);
}

void TSettingsForm::buildThemesPage(QWidget* page)
{
    page->setObjectName(QStringLiteral("AdvSmoothTabPage1"));
    auto makeList = [page](const char* name, const QString& header, QRect place) {
        auto* list = new TouchList(page);
        list->setObjectName(QLatin1String(name));
        list->setGeometry(place);
        list->setHeader(header);
        list->setFooter(QStringLiteral("Footer"));
        list->setRowHeight(30);
        for (const QString& theme : ThemeNames)
            list->addItem(theme);
        return list;
    };
    DayThemeList = makeList("DayThemeList", QStringLiteral("Select Daylight Theme"), {8, 8, 264, 340});
    NightThemeList = makeList("NightThemeList", QStringLiteral("Select Night Theme"), {284, 8, 264, 340});
    connect(DayThemeList, &TouchList::selectionChanged, this, &TSettingsForm::DayThemeListItemSelectionChanged);
    connect(NightThemeList, &TouchList::selectionChanged, this, &TSettingsForm::NightThemeListItemSelectionChanged);
}

void TSettingsForm::buildHardwarePage(QWidget* page)
{
    page->setObjectName(QStringLiteral("AdvSmoothTabPager12"));
    AdvSmoothLabel6 = placeLabel(page, "AdvSmoothLabel6", QStringLiteral("Control & Display"), {20, 10, 400, 32}, 24, true);
    HideMouseBtn = makeToggle(page, "HideMouseBtn", QStringLiteral("Hide Mouse Cursor"), {20, 48, 120, 60});
    FitToScreenBtn = makeToggle(page, "FitToScreenBtn", QStringLiteral("Fit To Screen"), {148, 48, 104, 60});
    DayBrightnessBtn = placeButton(page, "DayBrightnessBtn", QString(), {260, 48, 136, 60}, 17);
    NightBrightnessBtn = placeButton(page, "NightBrightnessBtn", QString(), {404, 48, 136, 60}, 17);
    AdvSmoothLabel7 = placeLabel(page, "AdvSmoothLabel7", QStringLiteral("Device Settings"), {20, 122, 400, 32}, 24, true);
    Label2 = placeLabel(page, "Label2",
                       QStringLiteral("Changes made to Hardware settings below require you to close and restart Karvex for the settings to take effect."),
                       {20, 156, 520, 52}, 16, false);
    Label2->setWordWrap(true);
    Label2->setTextColour(QColor(128, 0, 0));
    GpsBtn = makeToggle(page, "GpsBtn", QStringLiteral("GPS Enabled"), {20, 216, 200, 60});
    GPSPort = makeList(page, "GPSPort", {236, 224, 184, 46}, {}); // filled by completeHardwarePage()
    GPSBaud = makeList(page, "GPSBaud", {428, 224, 112, 46}, GpsBaud::offered());
    SOCLabel3 = placeLabel(page, "SOCLabel3", QStringLiteral("Seriel Controller Port"), {20, 290, 206, 46}, 16, true);
    SOCLabel3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SOCPort = makeList(page, "SOCPort", {236, 290, 304, 46}, {});
    SOCPort->setEnabled(false);

    connect(HideMouseBtn, &QAbstractButton::clicked, this, &TSettingsForm::HideMouseBtnClick);
    connect(FitToScreenBtn, &QAbstractButton::clicked, this, &TSettingsForm::FitToScreenBtnClick);
    connect(DayBrightnessBtn, &QAbstractButton::clicked, this, &TSettingsForm::DayBrightnessBtnClick);
    connect(NightBrightnessBtn, &QAbstractButton::clicked, this, &TSettingsForm::NightBrightnessBtnClick);
    connect(GpsBtn, &QAbstractButton::clicked, this, &TSettingsForm::GpsBtnClick);
    connect(GPSPort, &QComboBox::activated, this, &TSettingsForm::GPSPortChange);
    connect(GPSBaud, &QComboBox::activated, this, &TSettingsForm::GPSBaudChange);
    connect(SOCPort, &QComboBox::activated, this, &TSettingsForm::SOCPortChange);
}

void TSettingsForm::buildAdvancedPage(QWidget* page)
{
    page->setObjectName(QStringLiteral("AdvSmoothTabPager13"));
    AdvSmoothLabel3 = placeLabel(page, "AdvSmoothLabel3", QStringLiteral("Quick Launch File Paths"), {20, 10, 440, 32}, 24, true);
    Label3 = placeLabel(page, "Label3", QStringLiteral("Service Manual File"), {20, 60, 400, 28}, 18, true);
    ServiceManualPath = placeLabel(page, "ServiceManualPath", NoSetting, {20, 92, 430, 40}, 17, false);
    ServiceManualPath->setElideMiddle(true);
    ServiceManualPathBtn = placeButton(page, "ServiceManualPathBtn", QString(), {462, 66, 76, 64}, 21, Glyph::Folder);
    Label5 = placeLabel(page, "Label5", QStringLiteral("OBDII Application"), {20, 160, 400, 28}, 18, true);
    ObdiiApplicationPath = placeLabel(page, "ObdiiApplicationPath", NoSetting, {20, 192, 430, 40}, 17, false);
    ObdiiApplicationPath->setElideMiddle(true);
    ObdiiApplicationPathBtn = placeButton(page, "ObdiiApplicationPathBtn", QString(), {462, 166, 76, 64}, 21, Glyph::Folder);

    connect(ServiceManualPathBtn, &QAbstractButton::clicked, this, &TSettingsForm::ServiceManualPathBtnClick);
    connect(ObdiiApplicationPathBtn, &QAbstractButton::clicked, this, &TSettingsForm::ObdiiApplicationPathBtnClick);
}

void TSettingsForm::paintEvent(QPaintEvent*)
{
    // The blue frame around the white panel.
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 255));
}

// ---------------------------------------------------------------- loading

void TSettingsForm::LoadAndApplySettings()
{
    const QScopedValueRollback silent(m_applying, true);
    SettingsStore& store = m_settings;
    if (!store.load(m_configPath))
        store.writeDefaults();

    m_appliers.applyAll(store);

    selectPort(SOCPort, store.value(Key::SOCPort));
    selectPort(GPSPort, store.value(Key::GPSPort));
    const std::optional<int> baud = GpsBaud::rateOf(store.value(Key::GPSBaud));
    selectPort(GPSBaud, baud ? QString::number(*baud) : GpsBaud::Auto);

    const auto selectTheme = [](TouchList* list, int index) {
        if (index >= 0 && index < list->count())
            list->setSelectedIndex(index);
    };
    selectTheme(DayThemeList, SettingText::themeIndex(store.value(Key::DayTheme), DefaultDayTheme));
    selectTheme(NightThemeList, SettingText::themeIndex(store.value(Key::NightTheme), DefaultNightTheme));

    applyColourMode(SettingText::isOn(store.value(Key::DayColours)));

    ClickSoundsBtn->setChecked(SettingText::isOn(store.value(Key::ClickSounds)));
    OtherSoundsBtn->setChecked(SettingText::isOn(store.value(Key::OtherSounds)));
    SpeechBtn->setChecked(SettingText::isOn(store.value(Key::SpeechSounds)));
    const bool hideMouse = SettingText::isOn(store.value(Key::HideMouse));
    if (hideMouse)
        Pointer::hide();
    else
        Pointer::show();
    HideMouseBtn->setChecked(hideMouse);
    FitToScreenBtn->setChecked(ScreenFit::wanted(store));
    showBrightness(true);
    showBrightness(false);
    GpsBtn->setChecked(SettingText::isOn(store.value(Key::GPSEnabled)));
    AutoDayNightBtn->setChecked(SettingText::isOn(store.value(Key::AutoDayNight)));
    ResumePlaybackBtn->setChecked(ResumeFile::enabled(store.value(Key::ResumePlayback)));
    ServiceManualPath->setText(pathLabelText(store.value(Key::ServiceManualPath)));
    ObdiiApplicationPath->setText(pathLabelText(store.value(Key::ObdiiApplicationPath)));
}

// ---------------------------------------------------------------- live settings

void TSettingsForm::ApplyColourStyle(int index)
{
    ColourStyles::instance().apply(index);
}

void TSettingsForm::click()
{
    if (!m_applying)
        m_feedback.Click();
}

void TSettingsForm::speak(const QString& text)
{
    if (!m_applying)
        m_feedback.Announce(text);
}

void TSettingsForm::storeToggle(const QString& key, bool on)
{
    m_settings.setValue(key, SettingText::fromBool(on));
}

void TSettingsForm::followToggles()
{
    // The settings follow each toggle as it changes, before a tap's handler runs: what reads
    // the live settings (the tap's own click and speech too) sees the new state.
    const std::pair<TouchButton*, QString> toggles[] = {
        {ClickSoundsBtn, Key::ClickSounds}, {OtherSoundsBtn, Key::OtherSounds}, {SpeechBtn, Key::SpeechSounds},
        {HideMouseBtn, Key::HideMouse},     {GpsBtn, Key::GPSEnabled},         {AutoDayNightBtn, Key::AutoDayNight},
        {ResumePlaybackBtn, Key::ResumePlayback}, {FitToScreenBtn, Key::FitToScreen}};
    for (const auto& toggle : toggles)
        connect(toggle.first, &QAbstractButton::toggled, this, [this, key = toggle.second](bool on) {
            if (!m_applying)
                storeToggle(key, on);
        });
}

// ---------------------------------------------------------------- colour mode and themes

void TSettingsForm::applyColourMode(bool daylight)
{
    m_colourMode->setDown(daylight ? DayColourBtn : NightColourBtn);
    storeToggle(Key::DayColours, daylight);
    ApplyColourStyle((daylight ? DayThemeList : NightThemeList)->selectedIndex());
    applyBrightness(daylight);
    emit colourModeChanged(daylight);
}

void TSettingsForm::DayColourBtnClick()
{
    click();
    speak(QStringLiteral("Day light colors"));
    applyColourMode(true);
}

void TSettingsForm::NightColourBtnClick()
{
    click();
    speak(QStringLiteral("Night time colors"));
    applyColourMode(false);
}

void TSettingsForm::onThemeSelected(TouchList* list, const QString& key, TouchButton* modeButton, int index)
{
    if (index < 0 || index >= list->count())
        return;
    const QString caption = list->itemText(index);
    speak(caption);
    list->setFooter(caption);
    m_settings.setValue(key, QString::number(index));
    if (modeButton->isChecked())
        ApplyColourStyle(index);
}

void TSettingsForm::DayThemeListItemSelectionChanged(int, int current)
{
    onThemeSelected(DayThemeList, Key::DayTheme, DayColourBtn, current);
}

void TSettingsForm::NightThemeListItemSelectionChanged(int, int current)
{
    onThemeSelected(NightThemeList, Key::NightTheme, NightColourBtn, current);
}

// ---------------------------------------------------------------- sounds, speech, pointer, GPS

void TSettingsForm::ClickSoundsBtnClick()
{
    const bool on = ClickSoundsBtn->isChecked();
    if (on)
        click();
    speak(on ? QStringLiteral("Click sounds enabled") : QStringLiteral("Click sounds disabled"));
}

void TSettingsForm::OtherSoundsBtnClick()
{
    const bool on = OtherSoundsBtn->isChecked();
    click();
    speak(on ? QStringLiteral("Other sounds enabled") : QStringLiteral("Other sounds disabled"));
}

void TSettingsForm::SpeechBtnClick()
{
    const bool on = SpeechBtn->isChecked();
    click();
    if (on)
        speak(QStringLiteral("Speech enabled"));
}

void TSettingsForm::HideMouseBtnClick()
{
    const bool on = HideMouseBtn->isChecked();
    click();
    if (on) {
        speak(QStringLiteral("Cursor hidden"));
        Pointer::hide();
    } else {
        speak(QStringLiteral("Cursor shown"));
        Pointer::show();
    }
}

void TSettingsForm::FitToScreenBtnClick()
{
    m_notices.ShowErrorNotice(
        QStringLiteral("RESTART REQUIRED\n\nChanged Display Settings Require You Save And Restart This Program."));
    speak(FitToScreenBtn->isChecked() ? QStringLiteral("Fit to screen on") : QStringLiteral("Fit to screen off"));
}

void TSettingsForm::GpsBtnClick()
{
    const bool on = GpsBtn->isChecked();
    click();
    speak(on ? QStringLiteral("G P S Enabled") : QStringLiteral("G P S Disabled"));
}

// ---------------------------------------------------------------- backlight by day and by night

void TSettingsForm::DayBrightnessBtnClick()
{
    onBrightnessTapped(true);
}

void TSettingsForm::NightBrightnessBtnClick()
{
    onBrightnessTapped(false);
}

void TSettingsForm::onBrightnessTapped(bool daylight)
{
    SettingsStore& store = m_settings;
    const std::optional<int> percent = Brightness::nextStep(brightnessIn(store, daylight));
    click();
    speak(brightnessMode(daylight) + QStringLiteral(" brightness ")
          + (percent ? QStringLiteral("%1 percent").arg(*percent) : QStringLiteral("not set")));
    store.setValue(brightnessKey(daylight), Brightness::textOf(percent));
    showBrightness(daylight);
    if (DayColourBtn->isChecked() == daylight)
        applyBrightness(daylight);
}

void TSettingsForm::showBrightness(bool daylight)
{
    const std::optional<int> percent = brightnessIn(m_settings, daylight);
    (daylight ? DayBrightnessBtn : NightBrightnessBtn)
        ->setText(brightnessMode(daylight) + QStringLiteral(" Brightness\n")
                  + (percent ? QStringLiteral("%1%").arg(*percent) : QStringLiteral("Not Set")));
}

void TSettingsForm::applyBrightness(bool daylight)
{
    if (const std::optional<int> percent = brightnessIn(m_settings, daylight))
        m_backlight.setPercent(*percent);
}

// ---------------------------------------------------------------- ports

void TSettingsForm::onPortChosen(QComboBox* list, const QString& key)
{
    m_notices.ShowErrorNotice(
        QStringLiteral("RESTART REQUIRED\n\nChanged to Com Port Settings Require You Save And Restart This Program."));
    m_settings.setValue(key, list->currentText());
    speak(list->currentText());
}

void TSettingsForm::GPSPortChange()
{
    onPortChosen(GPSPort, Key::GPSPort);
}

void TSettingsForm::SOCPortChange()
{
    onPortChosen(SOCPort, Key::SOCPort);
}

void TSettingsForm::GPSBaudChange()
{
    onPortChosen(GPSBaud, Key::GPSBaud);
}

// ---------------------------------------------------------------- resuming at start

void TSettingsForm::ResumePlaybackBtnClick()
{
    const bool on = ResumePlaybackBtn->isChecked();
    click();
    speak(on ? QStringLiteral("Resume playback at start") : QStringLiteral("Start with an empty play list"));
    m_resume.ResumePlaybackChanged(on);
}

// ---------------------------------------------------------------- day and night by the sun

void TSettingsForm::AutoDayNightBtnClick()
{
    const bool on = AutoDayNightBtn->isChecked();
    click();
    speak(on ? QStringLiteral("Day and night colors follow the sun") : QStringLiteral("Day and night colors by hand"));
}

void TSettingsForm::DayNightTimerTimer()
{
    // Only with a fix to go by, and never under an open dialog (this one included).
    if (!AutoDayNightBtn->isChecked() || !m_gps.LastFix() || aDialogIsOpen())
        return;
    const GpsFix& fix = *m_gps.LastFix();
    const bool daylight = SunTimes::isDaylight(fix.utc, fix.latitude, fix.longitude);
    if (daylight != DayColourBtn->isChecked())
        applyColourMode(daylight);
}

// ---------------------------------------------------------------- paths

void TSettingsForm::choosePath(const QString& title, const QString& filter, const QString& key, TouchLabel* label)
{
    click();
    const FileOpenDialog::Request request{title, filter, QStringLiteral("/")};
    const std::optional<QString> chosen = m_fileOpenDialog.choose(this, request);
    if (!chosen)
        return;
    m_settings.setValue(key, *chosen);
    label->setText(*chosen);
    emit launcherPathChanged();
}

void TSettingsForm::ServiceManualPathBtnClick()
{
    choosePath(QStringLiteral("Select Service Manual File"),
               QStringLiteral("Text files (*.txt,*.rtf,*.doc)|*.TXT;*.RTF;*.DOC|HTML Files (*.html)|*.HTM;*.HTML|Adobe Acrobat (*.pdf)|*.PDF"),
               Key::ServiceManualPath, ServiceManualPath);
}

void TSettingsForm::ObdiiApplicationPathBtnClick()
{
    choosePath(QStringLiteral("Select OBDII Application"),
               // Linux programs and scripts mostly have no extension, so they are offered first.
               QStringLiteral("Programs and scripts|*|Application Files (*.exe,*.com,*.bat,*.cmd)|*.EXE;*.COM;*.BAT;*.CMD"),
               Key::ObdiiApplicationPath, ObdiiApplicationPath);
}

// ---------------------------------------------------------------- pages and closing

void TSettingsForm::AdvSmoothTabPager1Change(int page)
{
    speak(AdvSmoothTabPager1->pageCaption(page));
}

void TSettingsForm::DoneBtnClick()
{
    click();
    if (int error = 0; !m_settings.save(m_configPath, error))
        m_notices.ShowMessage(QStringLiteral("FILE ERROR\n\nError Saving config.ini") + SaveFailure::reasonLine(error));
    done(QDialog::Accepted);
}
