#pragma once
// The on-screen keyboard's three layouts of its 26 letter keys and the shift key that
// switches between the two cases.
#include <QString>

class KeyboardLayout {
public:
    enum class Shown { LowerCase, UpperCase, Symbols };

    // The caption of letter key `letter` ('A'..'Z'), and so the character it types, in
    // layout `shown`.
    static QString caption(QChar letter, Shown shown);

    Shown shown() const { return m_shown; }
    // The caption of the shift key: the case that pressing it will show ("ab" or "AB").
    QString shiftCaption() const;

    // Shows the other case, also when the symbols are shown.
    void shift();
    // Shows the symbols; the shift key keeps its case.
    void showSymbols() { m_shown = Shown::Symbols; }

private:
    Shown m_shown = Shown::UpperCase;
    bool m_upperCase = true;
};
