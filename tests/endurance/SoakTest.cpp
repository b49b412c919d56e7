// A whole simulated day of driving, run as fast as the handlers go: the home screen's
// once-a-second tick, the 200 ms ticker and the GPS receiver's 4800-baud stream, all called
// directly on a simulated clock. Memory must stay flat and every history, log and text the
// program keeps must stay bounded.
#include "LiveHeap.h"
#include "gps/Gpsinfounit.h"
#include "gps/Perfgrap.h"
#include "home/Welcomeframeunit.h"
#include "playlists/Mediaframeunit.h"
#include "support/TestProgram.h"
#include "widgets/TouchLabel.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

const QByteArray QuietCar = "GPSPort=COM3\r\nGPSEnabled=TRUE\r\nClickSounds=FALSE\r\nOtherSounds=FALSE\r\n"
                            "SpeechSounds=FALSE\r\n";

constexpr int TickerMs = 200;
constexpr int TickerStepsPerSecond = 1000 / TickerMs;
constexpr int SecondsPerHour = 3600;
constexpr int Hours = 24;
constexpr int WarmUpHours = 2;
constexpr qint64 TrackMs = 3 * 60 * 1000;
// The reader hands over at most this many bytes at a time.
constexpr int ReadSize = 90;
// A leak of 100 bytes per home tick would add 7.9 MB over the hours after the warm-up.
constexpr std::size_t HeapGrowthLimit = 384 * 1024;

QByteArray sentence(const QByteArray& body)
{
    char checksum = 0;
    for (char c : body)
        checksum ^= c;
    return '$' + body + '*' + QByteArray::number(uchar(checksum), 16).rightJustified(2, '0').toUpper() + "\r\n";
}

// What a receiver sends, second by second: a fix with the drive's speed and heading, the
// rest of its cycle, and now and then the faults of a real serial line: noise, a sentence
// cut short, a long proprietary line, a fix with a field that is no number, a burst of
// bytes without any line break, and minutes of nothing but such bytes.
//
// The GPS screen lays out its sentence log and pending-text boxes again for every line it
// cuts, hidden or not: a full 4800-baud cycle (about 480 bytes, eight lines) costs some
// 1.5 ms per second, over two minutes of processor time for a whole day. So the day
// carries the fix every second and the rest of the cycle every half minute; the faults
// keep their rates.
class ReceiverSimulation {
public:
    QByteArray second(int s)
    {
        // Three minutes an hour of a receiver at another baud rate: bytes, but never a line.
        if (s % SecondsPerHour >= 1800 && s % SecondsPerHour < 1980)
            return noise(480, false);
        const QByteArray time = QTime(0, 0).addSecs(s).toString("hhmmss").toLatin1();
        const bool standing = s % SecondsPerHour < 120;
        const double knots = standing ? 0.0 : 40.0 + 35.0 * std::sin(s / 300.0);
        const double course = std::fmod(s * 7.3, 360.0);
        QByteArray rmc = sentence("GPRMC," + time + ",A,4807.038,N,01131.000,E," + QByteArray::number(knots, 'f', 1) + ','
                                  + QByteArray::number(course, 'f', 1) + ",230394,003.1,W");
        if (s % 61 == 0)
            rmc.truncate(rmc.size() / 2); // the rest was lost; the next sentence joins it
        QByteArray out = rmc;
        if (s % 30 == 0)
            out += fullCycle(time);
        if (s % 71 == 0)
            out += sentence("GPRMC," + time + ",A,4807.038,N,01131.000,E,x2.4,084.4,230394,003.1,W");
        if (s % 113 == 0)
            out += sentence("PSRFTXT,Version GSW3.2.5_3.5.00.00-SDK003P1.00a Build 0123456789 0123456789 01234567");
        if (s % 97 == 0)
            out += noise(m_random() % 120 + 1, true);
        if (s % 1801 == 0)
            out += noise(700, false);
        return out;
    }

private:
    static QByteArray fullCycle(const QByteArray& time)
    {
        QByteArray out = sentence("GPGGA," + time + ",4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
        out += sentence("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1");
        for (int n = 1; n <= 3; ++n)
            out += sentence("GPGSV,3," + QByteArray::number(n) + ",11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00");
        out += sentence("GPVTG,054.7,T,034.4,M,005.5,N,010.2,K");
        return out;
    }

    // Random bytes, zero bytes included (the hand-over stops at one, as it does for the
    // reader's buffer); line breaks only when `withLineBreaks`.
    QByteArray noise(int length, bool withLineBreaks)
    {
        QByteArray bytes;
        for (int i = 0; i < length; ++i) {
            char c = char(m_random() % 256);
            if (!withLineBreaks && (c == '\r' || c == '\n'))
                c = '~';
            bytes += c;
        }
        return bytes;
    }

    std::mt19937 m_random{20120308};
};

class SoakTest : public ::testing::Test {
protected:
    TWelcomeFrame& home() const { return *program.main->WelcomeFrame1; }
    TGpsInfo& gps() const { return *program.main->GpsInfo; }
    TPerformanceGraph& graph() const { return *gps().SpeedGraph; }

