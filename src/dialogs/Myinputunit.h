#pragma once
// The touch keyboard: a prompt, a one-line box and big keys in three layouts (lower case,
// upper case, symbols). Made for one question and discarded afterwards.
#include "dialogs/KeyboardLayout.h"

#include <QDialog>
#include <array>
#include <optional>

class CaptionPanel;
class QLineEdit;
class Feedback;
class TouchButton;
class TouchLabel;

// Whether the symbols layout may be shown (playlist names must not hold symbols).
enum class SymbolKeys { Allowed, Locked };

class TMyInput : public QDialog {
    Q_OBJECT
public:
    enum ModalResult { Ok = 1, Cancel = 2 };
    static constexpr int MaxLength = 80;

    TMyInput(QWidget* mainWindow, Feedback& feedback);

    // Shows the keyboard modally with `prompt` and `initialText`; the typed text, untrimmed,
    // when confirmed with OK (never blank), nothing on Cancel.
    static std::optional<QString> AskText(QWidget* mainWindow, Feedback& feedback, const QString& prompt, const QString& initialText,
                                          SymbolKeys symbols);

    void setSymbolKeys(SymbolKeys symbols) { m_symbols = symbols; }
    SymbolKeys symbolKeys() const { return m_symbols; }
    KeyboardLayout::Shown shownLayout() const { return m_layout.shown(); }

    // The letter key that types `letter` ('A'..'Z') in the upper-case layout.
    TouchButton* letterKey(QChar letter) const;
    // The key of `digit` (0..9).
    TouchButton* digitKey(int digit) const { return m_digitKeys.at(digit); }

    CaptionPanel* AdvSmoothPanel1;
    TouchLabel* PromptDisp;
    QLineEdit* InputBox;
    TouchButton* DelBtn;
    TouchButton* SymbolBtn;
    TouchButton* ShiftBtn;
    TouchButton* SpaceBtn;
    TouchButton* CancelBtn;
    TouchButton* OkBtn;

    // Every letter and digit key: types the key's caption.
    void QBtnClick(TouchButton* key);
    void ShiftBtnClick();
    void SymbolBtnClick();
    void SpaceBtnClick();
    void DelBtnClick();
    void OkBtnClick();
    void CancelBtnClick();

    void setVisible(bool visible) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TouchButton* makeKey(const QString& name, const QString& caption, QRect place);
    void showLayout();
    void closeWith(ModalResult result);

    Feedback& m_feedback;
    KeyboardLayout m_layout;
    SymbolKeys m_symbols = SymbolKeys::Allowed;
    std::array<TouchButton*, 26> m_letterKeys{}; // 'A' to 'Z'
    std::array<TouchButton*, 10> m_digitKeys{};  // by digit
};
