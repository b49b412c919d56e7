#pragma once
// NMEA sentence handling of the GPS information screen, without any window:
// the pending text (Memo1) that received chunks are appended to, the cutting of complete
// lines out of it (a line ends with LF, with or without CR before it), the sentence log (GPSLog, newest
// first, at most 50 lines), and the decoding of RMC sentences of any talker ($GPRMC,
// $GNRMC, $GLRMC, ...), one insertion behind, into the four readings and the display
// texts. A sentence whose checksum is wrong is never decoded; a fix the receiver marks as
// lost (status V, or mode N) takes the readings back to -1. TGpsInfo mirrors this state
// into its controls.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace Nmea {

// Speed conversions.
constexpr double MphPerKnot = 1.15077945;
constexpr double KmphPerKnot = 1.852;

// "As text": general decimal notation with at most 15 significant digits, no trailing
// zeros, no thousands separators, "." as decimal point; scientific ("1.5E-6", "1E20")
// below 0.00001 and from 10^15 up.
QString FloatToStr(double value);
// A decimal number with "." as decimal point (optional sign, digits with an optional
// point, optional exponent, blanks around it allowed); nullopt for anything else, the
// empty text included, and for numbers out of the double range.
std::optional<double> StrToFloat(const QString& text);
// Without leading and trailing blanks and control characters (code 32 and below).
QByteArray Trim(const QByteArray& text);
QString Trim(const QString& text);

// The "*hh" at the end of a sentence against the exclusive-or of every character between
// the "$" that begins it and that "*". Absent: the sentence has no checksum.
enum class Checksum { Absent, Good, Bad };
Checksum CheckSum(const QByteArray& sentence);
Checksum CheckSum(const QString& sentence);
// "$" + body + "*hh" with the checksum of body (for feeders and benchmarks).
QByteArray WithChecksum(const QByteArray& body);

// Whether the text holds "$", two capital letters (the talker) and "RMC,".
bool IsRmc(const QString& text);

} // namespace Nmea

// Where and when the last valid fix was taken, from the RMC's own fields.
struct GpsFix {
    double latitude;  // degrees, north positive
    double longitude; // degrees, east positive
    QDateTime utc;
};

// The four GPS readings: -1 until the first decoded RMC sentence.
struct GpsReadings {
    double SpeedKnots = -1;
    double SpeedMph = -1;
    double SpeedKmph = -1;
    double HeadingDegrees = -1;
};

class NmeaReceiver {
public:
    // An NMEA sentence is at most 82 characters, its CR LF included, but real receivers
    // send longer proprietary ones (the captures in shared/testdata hold some of 117).
    // Pending text that cannot be cut any further is kept to its last 256 characters,
    // which hold any sentence still arriving with room to spare, so garbage without line
    // breaks or without "$" keeps memory and work per chunk flat.
    static constexpr int MaxPendingLength = 256;
    static constexpr int MaxLogLines = 50;

    NmeaReceiver();

    // --- pending text (Memo1) ---
    const QByteArray& Pending() const { return m_pending; }
    // Appends a received chunk (8-bit text) and cuts complete lines out of the front
    // (Memo1Change), processing pending events after each line.
    void AppendPending(const QByteArray& chunk);
    // Replaces the pending text (an edit of Memo1) and cuts.
    void SetPending(const QByteArray& text);
    void ClearPending();

    // --- sentence log (GPSLog), newest first ---
    const QStringList& Log() const { return m_log; }
    void ClearLog();

    // ResetGpsBtnClick: empty the log, then the pending text.
    void Reset();

    // --- results ---
    const GpsReadings& Readings() const { return m_readings; }
    // Display texts, as the screen shows them; before the first fix and after a lost one
    // the speeds show NoSpeedText, Speed and Heading NoReadingText.
    static inline const QString NoSpeedText = QStringLiteral("0");
    static inline const QString NoReadingText = QStringLiteral("-1");
    QString KphDisplay = NoSpeedText;
    QString MphDisplay = NoSpeedText;
    QString KmphDisp = NoSpeedText;
    QString Speed = NoReadingText;
    QString Heading = NoReadingText;
    QString LastSentence;
    // The colour of LastSentence: green for an RMC sentence, red for a damaged sentence,
    // blue for any other.
    enum class SentenceKind { Other, Rmc, Damaged };
    SentenceKind LastSentenceKind = SentenceKind::Other;

    // Monotonic milliseconds, for how old the last valid fix is (a steady clock unless a
    // test sets its own).
    std::function<qint64()> MonotonicMs;
    // True once a valid fix has been decoded and none has followed for StaleAfterMs.
    static constexpr qint64 StaleAfterMs = 3000;
    bool FixIsStale() const;
    // The position and time of the last valid fix that carried them.
    const std::optional<GpsFix>& LastFix() const { return m_lastFix; }

    // --- hooks, all optional ---
    // Step 6 of line cutting: let the window thread process its pending events.
    std::function<void()> LetEventsRun;
    std::function<void()> OnPendingChanged;
    std::function<void()> OnLogChanged;
    // LastSentence was set; `repaintNow` for an RMC sentence (shown before decoding).
    std::function<void(bool repaintNow)> OnLastSentenceChanged;
    // Any of the readings and display texts changed.
    std::function<void()> OnReadingsChanged;

    // Counters for tests and benchmarks.
    long long SentencesDecoded() const { return m_decoded; }

private:
    void CutLines();
    bool CutOneLine();
    void LogChanged(); // GPSLogChange
    void Decode(const QString& sentence);
    void LoseFix();
    void PendingChanged();
    qint64 Now() const;

    QByteArray m_pending;
    QStringList m_log;
    GpsReadings m_readings;
    bool m_cutting = false;
    long long m_decoded = 0;
    std::optional<qint64> m_lastValidFixAt;
    std::optional<GpsFix> m_lastFix;
};
