#include "dialogs/KeyboardLayout.h"

namespace {

// The symbol each letter key types in the symbols layout, for 'A' to 'Z'.
const QString SymbolsByLetter = QStringLiteral("[\"\u00A3$%/_*.()-\\=+{}!]:;@?#,|");

} // namespace

QString KeyboardLayout::caption(QChar letter, Shown shown)
{
    const QChar upper = letter.toUpper();
    switch (shown) {
    case Shown::LowerCase: return QString(upper.toLower());
    case Shown::UpperCase: return QString(upper);
    case Shown::Symbols: return QString(SymbolsByLetter.at(upper.unicode() - u'A'));
    }
    return QString();
}

QString KeyboardLayout::shiftCaption() const
{
    return m_upperCase ? QStringLiteral("ab") : QStringLiteral("AB");
}

void KeyboardLayout::shift()
{
    m_upperCase = !m_upperCase;
    m_shown = m_upperCase ? Shown::UpperCase : Shown::LowerCase;
}
