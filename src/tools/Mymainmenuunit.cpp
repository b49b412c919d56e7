#include "tools/Mymainmenuunit.h"

#include "dialogs/Aboutunit.h"
#include "dialogs/Myinputunit.h"
#include "app/Feedback.h"
#include "dialogs/Notices.h"
#include "platform/Services.h"
#include "tools/Launcher.h"
#include "widgets/CaptionPanel.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>

namespace {

constexpr int LeftColumn = 40;
constexpr int RightColumn = 343;
constexpr int RowTops[] = {100, 196, 292, 388};

TouchButton* makeButton(QWidget* parent, const char* name, const QString& caption, int column, int row,
                        const QColor& bevel = QColor())
{
    auto* button = new TouchButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(column, RowTops[row], 257, 60);
    button->setFontPixelSize(26);
    button->setBevelColour(bevel);
    return button;
}

// Swallows taps, key presses and wheel turns while it is installed on the application.
class InputDrop : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
            return true;
        default:
            return false;
        }
    }
};

// The screen does not answer while a command runs; what the driver tapped meanwhile has
// queued up and would act on whatever is shown afterwards, so it is dropped.
void dropQueuedInput()
{
    InputDrop drop;
    QCoreApplication::instance()->installEventFilter(&drop);
    QCoreApplication::processEvents();
    QCoreApplication::instance()->removeEventFilter(&drop);
}

} // namespace

TMyMainMenu::TMyMainMenu(QWidget* mainWindow, Services& services, Feedback& feedback, Notices& notices)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint)
    , m_mainWindow(mainWindow)
    , m_services(services)
    , m_feedback(feedback)
    , m_notices(notices)
{
    setObjectName(QStringLiteral("TMyMainMenu"));
    setModal(true);
    setFixedSize(660, 520);
    setWindowOpacity(245.0 / 255.0);

    MenuPanel = new CaptionPanel(QString(), this);
    MenuPanel->setObjectName(QStringLiteral("MenuPanel"));
    MenuPanel->setGeometry(10, 10, 640, 500);
    MenuPanel->setFillColour(Qt::white);
    MenuPanel->setBorder(QColor(), 0);
    MenuPanel->setCornerRadius(0);

    AdvSmoothLabel5 = new TouchLabel(QStringLiteral("SYSTEM MENU"), MenuPanel);
    AdvSmoothLabel5->setObjectName(QStringLiteral("AdvSmoothLabel5"));
    AdvSmoothLabel5->setGeometry(14, 6, 400, 56);
    AdvSmoothLabel5->setFontPixelSize(40, true);
    AdvSmoothLabel5->setTextColour(Qt::black);
    DoneBtn = new TouchButton(QString(), MenuPanel);
    DoneBtn->setObjectName(QStringLiteral("DoneBtn"));
    DoneBtn->setGeometry(560, 6, 72, 58);
    DoneBtn->setGlyph(Glyph::Done);
    PhoneBtn = new TouchButton(QStringLiteral("Phones"), MenuPanel);
    PhoneBtn->setObjectName(QStringLiteral("PhoneBtn"));
    PhoneBtn->setGeometry(420, 6, 132, 58);
    PhoneBtn->setFontPixelSize(24);

    AdvSmoothButton1 = makeButton(MenuPanel, "AdvSmoothButton1", QStringLiteral("Manage Files"), LeftColumn, 0);
    AdvSmoothButton2 = makeButton(MenuPanel, "AdvSmoothButton2", QStringLiteral("About Karvex"), RightColumn, 0);
    AdvSmoothButton3 = makeButton(MenuPanel, "AdvSmoothButton3", QStringLiteral("Run Program"), LeftColumn, 1);
    AdvSmoothButton4 = makeButton(MenuPanel, "AdvSmoothButton4", QStringLiteral("Run Command"), RightColumn, 1);
    RestartBtn = makeButton(MenuPanel, "RestartBtn", QStringLiteral("RESTART"), LeftColumn, 2, QColor(0, 128, 0));
    PowerOffBtn = makeButton(MenuPanel, "PowerOffBtn", QStringLiteral("POWER OFF"), RightColumn, 2, QColor(128, 0, 0));
    MinimiseBtn = makeButton(MenuPanel, "MinimiseBtn", QStringLiteral("MINIMISE"), LeftColumn, 3, QColor(0, 0, 128));
    ExitBtn = makeButton(MenuPanel, "ExitBtn", QStringLiteral("EXIT"), RightColumn, 3, QColor(255, 0, 0));

    connect(DoneBtn, &QAbstractButton::clicked, this, &TMyMainMenu::DoneBtnClick);
    connect(AdvSmoothButton1, &QAbstractButton::clicked, this, &TMyMainMenu::AdvSmoothButton1Click);
    connect(AdvSmoothButton2, &QAbstractButton::clicked, this, &TMyMainMenu::AdvSmoothButton2Click);
    connect(AdvSmoothButton3, &QAbstractButton::clicked, this, &TMyMainMenu::AdvSmoothButton3Click);
    connect(AdvSmoothButton4, &QAbstractButton::clicked, this, &TMyMainMenu::AdvSmoothButton4Click);
    connect(RestartBtn, &QAbstractButton::clicked, this, &TMyMainMenu::RestartBtnClick);
    connect(PowerOffBtn, &QAbstractButton::clicked, this, &TMyMainMenu::PowerOffBtnClick);
    connect(MinimiseBtn, &QAbstractButton::clicked, this, &TMyMainMenu::MinimiseBtnClick);
    connect(ExitBtn, &QAbstractButton::clicked, this, &TMyMainMenu::ExitBtnClick);
    connect(PhoneBtn, &QAbstractButton::clicked, this, &TMyMainMenu::PhoneBtnClick);
}

