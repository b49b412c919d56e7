#include "dialogs/Myinputunit.h"

#include "app/Feedback.h"
#include "widgets/CaptionPanel.h"
#include "widgets/ColourStyles.h"
#include "widgets/Placement.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"

#include <QLineEdit>
#include <QPainter>

namespace {

constexpr int Border = 10;
constexpr int KeySize = 57;
constexpr int WideKey = 97;
constexpr int KeyFontPixels = 30;
constexpr int RowsLeft = 14;
constexpr int RowTops[] = {212, 290, 368, 446};
// The second row of letters stands a little to the right of the first.
constexpr int SecondRowIndent = 16;
const QString LetterRows[] = {QStringLiteral("QWERTYUIOP"), QStringLiteral("ASDFGHJKL"), QStringLiteral("ZXCVBNM")};

} // namespace

TMyInput::TMyInput(QWidget* mainWindow, Feedback& feedback)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint)
    , m_feedback(feedback)
{
    setObjectName(QStringLiteral("TMyInput"));
    setModal(true);
    setFixedSize(694, 530);
    setWindowOpacity(245.0 / 255.0);
    centreOnWindow(*this, *mainWindow);

    AdvSmoothPanel1 = new CaptionPanel(QString(), this);
    AdvSmoothPanel1->setObjectName(QStringLiteral("AdvSmoothPanel1"));
    AdvSmoothPanel1->setGeometry(Border, Border, 673, 124);
    PromptDisp = new TouchLabel(QString(), AdvSmoothPanel1);
    PromptDisp->setObjectName(QStringLiteral("PromptDisp"));
    PromptDisp->setGeometry(24, 10, 625, 104);
    PromptDisp->setFontPixelSize(37);
    PromptDisp->setWordWrap(true);
    PromptDisp->setAlignment(Qt::AlignCenter);

    InputBox = new QLineEdit(this);
    InputBox->setObjectName(QStringLiteral("InputBox"));
    InputBox->setGeometry(18, 142, 657, 56);
    InputBox->setMaxLength(MaxLength);
    InputBox->setPlaceholderText(QStringLiteral("Your Text Here"));
    InputBox->setAlignment(Qt::AlignCenter);
    InputBox->setFocusPolicy(Qt::ClickFocus);
    InputBox->setStyleSheet(QStringLiteral("QLineEdit { background: black; color: white; font-size: 40px; }"));
    InputBox->setFocus();

    for (int row = 0; row < 3; ++row) {
        const int left = RowsLeft + (row == 1 ? SecondRowIndent : row == 2 ? KeySize : 0);
        for (qsizetype i = 0; i < LetterRows[row].size(); ++i) {
            const QChar letter = LetterRows[row].at(i);
            TouchButton* key = makeKey(QString(letter) + QStringLiteral("Btn"), QString(letter),
                                       {left + int(i) * KeySize, RowTops[row], KeySize, KeySize});
            m_letterKeys.at(letter.unicode() - u'A') = key;
            connect(key, &QAbstractButton::clicked, this, [this, key] { QBtnClick(key); });
        }
    }
    for (int position = 0; position < 10; ++position) {
        const int digit = (position + 1) % 10; // 1 .. 9, then 0
        TouchButton* key = makeKey(QStringLiteral("Btn%1").arg(digit), QString::number(digit),
                                   {RowsLeft + position * KeySize, RowTops[3], KeySize, KeySize});
        m_digitKeys.at(digit) = key;
        connect(key, &QAbstractButton::clicked, this, [this, key] { QBtnClick(key); });
    }

    const int rowEnd = RowsLeft + 10 * KeySize;
    DelBtn = makeKey(QStringLiteral("DelBtn"), QStringLiteral("DEL"), {rowEnd, RowTops[0], WideKey, KeySize});
    SymbolBtn = makeKey(QStringLiteral("SymbolBtn"), QStringLiteral("Symbol"),
                        {RowsLeft + SecondRowIndent + 9 * KeySize, RowTops[1], 121, KeySize});
    ShiftBtn = makeKey(QStringLiteral("ShiftBtn"), m_layout.shiftCaption(), {RowsLeft, RowTops[2], KeySize, KeySize});
    const int spaceLeft = RowsLeft + 8 * KeySize;
    SpaceBtn = makeKey(QStringLiteral("SpaceBtn"), QStringLiteral("SPACE"), {spaceLeft, RowTops[2], WideKey, KeySize});
    CancelBtn = makeKey(QStringLiteral("CancelBtn"), QStringLiteral("Cancel"),
                        {spaceLeft + WideKey, RowTops[2], WideKey, KeySize});
    OkBtn = makeKey(QStringLiteral("OkBtn"), QStringLiteral("OK"), {rowEnd, RowTops[3], WideKey, KeySize});
    for (TouchButton* key : {DelBtn, SymbolBtn, ShiftBtn, SpaceBtn, CancelBtn, OkBtn})
        key->setFontPixelSize(20);

    connect(DelBtn, &QAbstractButton::clicked, this, &TMyInput::DelBtnClick);
    connect(SymbolBtn, &QAbstractButton::clicked, this, &TMyInput::SymbolBtnClick);
    connect(ShiftBtn, &QAbstractButton::clicked, this, &TMyInput::ShiftBtnClick);
    connect(SpaceBtn, &QAbstractButton::clicked, this, &TMyInput::SpaceBtnClick);
    connect(CancelBtn, &QAbstractButton::clicked, this, &TMyInput::CancelBtnClick);
    connect(OkBtn, &QAbstractButton::clicked, this, &TMyInput::OkBtnClick);
}

