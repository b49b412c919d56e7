#include "dialogs/Notices.h"

#include "app/Feedback.h"
#include "dialogs/Myerrorunit.h"
#include "dialogs/Mypromptunit.h"
#include "platform/MessageBox.h"

#include <cstdio>

Notices::Notices(QWidget* window, MessageBox& messageBox, Feedback& feedback)
    : m_window(window)
    , m_messageBox(messageBox)
    , m_feedback(feedback)
{
}

void Notices::attach(TMyError* notice, TMyPrompt* prompt)
{
    m_notice = notice;
    m_prompt = prompt;
}

void Notices::ShowErrorNotice(const QString& text)
{
    m_notice->hide();
    m_feedback.PlayUiSound(UiSound::Error, LiveSetting::OtherSounds);
    m_notice->showNotice(text);
}

void Notices::ShowMessage(const QString& text)
{
    if (m_unattended)
        std::fprintf(stderr, "Karvex: %s\n", qPrintable(QString(text).replace(u'\n', u' ')));
    else
        m_messageBox.show(m_window, text);
}

bool Notices::AskYesNo(const QString& question)
{
    return m_prompt->ask(question);
}
