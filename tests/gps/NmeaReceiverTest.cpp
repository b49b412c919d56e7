// NMEA line cutting, the sentence log and RMC decoding, without widgets.
#include "gps/NmeaReceiver.h"
#include "support/TestPaths.h"
#include "GpsTestPrinters.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QByteArray Rmc1 = "$GPRMC,123519,A,4807.038,N,01131.000,E,012.3,045.7,230394,003.1,W*60";
const QByteArray Rmc2 = "$GPRMC,123520,A,4807.038,N,01131.000,E,5.0,,230394,003.1,W*47";
const QByteArray Gga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";

QByteArray line(const QByteArray& sentence) { return sentence + "\r\n"; }

QByteArray checked(const QByteArray& body) { return Nmea::WithChecksum(body); }

QByteArray rmc(const QByteArray& speed, const QByteArray& course, const QByteArray& status = "A",
               const QByteArray& talker = "GP", const QByteArray& mode = "A")
{
    return checked(talker + "RMC,010203," + status + ",4807.038,N,01131.000,E," + speed + "," + course + ",230394,,," + mode);
}

} // namespace

// ---------------------------------------------------------------------------------------
// Number texts

TEST(NmeaNumbers, FloatToStrIsGeneralWith15SignificantDigits)
{
    using Nmea::FloatToStr;
    EXPECT_EQ(FloatToStr(0), "0");
    EXPECT_EQ(FloatToStr(-0.0), "0");
    EXPECT_EQ(FloatToStr(0.5), "0.5");
    EXPECT_EQ(FloatToStr(12.3), "12.3");
    EXPECT_EQ(FloatToStr(12.3 * 1.15077945), "14.154587235");
    EXPECT_EQ(FloatToStr(12.3 * 1.852), "22.7796");
    EXPECT_EQ(FloatToStr(270), "270");
    EXPECT_EQ(FloatToStr(100), "100");
    EXPECT_EQ(FloatToStr(-1), "-1");
    EXPECT_EQ(FloatToStr(-2.5), "-2.5");
    EXPECT_EQ(FloatToStr(1234567.5), "1234567.5");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(FloatToStr(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(FloatToStr(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(FloatToStr(0.00001), "0.00001");
    EXPECT_EQ(FloatToStr(0.0000015), "1.5E-6");
    EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(1.5e20), "1.5E20");
    EXPECT_EQ(FloatToStr(999999999999999.9), "1E15");
}

TEST(NmeaNumbers, StrToFloatTakesDecimalNumbersOnly)
{
    using Nmea::StrToFloat;
    EXPECT_EQ(StrToFloat("12.3"), 12.3);
    EXPECT_EQ(StrToFloat("012.3"), 12.3);
    EXPECT_EQ(StrToFloat("0.00"), 0.0);
    EXPECT_EQ(StrToFloat("270"), 270.0);
    EXPECT_EQ(StrToFloat("-1.5"), -1.5);
    EXPECT_EQ(StrToFloat("+2"), 2.0);
    EXPECT_EQ(StrToFloat(".5"), 0.5);
    EXPECT_EQ(StrToFloat("5."), 5.0);
    EXPECT_EQ(StrToFloat("1e3"), 1000.0);
    EXPECT_EQ(StrToFloat("1.5E-2"), 0.015);
    EXPECT_EQ(StrToFloat(" 7 "), 7.0);
    EXPECT_FALSE(StrToFloat(""));
    EXPECT_FALSE(StrToFloat(" "));
    EXPECT_FALSE(StrToFloat("."));
    EXPECT_FALSE(StrToFloat("-"));
    EXPECT_FALSE(StrToFloat("A"));
    EXPECT_FALSE(StrToFloat("12,3"));
    EXPECT_FALSE(StrToFloat("1,000.5"));
    EXPECT_FALSE(StrToFloat("12.3.4"));
    EXPECT_FALSE(StrToFloat("1e"));
    EXPECT_FALSE(StrToFloat("inf"));
    EXPECT_FALSE(StrToFloat("nan"));
    EXPECT_FALSE(StrToFloat("0x10"));
    EXPECT_FALSE(StrToFloat("1e999"));
    EXPECT_FALSE(StrToFloat("12.3*6A"));
}

TEST(NmeaNumbers, TrimRemovesBlanksAndControlCharacters)
{
    EXPECT_EQ(Nmea::Trim(QByteArray(" \t\x01$GP\x7f\r ")), QByteArray("$GP\x7f"));
    EXPECT_EQ(Nmea::Trim(QString(" \r\n")), QString());
}

// ---------------------------------------------------------------------------------------
// Line cutting

TEST(NmeaCutting, WholeSentenceAndTheStartOfTheNext)
{
    NmeaReceiver r;
    r.AppendPending(line(Rmc1) + Gga.left(10));
    EXPECT_EQ(r.Log(), QStringList{QString::fromLatin1(Rmc1)});
    EXPECT_EQ(r.Pending(), Gga.left(10));
}

TEST(NmeaCutting, StrayCharactersBeforeTheFirstDollarAreDropped)
{
    NmeaReceiver r;
    r.AppendPending("xy\r\n" + Gga);
    EXPECT_TRUE(r.Log().isEmpty());
    EXPECT_EQ(r.Pending(), Gga);
    r.AppendPending("\r\n");
    EXPECT_EQ(r.Log(), QStringList{QString::fromLatin1(Gga)});
    EXPECT_TRUE(r.Pending().isEmpty());
}

TEST(NmeaCutting, TextBeforeTheDollarOfALineIsDiscarded)
{
    NmeaReceiver r;
    r.AppendPending("noise" + line(Gga));
    EXPECT_EQ(r.Log(), QStringList{QString::fromLatin1(Gga)});
}

TEST(NmeaCutting, SixCharacterCandidateIsDroppedSevenIsLogged)
{
    NmeaReceiver r;
    r.AppendPending("$GPABC\r\n");
    EXPECT_TRUE(r.Log().isEmpty());
    EXPECT_TRUE(r.Pending().isEmpty());
    r.AppendPending("$GPABCD\r\n");
    EXPECT_EQ(r.Log(), QStringList{"$GPABCD"});
    // Length is counted before stripping: six characters and a blank are seven.
    r.AppendPending("$GPXYZ \r\n");
    EXPECT_EQ(r.Log().first(), "$GPXYZ");
}

TEST(NmeaCutting, LineBreakSplitBetweenChunks)
{
    NmeaReceiver r;
    r.AppendPending(Gga + "\r");
    EXPECT_TRUE(r.Log().isEmpty());
    r.AppendPending("\n$GP");
    EXPECT_EQ(r.Log(), QStringList{QString::fromLatin1(Gga)});
    EXPECT_EQ(r.Pending(), "$GP");
}

TEST(NmeaCutting, ChunkBordersAnywhereGiveTheSameLog)
{
    QByteArray stream;
    for (int i = 0; i < 12; ++i)
        stream += line(i % 3 == 0 ? rmc(QByteArray::number(i), "10.5") : Gga);
    NmeaReceiver whole;
    whole.AppendPending(stream);
    for (int size = 1; size <= 90; ++size) {
        NmeaReceiver r;
        for (int at = 0; at < stream.size(); at += size)
            r.AppendPending(stream.mid(at, size));
        ASSERT_EQ(r.Log(), whole.Log()) << "chunk size " << size;
        ASSERT_EQ(r.Readings().SpeedKnots, whole.Readings().SpeedKnots);
        ASSERT_EQ(r.LastSentence, whole.LastSentence);
    }
}

TEST(NmeaCutting, OneLineIsCutPerEventProcessingStep)
{
    NmeaReceiver r;
    QList<int> logSizes;
    r.LetEventsRun = [&] { logSizes << int(r.Log().size()); };
    r.AppendPending("ab\r\n" + line(Gga) + line(Rmc1) + "$GP");
    EXPECT_EQ(logSizes, (QList<int>{0, 1, 2}));
}

TEST(NmeaCutting, ResetWhileEventsAreProcessedStopsTheCutting)
{
    NmeaReceiver r;
    r.LetEventsRun = [&] {
        if (r.Log().size() == 1)
            r.Reset();
    };
    r.AppendPending(line(Gga) + line(Rmc1) + line(Gga));
    EXPECT_TRUE(r.Log().isEmpty());
    EXPECT_TRUE(r.Pending().isEmpty());
}

TEST(NmeaCutting, SentenceLogHasNewestFirst)
{
    NmeaReceiver r;
    r.AppendPending(line("$GPAAA,1") + line("$GPBBB,2") + line("$GPCCC,3"));
    EXPECT_EQ(r.Log(), (QStringList{"$GPCCC,3", "$GPBBB,2", "$GPAAA,1"}));
}

TEST(NmeaCutting, EightBitTextIsWindows1252)
{
    NmeaReceiver r;
    r.AppendPending("$GPTXT,\x80\xe9\r\n");
    EXPECT_EQ(r.Log().first(), QString::fromUtf8("$GPTXT,€é"));
}

// ---------------------------------------------------------------------------------------
// Bounded pending text

TEST(NmeaPending, GarbageWithoutLineBreaksStaysBounded)
{
    NmeaReceiver r;
    QByteArray garbage(90, 'x');
    for (int i = 0; i < 2000; ++i) {
        garbage[i % 90] = char('$' + i % 3);
        r.AppendPending(garbage);
        ASSERT_LE(r.Pending().size(), NmeaReceiver::MaxPendingLength);
    }
    // A real sentence after it still comes through.
    r.AppendPending("\r\n" + line(Rmc1) + line(Gga));
    EXPECT_EQ(r.Log().first(), QString::fromLatin1(Gga));
    EXPECT_EQ(r.Log().at(1), QString::fromLatin1(Rmc1));
    EXPECT_EQ(r.Readings().SpeedKnots, 12.3);
}

TEST(NmeaPending, LinesWithoutDollarStayBounded)
{
    NmeaReceiver r;
    for (int i = 0; i < 5000; ++i) {
        r.AppendPending("GPGGA,123519,4807.038,N\r\n");
        ASSERT_LE(r.Pending().size(), NmeaReceiver::MaxPendingLength);
    }
    EXPECT_TRUE(r.Log().isEmpty());
    r.AppendPending(line(Gga));
    EXPECT_EQ(r.Log(), QStringList{QString::fromLatin1(Gga)});
    EXPECT_TRUE(r.Pending().isEmpty());
}

TEST(NmeaPending, ALongestSentenceInPiecesIsKept)
{
    // 80 characters from "$" to the checksum, sent after garbage, byte by byte.
    const QByteArray longest = "$GPRMC,123519.000,A,4807.0380000,N,01131.0000000,E,33.5,270.25,230394,003.1,W*7F";
    ASSERT_EQ(longest.size(), 80);
    NmeaReceiver r;
    r.AppendPending(QByteArray(200, 'z'));
    for (char c : line(longest) + line(Gga))
        r.AppendPending(QByteArray(1, c));
    EXPECT_EQ(r.Log().at(1), QString::fromLatin1(longest));
    EXPECT_EQ(r.Readings().SpeedKnots, 33.5);
    EXPECT_EQ(r.Heading, "270");
}

// ---------------------------------------------------------------------------------------
// Log keeping and decoding

TEST(NmeaDecoding, ReadingsStartUnknown)
{
    NmeaReceiver r;
    EXPECT_EQ(r.Readings().SpeedKnots, -1);
    EXPECT_EQ(r.Readings().SpeedMph, -1);
    EXPECT_EQ(r.Readings().SpeedKmph, -1);
    EXPECT_EQ(r.Readings().HeadingDegrees, -1);
    EXPECT_EQ(r.Speed, "-1");
    EXPECT_EQ(r.Heading, "-1");
    EXPECT_EQ(r.KphDisplay, "0");
    EXPECT_EQ(r.MphDisplay, "0");
    EXPECT_EQ(r.KmphDisp, "0");
}

TEST(NmeaDecoding, FirstSentenceExaminesNothing)
{
    NmeaReceiver r;
    int changes = 0;
    r.OnLastSentenceChanged = [&](bool) { ++changes; };
    r.LastSentence = "old";
    r.LastSentenceKind = NmeaReceiver::SentenceKind::Rmc;
    r.AppendPending(line(Rmc1));
    EXPECT_EQ(r.Log().size(), 1);
    EXPECT_EQ(r.LastSentence, "");
    EXPECT_EQ(r.LastSentenceKind, NmeaReceiver::SentenceKind::Other);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(r.Readings().SpeedKnots, -1); // decoded one insertion later

    r.Reset();
    r.AppendPending(line(Gga));
    EXPECT_EQ(r.Log().size(), 1);
    EXPECT_EQ(r.LastSentence, "");
}

TEST(NmeaDecoding, RmcIsDecodedOneInsertionBehind)
{
    NmeaReceiver r;
    bool repaintNow = false;
    r.OnLastSentenceChanged = [&](bool now) { repaintNow = now; };
    r.AppendPending(line(rmc("12.3", "45.7")));
    EXPECT_EQ(r.Readings().SpeedKnots, -1);
    r.AppendPending(line(Gga));
    EXPECT_TRUE(repaintNow);
    EXPECT_EQ(r.LastSentence, QString::fromLatin1(rmc("12.3", "45.7")));
    EXPECT_EQ(r.LastSentenceKind, NmeaReceiver::SentenceKind::Rmc);
    EXPECT_EQ(r.Readings().SpeedKnots, 12.3);
    EXPECT_EQ(r.KphDisplay, "12.3");
    EXPECT_EQ(r.Readings().SpeedMph, 12.3 * 1.15077945);
    EXPECT_EQ(r.MphDisplay, "14.154587235");
    EXPECT_EQ(r.Readings().SpeedKmph, 12.3 * 1.852);
    EXPECT_EQ(r.KmphDisp, "22.7796");
    EXPECT_EQ(r.Speed, "14");
    EXPECT_EQ(r.Heading, "45");
    EXPECT_EQ(r.Readings().HeadingDegrees, 45.7);

    // The next examined line is the GGA: blue, readings kept.
    r.AppendPending(line(Gga));
    EXPECT_EQ(r.LastSentence, QString::fromLatin1(Gga));
    EXPECT_EQ(r.LastSentenceKind, NmeaReceiver::SentenceKind::Other);
    EXPECT_EQ(r.Readings().SpeedKnots, 12.3);
}

TEST(NmeaDecoding, ZeroSpeed)
{
    NmeaReceiver r;
    r.AppendPending(line(rmc("0.00", "0.00")) + line(Gga));
    EXPECT_EQ(r.KphDisplay, "0");
    EXPECT_EQ(r.MphDisplay, "0");
    EXPECT_EQ(r.KmphDisp, "0");
    EXPECT_EQ(r.Speed, "0");
    EXPECT_EQ(r.Heading, "0");
    EXPECT_EQ(r.Readings().SpeedKnots, 0);
}

TEST(NmeaDecoding, CourseWithoutDecimalPoint)
{
    NmeaReceiver r;
    r.AppendPending(line(rmc("1.5", "270")) + line(Gga));
    EXPECT_EQ(r.Heading, "270");
    EXPECT_EQ(r.Readings().HeadingDegrees, 270);
}

TEST(NmeaDecoding, EmptySpeedFieldChangesOnlyTheLastSentence)
{
    NmeaReceiver r;
    r.AppendPending(line(rmc("12.3", "45.7")) + line(Gga));
    int readingChanges = 0;
    r.OnReadingsChanged = [&] { ++readingChanges; };
    r.AppendPending(line(rmc("", "99.9")) + line(Gga));
    EXPECT_EQ(r.LastSentence, QString::fromLatin1(rmc("", "99.9")));
    EXPECT_EQ(r.LastSentenceKind, NmeaReceiver::SentenceKind::Rmc);
    EXPECT_EQ(readingChanges, 0);
    EXPECT_EQ(r.Readings().SpeedKnots, 12.3);
    EXPECT_EQ(r.Readings().HeadingDegrees, 45.7);
    EXPECT_EQ(r.Speed, "14");
    EXPECT_EQ(r.Heading, "45");
}

TEST(NmeaDecoding, EmptyCourseFieldKeepsTheHeading)
{
    NmeaReceiver r;
    r.AppendPending(line(rmc("12.3", "45.7")) + line(Gga));
    r.AppendPending(line(Rmc2) + line(Gga)); // speed 5.0, course empty
    EXPECT_EQ(r.Readings().SpeedKnots, 5.0);
    EXPECT_EQ(r.KphDisplay, "5");
    EXPECT_EQ(r.MphDisplay, "5.75389725");
    EXPECT_EQ(r.KmphDisp, "9.26");
    EXPECT_EQ(r.Speed, "5");
    EXPECT_EQ(r.Readings().HeadingDegrees, 45.7);
    EXPECT_EQ(r.Heading, "45");
}

TEST(NmeaDecoding, NonNumericCourseKeepsTheHeading)
{
    NmeaReceiver r;
    r.AppendPending(line(rmc("12.3", "45.7")) + line(rmc("2", "x")) + line(Gga));
    EXPECT_EQ(r.Readings().SpeedKnots, 2);
    EXPECT_EQ(r.Readings().HeadingDegrees, 45.7);
    EXPECT_EQ(r.Heading, "45");
}

TEST(NmeaDecoding, LostFixesTakeTheReadingsBackToUnknown)
{
    for (const QByteArray& lost : {rmc("80", "180.5", "V"), rmc("80", "180.5", "A", "GN", "N")}) {
        SCOPED_TRACE(lost.toStdString());
        NmeaReceiver r;
        r.AppendPending(line(rmc("12.3", "45.7")) + line(lost) + line(Gga));
        EXPECT_EQ(r.LastSentenceKind, NmeaReceiver::SentenceKind::Rmc);
        const GpsReadings& g = r.Readings();
        EXPECT_EQ((std::array{g.SpeedKnots, g.SpeedMph, g.SpeedKmph, g.HeadingDegrees}), (std::array{-1.0, -1.0, -1.0, -1.0}));
        EXPECT_EQ(r.KphDisplay + r.MphDisplay + r.KmphDisp + r.Speed + r.Heading, "000-1-1");
    }
}

TEST(NmeaDecoding, AnyTalkersRmcIsDecoded)
{
    for (const QByteArray talker : {"GN", "GL", "GA", "BD", "GQ"}) {
        NmeaReceiver r;
        r.AppendPending(line(rmc("12.3", "45.7", "A", talker)) + line(Gga));
        EXPECT_EQ(r.LastSentenceKind, NmeaReceiver::SentenceKind::Rmc) << talker.constData();
        EXPECT_EQ(r.Readings().SpeedKnots, 12.3) << talker.constData();
    }
    // A lower-case or one-letter talker is no RMC.
    NmeaReceiver r;
    r.AppendPending(line(checked("gpRMC,1,A,,,,,12.3,45.7,,")) + line(checked("GRMC,1,A,,,,,12.3,45.7,,")) + line(Gga));
    EXPECT_EQ(r.SentencesDecoded(), 0);
}

TEST(NmeaDecoding, DamagedSentencesAreRedAndNotDecoded)
{
    NmeaReceiver r;
    QByteArray damaged = rmc("99.0", "45.7");
    damaged[20] = '9'; // one character changed on the line
    r.AppendPending(line(rmc("12.3", "45.7")) + line(damaged) + line(Gga));
    EXPECT_EQ(r.LastSentence, QString::fromLatin1(damaged));
    EXPECT_EQ(r.LastSentenceKind, NmeaReceiver::SentenceKind::Damaged);
    EXPECT_EQ(r.Readings().SpeedKnots, 12.3);

    // A sentence without a checksum is decoded as it is.
    NmeaReceiver plain;
    plain.AppendPending(line("$GPRMC,010203,A,4807.038,N,01131.000,E,7.5,45.7,230394,,") + line(Gga));
    EXPECT_EQ(plain.Readings().SpeedKnots, 7.5);
}

TEST(NmeaDecoding, RunTogetherLinesAreDamaged)
{
    // A GGA whose line break was lost, followed by an RMC: the checksum covers the whole
    // line from its first "$", so it does not match.
    NmeaReceiver r;
    const QByteArray merged = "$GPGGA,1,2,3,4,5,6,7.5,8,9," + rmc("12.3", "45.7");
    r.AppendPending(line(merged) + line(Gga));
    EXPECT_EQ(r.LastSentenceKind, NmeaReceiver::SentenceKind::Damaged);
    EXPECT_EQ(r.Readings().SpeedKnots, -1);
}

TEST(NmeaDecoding, LinesMayEndWithLfAlone)
{
    NmeaReceiver r;
    r.AppendPending(rmc("12.3", "45.7") + "\n" + Gga + "\n$GPGSA,A");
    EXPECT_EQ(r.Log(), (QStringList{QString::fromLatin1(Gga), QString::fromLatin1(rmc("12.3", "45.7"))}));
    EXPECT_EQ(r.Readings().SpeedKnots, 12.3);
    EXPECT_EQ(r.Pending(), "$GPGSA,A");
}

TEST(NmeaDecoding, AFixGoesStaleAfterThreeSecondsWithoutAnother)
{
    qint64 now = 1000;
    NmeaReceiver r;
    r.MonotonicMs = [&] { return now; };
    now += 60000;
    EXPECT_FALSE(r.FixIsStale()); // nothing to go stale yet
    r.AppendPending(line(rmc("12.3", "45.7")) + line(Gga));
    now += 2999;
    r.AppendPending(line(Gga)); // other sentences keep nothing fresh
    EXPECT_FALSE(r.FixIsStale());
    now += 1;
    EXPECT_TRUE(r.FixIsStale());
    r.AppendPending(line(rmc("13", "45.7")) + line(Gga));
    EXPECT_FALSE(r.FixIsStale());
    ASSERT_TRUE(r.LastFix());
    EXPECT_NEAR(r.LastFix()->latitude, 48.1173, 1e-4);
    EXPECT_NEAR(r.LastFix()->longitude, 11.5167, 1e-4);
    EXPECT_EQ(r.LastFix()->utc, QDateTime(QDate(1994, 3, 23), QTime(1, 2, 3), Qt::UTC));
}

TEST(NmeaDecoding, FieldsNeedTheirComma)
{
    // "45.7" is not followed by a comma, so field 8 is empty.
    NmeaReceiver r;
    r.AppendPending(line("$GPRMC,1,A,2,N,3,E,12.3,45.7") + line(Gga));
    EXPECT_EQ(r.Readings().SpeedKnots, 12.3);
    EXPECT_EQ(r.Readings().HeadingDegrees, -1);
    EXPECT_EQ(r.Heading, "-1");
}

TEST(NmeaDecoding, The51stLineEmptiesLogAndPending)
{
    NmeaReceiver r;
    QByteArray stream;
    for (int i = 1; i <= 49; ++i)
        stream += line(Gga);
    r.AppendPending(stream);
    ASSERT_EQ(r.Log().size(), 49);
    r.AppendPending(line(rmc("11", "11"))); // the 50th line
    ASSERT_EQ(r.Log().size(), 50);
    EXPECT_EQ(r.Readings().SpeedKnots, -1);
    // The 51st line (an RMC) comes with the start of another sentence.
    r.AppendPending(line(rmc("22", "22")) + line(Gga) + "$GPG");
    EXPECT_TRUE(r.Log().size() <= 1);
    // Neither the 50th nor the 51st line was ever decoded.
    EXPECT_EQ(r.Readings().SpeedKnots, -1);
    // The pending text was emptied with the log: the GGA after the 51st line is lost.
    EXPECT_TRUE(r.Log().isEmpty());
    EXPECT_TRUE(r.Pending().isEmpty());

    // The cycle starts over.
    r.AppendPending(line(rmc("33", "33")) + line(Gga));
    EXPECT_EQ(r.Log().size(), 2);
    EXPECT_EQ(r.Readings().SpeedKnots, 33);
}

TEST(NmeaDecoding, ResetEmptiesLogThenPending)
{
    NmeaReceiver r;
    QStringList order;
    r.OnLogChanged = [&] { order << (r.Log().isEmpty() ? "log empty" : "log"); };
    r.OnPendingChanged = [&] { order << (r.Pending().isEmpty() ? "pending empty" : "pending"); };
    r.AppendPending(line(Gga) + "$GPR");
    order.clear();
    r.Reset();
    EXPECT_EQ(order, (QStringList{"log empty", "pending empty"}));
    EXPECT_EQ(r.LastSentence, "");
}

// ---------------------------------------------------------------------------------------
// Real receiver captures, end to end

namespace {

// The lines of a capture as a feeder sends them: comments left out, each line ended by
// CR LF whatever the file used.
QList<QByteArray> captureLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines;
    for (QByteArray l : file.readAll().split('\n')) {
        while (l.endsWith('\r'))
            l.chop(1);
        if (l.startsWith('#'))
            continue;
        lines << l;
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// No "*hh" at the end, or one that matches the characters between the "$" and the "*".
bool checksumFits(const QString& sentence)
{
    static const QRegularExpression tail("\\*([0-9A-Fa-f]{2})$");
    const QRegularExpressionMatch m = tail.match(sentence);
    if (!m.hasMatch())
        return true;
    int sum = 0;
    for (const QChar c : sentence.mid(1, m.capturedStart() - 1))
        sum ^= c.unicode();
    return sum == m.captured(1).toInt(nullptr, 16);
}

// An independent model over whole lines. The one effect of chunk borders is
// that the 51st line empties the pending text: whatever arrived after that line's break
// in the same chunk is lost, so lines whose "$" came in before the chunk ended are lost.
struct Reference {
    QStringList log;
    GpsReadings readings;
    QString heading = "-1";
    int decoded = 0;
    qsizetype lostUntil = 0;
    QStringList insertedLines;

    // `lineStart` is the stream position of the line; `chunkEndOf(end)` is the end of the
    // chunk that holds the byte before stream position `end`.
    void feed(const QByteArray& l, qsizetype lineStart, const std::function<qsizetype(qsizetype)>& chunkEndOf)
    {
        const qsizetype dollar = l.indexOf('$');
        if (dollar < 0 || l.size() - dollar <= 6)
            return;
        if (lineStart + dollar < lostUntil)
            return;
        log.prepend(QString::fromLatin1(l.mid(dollar).trimmed()));
        insertedLines << log.first();
        if (log.size() > 50) {
            log.clear();
            lostUntil = chunkEndOf(lineStart + l.size() + 2); // the end of the line's LF
            return;
        }
        const QString examined = log.size() > 1 ? log.at(1) : QString();
        static const QRegularExpression anyRmc("\\$[A-Z][A-Z]RMC,");
        if (!examined.contains(anyRmc) || !checksumFits(examined))
            return;
        const QStringList parts = examined.mid(7).split(',');
        auto field = [&](int n) { return n < parts.size() ? parts.at(n - 1) : QString(); };
        if (field(2) == "V" || field(12).section('*', 0, 0) == "N") {
            readings = GpsReadings();
            heading = "-1";
            return;
        }
        bool ok = false;
        const double knots = field(7).toDouble(&ok);
        if (!ok || field(7).isEmpty())
            return;
        ++decoded;
        readings.SpeedKnots = knots;
        readings.SpeedMph = knots * 1.15077945;
        readings.SpeedKmph = knots * 1.852;
        const double course = field(8).toDouble(&ok);
        if (ok && !field(8).isEmpty()) {
            readings.HeadingDegrees = course;
            heading = field(8).section('.', 0, 0);
        }
    }
};

void expectSame(const NmeaReceiver& r, const Reference& expected, bool pendingEmpty)
{
    EXPECT_EQ(r.Log(), expected.log);
    EXPECT_EQ(r.SentencesDecoded(), expected.decoded);
    EXPECT_EQ(r.Readings().SpeedKnots, expected.readings.SpeedKnots);
    EXPECT_EQ(r.Readings().SpeedMph, expected.readings.SpeedMph);
    EXPECT_EQ(r.Readings().SpeedKmph, expected.readings.SpeedKmph);
    EXPECT_EQ(r.Readings().HeadingDegrees, expected.readings.HeadingDegrees);
    EXPECT_EQ(r.Heading, expected.heading);
    if (pendingEmpty)
        EXPECT_TRUE(r.Pending().isEmpty());
    else // at most the tail of a line lost with a 51st line, waiting for the next "$"
        EXPECT_FALSE(r.Pending().contains('$'));
}

} // namespace

TEST(NmeaCaptures, RealReceiverLogsDecodeEndToEnd)
{
    const QDir dir(TestPaths::sharedTestData() + "/nmea");
    const QStringList files = dir.entryList({"*.log"}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        GTEST_SKIP() << "no captures in " << dir.path().toStdString();

    int filesWithRmc = 0;
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const QList<QByteArray> lines = captureLines(dir.filePath(name));
        ASSERT_FALSE(lines.isEmpty());
        QByteArray stream;
        for (const QByteArray& l : lines)
            stream += l + "\r\n";

        // Line by line, each line a chunk of its own.
        {
            SCOPED_TRACE("line by line");
            Reference expected;
            NmeaReceiver r;
            qsizetype at = 0;
            for (const QByteArray& l : lines) {
                expected.feed(l, at, [](qsizetype end) { return end; });
                r.AppendPending(l + "\r\n");
                at += l.size() + 2;
            }
            expectSame(r, expected, true);
            if (expected.decoded > 0) {
                ++filesWithRmc;
                // The last fix may have been a lost one (-1, shown as before the first).
                EXPECT_EQ(r.KphDisplay, r.Readings().SpeedKnots == -1 ? QString("0") : Nmea::FloatToStr(r.Readings().SpeedKnots));
            }
        }

        // As a 4800-baud receiver delivers it: chunks of up to 48 bytes, borders anywhere.
        std::vector<qsizetype> chunkEnds;
        for (qsizetype at = 0, n = 0; at < stream.size(); ++n) {
            at = std::min<qsizetype>(stream.size(), at + 1 + (n * 29) % 48);
            chunkEnds.push_back(at);
        }
        auto chunkEndOf = [&](qsizetype end) {
            return *std::lower_bound(chunkEnds.begin(), chunkEnds.end(), end);
        };
        Reference expected;
        qsizetype at = 0;
        for (const QByteArray& l : lines) {
            expected.feed(l, at, chunkEndOf);
            at += l.size() + 2;
        }
        SCOPED_TRACE("in chunks");
        NmeaReceiver r;
        QStringList inserted;
        r.OnLogChanged = [&] { if (!r.Log().isEmpty()) inserted << r.Log().first(); };
        qsizetype from = 0;
        for (qsizetype end : chunkEnds) {
            r.AppendPending(stream.mid(from, end - from));
            from = end;
        }
        expectSame(r, expected, false);
        EXPECT_EQ(inserted, expected.insertedLines);
    }
    EXPECT_GT(filesWithRmc, 0);
}