std::optional<QString> TMyInput::AskText(QWidget* mainWindow, Feedback& feedback, const QString& prompt, const QString& initialText,
                                         SymbolKeys symbols)
{
    TMyInput input(mainWindow, feedback);
    input.PromptDisp->setText(prompt);
    input.InputBox->setText(initialText);
    input.setSymbolKeys(symbols);
    if (input.exec() != Ok)
        return std::nullopt;
    return input.InputBox->text();
}

TouchButton* TMyInput::makeKey(const QString& name, const QString& caption, QRect place)
{
    auto* key = new TouchButton(caption, this);
    key->setObjectName(name);
    key->setGeometry(place);
    key->setFontPixelSize(KeyFontPixels);
    // Keys leave the focus in the box, so its caret stays visible.
    key->setFocusPolicy(Qt::NoFocus);
    return key;
}

TouchButton* TMyInput::letterKey(QChar letter) const
{
    return m_letterKeys.at(letter.toUpper().unicode() - u'A');
}

void TMyInput::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 255));
    painter.fillRect(rect().adjusted(Border, Border, -Border, -Border), ColourStyles::instance().current().window);
}

void TMyInput::setVisible(bool visible)
{
    QDialog::setVisible(visible);
    // Showing focuses the box as if tabbed to, which selects its text; the caret goes to
    // the end instead, so typing appends.
    if (visible)
        InputBox->end(false);
}

void TMyInput::showLayout()
{
    for (size_t i = 0; i < m_letterKeys.size(); ++i)
        m_letterKeys[i]->setText(KeyboardLayout::caption(QChar(char16_t(u'A' + i)), m_layout.shown()));
}

void TMyInput::QBtnClick(TouchButton* key)
{
    m_feedback.Click();
    const QString caption = key->text();
    // At the caret, replacing any selection; at the length limit nothing goes in.
    InputBox->insert(caption);
    if (m_feedback.liveSetting(LiveSetting::SpeechSounds))
        m_feedback.SpeakPunctuated(caption);
}

void TMyInput::ShiftBtnClick()
{
    m_feedback.Click();
    m_layout.shift();
    ShiftBtn->setText(m_layout.shiftCaption());
    showLayout();
}

void TMyInput::SymbolBtnClick()
{
    if (m_symbols == SymbolKeys::Locked) {
        m_feedback.PlayUiSound(UiSound::Error, LiveSetting::OtherSounds);
        return;
    }
    m_feedback.Click();
    m_layout.showSymbols();
    showLayout();
}

void TMyInput::SpaceBtnClick()
{
    m_feedback.Click();
    InputBox->insert(QStringLiteral(" "));
}

void TMyInput::DelBtnClick()
{
    QString text = InputBox->text();
    if (text.isEmpty())
        return;
    m_feedback.Click();
    // A character outside the basic plane is two UTF-16 units; never leave half of one.
    const bool surrogatePair =
        text.size() >= 2 && text.back().isLowSurrogate() && text.at(text.size() - 2).isHighSurrogate();
    text.chop(surrogatePair ? 2 : 1);
    InputBox->setText(text);
    InputBox->setCursorPosition(int(text.size()));
}

void TMyInput::OkBtnClick()
{
    if (InputBox->text().trimmed().isEmpty()) {
        m_feedback.PlayUiSound(UiSound::Error, LiveSetting::OtherSounds);
        return;
    }
    closeWith(Ok);
}

void TMyInput::CancelBtnClick()
{
    closeWith(Cancel);
}

void TMyInput::closeWith(ModalResult result)
{
    m_feedback.Click();
    // Cleared before closing so the question never flashes up again.
    PromptDisp->setText(QString());
    PromptDisp->repaint();
    if (result == Cancel)
        InputBox->clear();
    m_symbols = SymbolKeys::Allowed;
    done(result);
}
