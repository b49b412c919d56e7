#include "gps/NmeaReceiver.h"

#include "platform/TextFile.h"

#include <charconv>
#include <cmath>
#include <string>

namespace Nmea {

QString FloatToStr(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0)
        return QStringLiteral("0");

    // 15 significant digits, rounded: "d.dddddddddddddde+XX".
    const QString e = QString::number(std::fabs(value), 'e', 14);
    const qsizetype ePos = e.indexOf(QLatin1Char('e'));
    QString digits = e.left(1) + e.mid(2, ePos - 2);
    const int exponent = e.mid(ePos + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);

    QString text = value < 0 ? QStringLiteral("-") : QString();
    if (exponent >= 15 || exponent < -5) {
        text += digits.left(1);
        if (digits.size() > 1)
            text += QLatin1Char('.') + digits.mid(1);
        text += QLatin1Char('E') + QString::number(exponent);
    } else if (exponent >= 0) {
        const int whole = exponent + 1;
        if (digits.size() <= whole) {
            text += digits + QString(whole - digits.size(), QLatin1Char('0'));
        } else {
            text += digits.left(whole) + QLatin1Char('.') + digits.mid(whole);
        }
    } else {
        text += QStringLiteral("0.") + QString(-exponent - 1, QLatin1Char('0')) + digits;
    }
    return text;
}

