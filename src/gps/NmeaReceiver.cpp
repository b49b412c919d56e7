#include "gps/NmeaReceiver.h"

#include "platform/TextFile.h"

#include <charconv>
#include <chrono>
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

namespace {

int HexDigit(int c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Characters of either text as codes: a byte, or a UTF-16 unit.
int CodeAt(const QByteArray& text, qsizetype i)
{
    return quint8(text.at(i));
}
int CodeAt(const QString& text, qsizetype i)
{
    return text.at(i).unicode();
}

template <typename Text>
Checksum CheckSumOf(const Text& sentence)
{
    const qsizetype size = sentence.size();
    if (size < 4 || CodeAt(sentence, size - 3) != '*')
        return Checksum::Absent;
    const int high = HexDigit(CodeAt(sentence, size - 2));
    const int low = HexDigit(CodeAt(sentence, size - 1));
    if (high < 0 || low < 0)
        return Checksum::Absent;
    const qsizetype dollar = sentence.indexOf('$');
    if (dollar < 0 || dollar >= size - 3)
        return Checksum::Bad;
    int sum = 0;
    for (qsizetype i = dollar + 1; i < size - 3; ++i) {
        const int c = CodeAt(sentence, i);
        if (c > 127) // NMEA text is ASCII: anything else was damaged on the way
            return Checksum::Bad;
        sum ^= c;
    }
    return sum == high * 16 + low ? Checksum::Good : Checksum::Bad;
}

} // namespace

Checksum CheckSum(const QByteArray& sentence)
{
    return CheckSumOf(sentence);
}

Checksum CheckSum(const QString& sentence)
{
    return CheckSumOf(sentence);
}

QByteArray WithChecksum(const QByteArray& body)
{
    quint8 sum = 0;
    for (const char c : body)
        sum ^= quint8(c);
    return '$' + body + '*' + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper();
}

bool IsRmc(const QString& text)
{
    const auto capital = [](QChar c) { return c >= QLatin1Char('A') && c <= QLatin1Char('Z'); };
    for (qsizetype at = text.indexOf(QLatin1String("RMC,")); at >= 0; at = text.indexOf(QLatin1String("RMC,"), at + 1)) {
        if (at >= 3 && text.at(at - 3) == QLatin1Char('$') && capital(text.at(at - 2)) && capital(text.at(at - 1)))
            return true;
    }
    return false;
}

} // namespace Nmea

namespace {

// The length of "$GPRMC," (any talker): what is dropped before the fields are cut.
constexpr int RmcHeaderLength = 7;
// RMC fields by number (NMEA 0183; the mode indicator came with version 2.3).
enum RmcField { Time = 1, Status, Latitude, NorthSouth, Longitude, EastWest, SpeedKnots, Course, Date, ModeIndicator = 12 };

// Degrees from NMEA's "ddmm.mmmm" / "dddmm.mmmm" and its hemisphere letter.
std::optional<double> Degrees(const QString& value, const QString& hemisphere, QChar negative, double limit)
{
    const std::optional<double> number = Nmea::StrToFloat(value);
    if (!number || *number < 0)
        return std::nullopt;
    const double whole = std::floor(*number / 100);
    const double degrees = whole + (*number - whole * 100) / 60;
    if (degrees > limit || hemisphere.size() != 1)
        return std::nullopt;
    return hemisphere.at(0) == negative ? -degrees : degrees;
}

// The fix's UTC date and time from "hhmmss.ss" and "ddmmyy".
QDateTime FixTime(const QString& time, const QString& date)
{
    if (time.size() < 6 || date.size() != 6)
        return {};
    const int year = date.mid(4, 2).toInt(); // two digits: 80-99 are 1980-1999
    const QDate day(year < 80 ? 2000 + year : 1900 + year, date.mid(2, 2).toInt(), date.left(2).toInt());
    const QTime clock(time.left(2).toInt(), time.mid(2, 2).toInt(), time.mid(4, 2).toInt());
    if (!day.isValid() || !clock.isValid())
        return {};
    return QDateTime(day, clock, Qt::UTC);
}

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
    // 1. Stop without a line break (LF, with or without CR before it) or without "$".
    const qsizetype lineFeed = m_pending.indexOf('\n');
    if (lineFeed < 0)
        return false;
    const qsizetype dollar = m_pending.indexOf('$');
    if (dollar < 0)
        return false;
    const qsizetype lineBreak = lineFeed > 0 && m_pending.at(lineFeed - 1) == '\r' ? lineFeed - 1 : lineFeed;

