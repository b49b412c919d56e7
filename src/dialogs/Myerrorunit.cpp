#include "dialogs/Myerrorunit.h"

#include "app/Feedback.h"
#include "widgets/CaptionPanel.h"
#include "widgets/Placement.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"
#include "widgets/WidgetPainting.h"

#include <QGuiApplication>
#include <QPainter>
#include <QWindow>

namespace {
// The notice's type size, and the smallest it goes to so that a long notice fits whole.
constexpr int NoticePixels = 29;
constexpr int SmallestNoticePixels = 12;
}

TMyError::TMyError(QWidget* mainWindow, Feedback& feedback)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint)
    , m_mainWindow(mainWindow)
    , m_feedback(feedback)
{
    setObjectName(QStringLiteral("TMyError"));
    setModal(false);
    setFixedSize(400, 340);
    setWindowOpacity(240.0 / 255.0);

    ErrorPanel = new CaptionPanel(QString(), this);
    ErrorPanel->setObjectName(QStringLiteral("ErrorPanel"));
    ErrorPanel->setGeometry(10, 10, 380, 320);
    ErrorPanel->setFillColour(Qt::black);
    ErrorPanel->setBorder(QColor(), 0);
    ErrorPanel->setCornerRadius(0);

    ErrorText = new TouchLabel(QString(), ErrorPanel);
    ErrorText->setObjectName(QStringLiteral("ErrorText"));
    ErrorText->setGeometry(10, 8, 360, 232);
    ErrorText->setFontPixelSize(NoticePixels);
    ErrorText->setTextColour(Qt::white);
    ErrorText->setAlignment(Qt::AlignCenter);
    ErrorText->setWordWrap(true);

    CloseBtn = new TouchButton(QStringLiteral("CLOSE"), ErrorPanel);
    CloseBtn->setObjectName(QStringLiteral("CloseBtn"));
    CloseBtn->setGeometry(10, 248, 220, 62);
    CloseBtn->setFontPixelSize(24);
    CloseBtn->setBevelColour(QColor(255, 0, 0));

    ReadMeBtn = new TouchButton(QString(), ErrorPanel);
    ReadMeBtn->setObjectName(QStringLiteral("ReadMeBtn"));
    ReadMeBtn->setGeometry(280, 248, 90, 62);
    ReadMeBtn->setGlyph(Glyph::ReadAloud);
    ReadMeBtn->setBevelColour(QColor(0, 0, 255));

    connect(CloseBtn, &QAbstractButton::clicked, this, &TMyError::CloseBtnClick);
    connect(ReadMeBtn, &QAbstractButton::clicked, this, &TMyError::ReadMeBtnClick);
}

bool TMyError::event(QEvent* event)
{
    if (event->type() == QEvent::WindowBlocked)
        joinTopModalDialog();
    return QDialog::event(event);
}

void TMyError::joinTopModalDialog()
{
    create();
    QWindow* modal = QGuiApplication::modalWindow();
    QWindow* owner = modal && modal != windowHandle() ? modal : m_mainWindow->windowHandle();
    if (windowHandle()->transientParent() != owner)
        windowHandle()->setTransientParent(owner);
}

void TMyError::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(255, 0, 0));
}

void TMyError::showNotice(const QString& text)
{
    centreOnWindow(*this, *m_mainWindow);
    ErrorText->setFont(noticeFont(text));
    ErrorText->setText(text);
    joinTopModalDialog();
    show();
    raise();
}

QFont TMyError::noticeFont(const QString& text) const
{
    return WidgetPainting::wrappingFont(WidgetPainting::touchFont(NoticePixels, false), text,
                                        ErrorText->contentsRect().size(), SmallestNoticePixels);
}

QString TMyError::spokenText(const QString& notice)
{
    const qsizetype lineBreak = notice.indexOf(u'\n');
    QString text = lineBreak < 0 ? notice : notice.mid(lineBreak + 2);
    const qsizetype open = text.indexOf(u'(');
    if (open >= 0)
        text.remove(open, 1);
    const qsizetype close = text.indexOf(u')');
    if (close >= 0)
        text.remove(close, 1);
    return text;
}

void TMyError::CloseBtnClick()
{
    m_feedback.Click();
    hide();
}

void TMyError::ReadMeBtnClick()
{
    m_feedback.SpeakText(spokenText(ErrorText->text()));
}
