#include "home/HomeClock.h"

HomeClock::HomeClock()
    : HomeClock(&QDateTime::currentDateTime, QLocale::system(), QLocale::system().timeFormat(QLocale::LongFormat))
{
}

HomeClock::HomeClock(Now now, const QLocale& locale, const QString& longTimeFormat)
    : m_now(std::move(now)), m_locale(locale), m_longTimeFormat(longTimeFormat)
{
}

HomeClock::Texts HomeClock::texts() const
{
    const QDateTime now = m_now();
    return {now.date().toString(ShortDateFormat), hoursAndMinutes(m_locale.toString(now.time(), m_longTimeFormat))};
}

QString HomeClock::hoursAndMinutes(const QString& longTimeText)
{
    // Locales write the marker as "PM" or "pm"; either way the clock shows "PM".
    QString marker;
    if (longTimeText.contains(QLatin1String("AM"), Qt::CaseInsensitive))
        marker = QStringLiteral("AM");
    if (longTimeText.contains(QLatin1String("PM"), Qt::CaseInsensitive))
        marker = QStringLiteral("PM");

    // A few locales separate the fields with "." instead of ":".
    const QChar separator = longTimeText.contains(QLatin1Char(':')) ? QLatin1Char(':') : QLatin1Char('.');
    const qsizetype colon = longTimeText.indexOf(separator);
    if (colon < 0)
        return QStringLiteral(": ") + marker + QLatin1Char(' ');
    qsizetype end = colon + 1;
    while (end < longTimeText.size() && longTimeText.at(end).isDigit())
        ++end;
    return longTimeText.left(colon) + QLatin1Char(':') + longTimeText.mid(colon + 1, end - colon - 1) + QLatin1Char(' ')
        + marker + QLatin1Char(' ');
}