    // 2.-3. The candidate runs from the first "$" to the first line break; empty when
    // the line break comes first.
    const QByteArray candidate = lineBreak > dollar ? m_pending.mid(dollar, lineBreak - dollar) : QByteArray();

    // 4. Longer than 6 characters: stripped, it becomes the new top line of the log.
    if (candidate.size() > 6) {
        m_log.prepend(TextFile::fromWindows1252(Nmea::Trim(candidate)));
        LogChanged();
    }

    // 5. Remove everything up to and including the LF of the first line break (the
    // 51st line may have emptied the text meanwhile).
    m_pending.remove(0, std::min<qsizetype>(m_pending.size(), lineFeed + 1));
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

    // 4. A damaged sentence (wrong checksum) is shown in red and not decoded; any other
    // but RMC in blue.
    LastSentence = Nmea::Trim(examined);
    const bool damaged = Nmea::CheckSum(LastSentence) == Nmea::Checksum::Bad;
    if (damaged || !Nmea::IsRmc(LastSentence)) {
        LastSentenceKind = damaged ? SentenceKind::Damaged : SentenceKind::Other;
        if (OnLastSentenceChanged)
            OnLastSentenceChanged(false);
        return;
    }

    // 5. RMC: shown in green at once, then decoded.
    LastSentenceKind = SentenceKind::Rmc;
    if (OnLastSentenceChanged)
        OnLastSentenceChanged(true);
    Decode(LastSentence);
}

qint64 NmeaReceiver::Now() const
{
    if (MonotonicMs)
        return MonotonicMs();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool NmeaReceiver::FixIsStale() const
{
    return m_lastValidFixAt && Now() - *m_lastValidFixAt >= StaleAfterMs;
}

void NmeaReceiver::LoseFix()
{
    m_lastValidFixAt.reset();
    m_readings = GpsReadings();
    KphDisplay = MphDisplay = KmphDisp = NoSpeedText;
    Speed = Heading = NoReadingText;
    if (OnReadingsChanged)
        OnReadingsChanged();
}

void NmeaReceiver::Decode(const QString& sentence)
{
    // 6. Drop the header ("$GPRMC," of any talker), then take comma-ended fields; once no
    // comma is left, the field and all later ones are empty. The mode indicator, the
    // last field of NMEA 2.3, ends at the "*" of the checksum or at the end.
    QStringView rest = QStringView(sentence).mid(RmcHeaderLength);
    QStringView fields[ModeIndicator + 1];
    for (int n = Time; n < ModeIndicator; ++n) {
        const qsizetype comma = rest.indexOf(QLatin1Char(','));
        if (comma < 0) {
            rest = {};
            break;
        }
        fields[n] = rest.left(comma);
        rest = rest.mid(comma + 1);
    }
    qsizetype modeEnd = rest.size();
    for (const QLatin1Char stop : {QLatin1Char(','), QLatin1Char('*')}) {
        const qsizetype at = rest.indexOf(stop);
        if (at >= 0)
            modeEnd = std::min(modeEnd, at);
    }
    fields[ModeIndicator] = rest.left(modeEnd);

    // A fix the receiver reports lost: no reading is true any more.
    if (fields[Status] == QLatin1String("V") || fields[ModeIndicator] == QLatin1String("N")) {
        LoseFix();
        return;
    }
    const QString speedField = fields[SpeedKnots].toString();
    const QString courseField = fields[Course].toString();

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
    m_lastValidFixAt = Now();
    const std::optional<double> latitude = Degrees(fields[Latitude].toString(), fields[NorthSouth].toString(), QLatin1Char('S'), 90);
    const std::optional<double> longitude = Degrees(fields[Longitude].toString(), fields[EastWest].toString(), QLatin1Char('W'), 180);
    const QDateTime utc = FixTime(fields[Time].toString(), fields[Date].toString());
    if (latitude && longitude && utc.isValid())
        m_lastFix = GpsFix{*latitude, *longitude, utc};
    if (OnReadingsChanged)
        OnReadingsChanged();
}
