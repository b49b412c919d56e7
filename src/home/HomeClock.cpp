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
    const std::optional<QString> cut = hoursAndMinutes(m_locale.toString(now.time(), m_longTimeFormat));
    return {now.date().toString(ShortDateFormat), cut ? *cut : hoursAndMinutes(now.time(), m_longTimeFormat)};
}

std::optional<QString> HomeClock::hoursAndMinutes(const QString& longTimeText)
{
    // Locales write the marker as "PM" or "pm"; either way the clock shows "PM".
    QString marker;
    if (longTimeText.contains(QLatin1String("AM"), Qt::CaseInsensitive))
        marker = QStringLiteral("AM");
    if (longTimeText.contains(QLatin1String("PM"), Qt::CaseInsensitive))
        marker = QStringLiteral("PM");

    // A few locales separate the fields with "." instead of ":".
    const QChar separator = longTimeText.contains(QLatin1Char(':')) ? QLatin1Char(':') : QLatin1Char('.');
    const auto isAsciiDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    const qsizetype colon = longTimeText.indexOf(separator);
    if (colon < 1 || !isAsciiDigit(longTimeText.at(colon - 1)))
        return std::nullopt;
    qsizetype end = colon + 1;
    while (end < longTimeText.size() && isAsciiDigit(longTimeText.at(end)))
        ++end;
    if (end == colon + 1)
        return std::nullopt;
    return longTimeText.left(colon) + QLatin1Char(':') + longTimeText.mid(colon + 1, end - colon - 1) + QLatin1Char(' ')
        + marker + QLatin1Char(' ');
}

QString HomeClock::hoursAndMinutes(const QTime& time, const QString& longTimeFormat)
{
    // A marker is "a", "A", "ap" or "AP" outside the quoted literal text of the format.
    bool quoted = false;
    bool twelveHour = false;
    for (QChar c : longTimeFormat) {
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted && (c == u'a' || c == u'A'))
            twelveHour = true;
    }
    const QString minutes = QStringLiteral("%1").arg(time.minute(), 2, 10, QLatin1Char('0'));
    if (!twelveHour)
        return QString::number(time.hour()) + u':' + minutes + QStringLiteral("  ");
    const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    return QString::number(hour) + u':' + minutes + (time.hour() < 12 ? QStringLiteral(" AM ") : QStringLiteral(" PM "));
}