    void startPlaying()
    {
        Playlist& playlist = program.main->MediaFrame1->playlist();
        for (const char* name : {"Morning.mp3", "Highway.mp3", "Home again.mp3"}) {
            program.folder.write(name, "x");
            playlist.append(program.folder.file(name));
        }
        program.fakes.media->len = TrackMs;
        program.main->PlayBtnClick();
    }

    // One simulated second: the receiver's burst arrives in reads of up to 90 bytes, the
    // ticker steps on, the track plays on, and the second ends with the home tick.
    void driveOneSecond(int s)
    {
        QByteArray arriving = m_receiver.second(s);
        while (!arriving.isEmpty()) {
            const int size = std::min<int>(m_chunkSize(m_random), int(arriving.size()));
            gps().DeliverChunk(arriving.left(size).constData());
            arriving.remove(0, size);
            // Checked at every chunk: text that never forms a line must not pile up.
            ASSERT_LE(gps().receiver().Pending().size(), NmeaReceiver::MaxPendingLength) << "at second " << s;
        }
        for (int step = 0; step < TickerStepsPerSecond; ++step) {
            m_now = m_now.addMSecs(TickerMs);
            home().TextScrollTimerTimer();
        }
        FakeMediaPlayer& player = *program.fakes.media;
        if (player.playing)
            player.pos = std::min(player.len, player.pos + 1000);
        home().SpeedGraphTimerTimer();
    }

    // Lets queued work run, deferred deletions included, so no queue hides growth.
    static void settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    void assertBounded(int hour)
    {
        SCOPED_TRACE(testing::Message() << "after hour " << hour);
        ASSERT_EQ(graph().HistoryLength(), graph().width() / graph().StepSize() + 2);
        ASSERT_EQ(graph().image().size(), graph().size());
        ASSERT_LE(gps().receiver().Log().size(), NmeaReceiver::MaxLogLines);
        ASSERT_LE(gps().GPSLog->document()->blockCount(), NmeaReceiver::MaxLogLines);
        ASSERT_LE(gps().receiver().Pending().size(), NmeaReceiver::MaxPendingLength);
        ASSERT_LE(gps().Memo1->toPlainText().size(), NmeaReceiver::MaxPendingLength);
        // A line is cut from the bounded pending text plus at most one read.
        ASSERT_LE(gps().LastSentence->text().size(), NmeaReceiver::MaxPendingLength + ReadSize);
        // A few objects come and go (deferred work); one per tick would add thousands.
        ASSERT_LE(program.main->findChildren<QObject*>().size(), m_objectsAfterFirstHour + 16) << "objects pile up";
    }

    TestProgram program;
    QDateTime m_now{QDate(2012, 3, 8), QTime(0, 0), Qt::UTC};
    ReceiverSimulation m_receiver;
    std::mt19937 m_random{1};
    std::uniform_int_distribution<int> m_chunkSize{1, ReadSize};
    qsizetype m_objectsAfterFirstHour = 0;
};

} // namespace

TEST_F(SoakTest, ADayOfDrivingKeepsMemoryFlatAndEveryHistoryBounded)
{
    program.start(QuietCar);
    home().setClock(HomeClock([this] { return m_now; }, QLocale(QLocale::English), "h:mm:ss AP"));
    startPlaying();
    home().NowPlayingStatusClick(); // the ticker scrolls all day
    ASSERT_TRUE(home().tickerRunning());
    settle();

    std::size_t heapAfterWarmUp = 0;
    QStringList heapByHour;
    for (int hour = 1; hour <= Hours; ++hour) {
        for (int s = (hour - 1) * SecondsPerHour; s < hour * SecondsPerHour; ++s) {
            ASSERT_NO_FATAL_FAILURE(driveOneSecond(s));
            if (s % 60 == 0)
                settle();
        }
        // The doubles' own records are not the program's memory.
        program.fakes.forgetRecords();
        settle();
        if (hour == 1)
            m_objectsAfterFirstHour = program.main->findChildren<QObject*>().size();
        ASSERT_NO_FATAL_FAILURE(assertBounded(hour));
        const std::size_t heap = liveHeapBytes();
        heapByHour << QString::number(heap / 1024) + " KB";
        if (hour == WarmUpHours)
            heapAfterWarmUp = heap;
    }
    EXPECT_LE(liveHeapBytes(), heapAfterWarmUp + HeapGrowthLimit)
        << "live heap by hour: " << heapByHour.join(", ").toStdString();

    // The day was really driven: the clock went round, fixes were decoded, tracks played through.
    EXPECT_EQ(home().TopDateOutput->text(), "9-3-2012");
    EXPECT_GT(gps().receiver().SentencesDecoded(), Hours * SecondsPerHour * 85 / 100);
    EXPECT_GT(gps().SpeedKnots(), 0.0);
    EXPECT_TRUE(home().tickerRunning());
    EXPECT_TRUE(program.fakes.media->playing);
    const int trackChanges = Hours * SecondsPerHour / int(TrackMs / 1000);
    EXPECT_EQ(program.main->MediaFrame1->playlist().selectedIndex(), trackChanges % 3);
}
