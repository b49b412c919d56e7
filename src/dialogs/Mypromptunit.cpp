#include "dialogs/Mypromptunit.h"

#include "app/Feedback.h"
#include "widgets/CaptionPanel.h"
#include "widgets/Placement.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"


TMyPrompt::TMyPrompt(QWidget* mainWindow, Feedback& feedback)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_mainWindow(mainWindow)
    , m_feedback(feedback)
{
    setObjectName(QStringLiteral("TMyPrompt"));
    setModal(true);
    setFixedSize(500, 400);

    MainPanel = new CaptionPanel(QStringLiteral(" Please Confirm"), this);
    MainPanel->setObjectName(QStringLiteral("MainPanel"));
    MainPanel->setGeometry(rect());
    MainPanel->setCaptionFontPixelSize(19);

    PromptDisp = new TouchLabel(QString(), MainPanel);
    PromptDisp->setObjectName(QStringLiteral("PromptDisp"));
    PromptDisp->setGeometry(20, 40, 460, 250);
    PromptDisp->setFontPixelSize(35);
    PromptDisp->setWordWrap(true);
    PromptDisp->setAlignment(Qt::AlignCenter);

    OkBtn = new TouchButton(QStringLiteral("Ok"), MainPanel);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setGeometry(20, 306, 170, 74);
    OkBtn->setFontPixelSize(26);
    CancelBtn = new TouchButton(QStringLiteral("Cancel"), MainPanel);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(204, 306, 170, 74);
    CancelBtn->setFontPixelSize(26);
    ReadMeBtn = new TouchButton(QString(), MainPanel);
    ReadMeBtn->setObjectName(QStringLiteral("ReadMeBtn"));
    ReadMeBtn->setGeometry(388, 306, 92, 74);
    ReadMeBtn->setGlyph(Glyph::ReadAloud);

    connect(OkBtn, &QAbstractButton::clicked, this, &TMyPrompt::OkBtnClick);
    connect(CancelBtn, &QAbstractButton::clicked, this, &TMyPrompt::CancelBtnClick);
    connect(ReadMeBtn, &QAbstractButton::clicked, this, &TMyPrompt::ReadMeBtnClick);
}

bool TMyPrompt::ask(const QString& question)
{
    PromptDisp->setText(question);
    centreOnWindow(*this, *m_mainWindow);
    return exec() == Ok;
}

void TMyPrompt::closeWith(ModalResult result)
{
    m_feedback.Click();
    // Cleared before closing so the old question never flashes up on the next use.
    PromptDisp->setText(QString());
    PromptDisp->repaint();
    done(result);
}

void TMyPrompt::OkBtnClick()
{
    closeWith(Ok);
}

void TMyPrompt::CancelBtnClick()
{
    closeWith(Cancel);
}

void TMyPrompt::ReadMeBtnClick()
{
    m_feedback.SpeakText(PromptDisp->text());
}
