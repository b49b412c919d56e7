#pragma once
// The date and time texts of the home screen, from an injectable clock and time format.
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <functional>

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
    // has such a marker in either case (PM wins when both occur), a blank.
    static QString hoursAndMinutes(const QString& longTimeText);

private:
    Now m_now;
    QLocale m_locale;
    QString m_longTimeFormat;
};