void TMyMainMenu::paintEvent(QPaintEvent*)
{
    // The blue frame around the white panel.
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 255));
}

void TMyMainMenu::click()
{
    m_feedback.Click();
}

void TMyMainMenu::hideMenu()
{
    done(QDialog::Accepted);
    QCoreApplication::processEvents();
}

void TMyMainMenu::ExitBtnClick()
{
    click();
    if (m_notices.AskYesNo(QStringLiteral("Close program and return to Windows?")))
        ExitProgram();
}

void TMyMainMenu::ExitProgram()
{
    m_services.mediaPlayer->close();
    QCoreApplication::processEvents();
    m_mainWindow->close();
}

void TMyMainMenu::MinimiseBtnClick()
{
    m_feedback.PlayUiSound(UiSound::Hover, LiveSetting::OtherSounds);
    hideMenu();
    m_mainWindow->showMinimized();
}

void TMyMainMenu::RestartBtnClick()
{
    click();
    if (m_notices.AskYesNo(QStringLiteral("RESTART Computer?")))
        shutDown(Shutdown::Restart);
}

void TMyMainMenu::PowerOffBtnClick()
{
    click();
    if (m_notices.AskYesNo(QStringLiteral("POWER OFF Computer?")))
        shutDown(Shutdown::PowerOff);
}

void TMyMainMenu::shutDown(Shutdown kind)
{
    // systemd checks whether this user may shut the machine down when it is asked, so
    // there is no privilege to take beforehand: the request is the one step that can fail.
    Power& power = *m_services.power;
    const bool accepted = kind == Shutdown::Restart ? power.reboot() : power.powerOff();
    if (!accepted)
        m_notices.ShowErrorNotice(QStringLiteral("ExitWindowsEx Error"));
}

void TMyMainMenu::AdvSmoothButton1Click()
{
    click();
    hideMenu();
    // The root folder stands for the system drive; the file manager shows it.
    m_services.shell->open(QStringLiteral("/"), {});
}

void TMyMainMenu::PhoneBtnClick()
{
    m_feedback.ClickAndSpeak(QStringLiteral("Phones"));
    hideMenu();
    emit phonesRequested();
}

void TMyMainMenu::AdvSmoothButton2Click()
{
    click();
    hideMenu();
    // Over the main window: the menu it was chosen from is hidden.
    TAboutForm about(m_mainWindow, m_feedback, m_notices, *m_services.shell, m_services.programFolder, m_services.dataFolder);
    about.exec();
}

void TMyMainMenu::AdvSmoothButton3Click()
{
    click();
    // Linux programs seldom have an extension, so every file is offered.
    const FileOpenDialog::Request request{QStringLiteral("Select Program To Run"), QStringLiteral("All files (*)|*"),
                                          QStringLiteral("/")};
    hideMenu();
    const std::optional<QString> chosen = m_services.fileOpenDialog->choose(m_mainWindow, request);
    if (!chosen) {
        click();
        return;
    }
    if (!Launcher::isFile(*chosen)) {
        m_notices.ShowErrorNotice(
            QStringLiteral("FILE ERROR\n\nCannot locate the selected program file. Check the file exists."));
        return;
    }
    click();
    m_services.shell->open(*chosen, [&notices = m_notices](bool opened) {
        if (!opened)
            notices.ShowErrorNotice(QStringLiteral("OPEN ERROR\n\nError Running Program."));
    });
}

void TMyMainMenu::AdvSmoothButton4Click()
{
    click();
    hideMenu();
    const std::optional<QString> command = TMyInput::AskText(
        m_mainWindow, m_feedback, QStringLiteral("Enter an Operating System command to Execute (Run)."), QString(), SymbolKeys::Allowed);
    if (!command)
        return;
    m_services.shell->runCommand(command->trimmed());
    dropQueuedInput();
}

void TMyMainMenu::DoneBtnClick()
{
    click();
    reject();
}
