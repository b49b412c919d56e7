#pragma once
// The date and time texts of the home screen, from an injectable clock and time format.
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <functional>
#include <optional>

class HomeClock {
public:
    // The program's short date format: day and month without leading zeros, "-" between.
    static inline const QString ShortDateFormat = QStringLiteral("d-M-yyyy");

    using Now = std::function<QDateTime()>;
    // By default the machine's clock and its locale's long time format.
    HomeClock();
    HomeClock(Now now, const QLocale& locale, const QString& longTimeFormat);

    struct Texts {
        QString date; // "8-3-2012"
        QString time; // "3:45 PM " or "15:45  "
    };
    // Both texts from one reading of the clock.
    Texts texts() const;

    // Hours and minutes cut from a long time text ("3:45:07 PM" -> "3:45 PM "): the text
    // before the first ":", ":", the minutes after it, a blank, "AM" or "PM" when the text
    // has such a marker in either case (PM wins when both occur), a blank. nullopt when the
    // text has no ":" (or ".") between the digits 0-9 of hours and minutes, as in Japanese
    // ("15時45分07秒") or Korean ("오후 3시 45분 7초").
    static std::optional<QString> hoursAndMinutes(const QString& longTimeText);

    // The same texts made from the time itself: on a 12-hour clock with "AM" or "PM" when
    // `longTimeFormat` shows a marker, else on a 24-hour clock.
    static QString hoursAndMinutes(const QTime& time, const QString& longTimeFormat);

private:
    Now m_now;
    QLocale m_locale;
    QString m_longTimeFormat;
};