std::optional<double> StrToFloat(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;

    std::string number;
    qsizetype i = begin;
    if (i < end && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        if (text.at(i) == QLatin1Char('-'))
            number += '-';
        ++i;
    }
    int digits = 0;
    while (i < end && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9')) {
        number += char(text.at(i).unicode());
        ++i;
        ++digits;
    }
    if (i < end && text.at(i) == QLatin1Char('.')) {
        number += '.';
        ++i;
        while (i < end && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9')) {
            number += char(text.at(i).unicode());
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < end && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        number += 'e';
        ++i;
        if (i < end && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
            if (text.at(i) == QLatin1Char('-'))
                number += '-';
            ++i;
        }
        int exponentDigits = 0;
        while (i < end && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9')) {
            number += char(text.at(i).unicode());
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != end)
        return std::nullopt;

    double value = 0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec != std::errc() || ptr != number.data() + number.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QByteArray Trim(const QByteArray& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && quint8(text.at(begin)) <= 32)
        ++begin;
    while (end > begin && quint8(text.at(end - 1)) <= 32)
        --end;
    return text.mid(begin, end - begin);
}

QString Trim(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

} // namespace Nmea

namespace {

const QString RmcHeader = QStringLiteral("$GPRMC,");

// The text before the first "." ("14.15" -> "14"; the whole text when it has none).
QString BeforePoint(const QString& text)
{
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    return point < 0 ? text : text.left(point);
}

} // namespace

NmeaReceiver::NmeaReceiver() = default;

// ---------------------------------------------------------------------------------------
// Pending text and line cutting (Memo1Change)

void NmeaReceiver::AppendPending(const QByteArray& chunk)
{
    if (chunk.isEmpty())
        return;
    m_pending += chunk;
    PendingChanged();
}

void NmeaReceiver::SetPending(const QByteArray& text)
{
    if (text == m_pending)
        return;
    m_pending = text;
    PendingChanged();
}

void NmeaReceiver::ClearPending()
{
    if (m_pending.isEmpty())
        return;
    m_pending.clear();
    PendingChanged();
}

void NmeaReceiver::PendingChanged()
{
    if (OnPendingChanged)
        OnPendingChanged();
    // A change made while lines are being cut (by a handler that ran while events were
    // processed, or by the 51st line emptying the text) is taken up by the running loop.
    if (!m_cutting)
        CutLines();
}

void NmeaReceiver::CutLines()
{
    m_cutting = true;
    while (CutOneLine()) {
        if (LetEventsRun)
            LetEventsRun();
    }
    m_cutting = false;

    // Nothing more can be cut: no line break or no "$". Keep the text bounded. Its last
    // MaxPendingLength characters hold any sentence that is still arriving; what goes can
    // only have become part of an over-long line or of lines without "$".
    if (m_pending.size() > MaxPendingLength) {
        m_pending.remove(0, m_pending.size() - MaxPendingLength);
        if (OnPendingChanged)
            OnPendingChanged();
    }
}

bool NmeaReceiver::CutOneLine()
{
    // 1. Stop without a CR LF pair or without "$".
    const qsizetype lineBreak = m_pending.indexOf("\r\n");
    if (lineBreak < 0)
        return false;
    const qsizetype dollar = m_pending.indexOf('$');
    if (dollar < 0)
        return false;

    // 2.-3. The candidate runs from the first "$" to the first line break; empty when
    // the line break comes first.
    const QByteArray candidate = lineBreak > dollar ? m_pending.mid(dollar, lineBreak - dollar) : QByteArray();

    // 4. Longer than 6 characters: stripped, it becomes the new top line of the log.
    if (candidate.size() > 6) {
        m_log.prepend(TextFile::fromWindows1252(Nmea::Trim(candidate)));
        ++m_logged;
        LogChanged();
    }

    // 5. Remove everything up to and including the LF of the first line break (the
    // 51st line may have emptied the text meanwhile).
    m_pending.remove(0, std::min<qsizetype>(m_pending.size(), lineBreak + 2));
    if (OnPendingChanged)
        OnPendingChanged();
    return true;
}

// ---------------------------------------------------------------------------------------
// Log keeping and decoding (GPSLogChange)

void NmeaReceiver::ClearLog()
{
    if (m_log.isEmpty())
        return;
    m_log.clear();
    LogChanged();
}

void NmeaReceiver::Reset()
{
    ClearLog();
    ClearPending();
}

void NmeaReceiver::LogChanged()
{
    if (OnLogChanged)
        OnLogChanged();

    // 1. An empty log: nothing to do.
    if (m_log.isEmpty())
        return;

    // 2. The 51st line empties the pending text and then the log; nothing is decoded.
    if (m_log.size() > MaxLogLines) {
        m_pending.clear();
        if (OnPendingChanged)
            OnPendingChanged();
        m_log.clear();
        if (OnLogChanged)
            OnLogChanged();
        return;
    }

    // 3. The sentence inserted before the newest one.
    const QString examined = m_log.size() > 1 ? m_log.at(1) : QString();

    // 4. Not RMC: shown in blue.
    if (!examined.contains(RmcHeader)) {
        LastSentence = Nmea::Trim(examined);
        LastSentenceIsRmc = false;
        if (OnLastSentenceChanged)
            OnLastSentenceChanged(false);
        return;
    }

    // 5. RMC: shown in green at once, then decoded.
    LastSentence = Nmea::Trim(examined);
    LastSentenceIsRmc = true;
    if (OnLastSentenceChanged)
        OnLastSentenceChanged(true);
    Decode(examined);
}

void NmeaReceiver::Decode(const QString& sentence)
{
    // 6. Drop the first 7 characters, then take eight comma-ended fields; once no comma
    // is left, the field and all later ones are empty.
    QString rest = sentence.mid(7);
    QString fields[9];
    for (int n = 1; n <= 8; ++n) {
        const qsizetype comma = rest.indexOf(QLatin1Char(','));
        if (comma < 0)
            break;
        fields[n] = rest.left(comma);
        rest.remove(0, comma + 1);
    }
    const QString& speedField = fields[7];
    const QString& courseField = fields[8];

    // 7. Decode, stopping at the first conversion that fails.
    const std::optional<double> knots = Nmea::StrToFloat(speedField);
    if (!knots)
        return;
    ++m_decoded;
    m_readings.SpeedKnots = *knots;
    KphDisplay = Nmea::FloatToStr(m_readings.SpeedKnots);
    m_readings.SpeedMph = m_readings.SpeedKnots * Nmea::MphPerKnot;
    MphDisplay = Nmea::FloatToStr(m_readings.SpeedMph);
    m_readings.SpeedKmph = m_readings.SpeedKnots * Nmea::KmphPerKnot;
    KmphDisp = Nmea::FloatToStr(m_readings.SpeedKmph);
    Speed = BeforePoint(MphDisplay);

    const std::optional<double> course = Nmea::StrToFloat(courseField);
    if (course) {
        m_readings.HeadingDegrees = *course;
        Heading = BeforePoint(courseField);
    }
    if (OnReadingsChanged)
        OnReadingsChanged();
}
