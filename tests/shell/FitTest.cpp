// The longest texts of the notice, the home clock and the GPS port field are drawn whole
// inside their boxes, measured with the font each is drawn in.
#include "dialogs/Myerrorunit.h"
#include "gps/Gpsinfounit.h"
#include "home/Welcomeframeunit.h"
#include "support/TestProgram.h"
#include "widgets/TouchLabel.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <gtest/gtest.h>

namespace {

const QString LongPort = QStringLiteral("/dev/serial/by-id/usb-Prolific_Technology_Inc._USB-Serial_Controller-if00-port0");

// The box `label` draws its text in holds the text as laid out in its font.
void expectWhole(const TouchLabel* label)
{
    const QRect box = label->contentsRect();
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect needed = QFontMetrics(label->font()).boundingRect(box, flags, label->text());
    EXPECT_TRUE(box.contains(needed)) << label->objectName().toStdString() << " \"" << label->text().toStdString()
                                      << "\" needs " << needed.width() << " x " << needed.height();
}

class FitTest : public ::testing::Test {
protected:
    void SetUp() override { program.start("GPSPort=" + LongPort.toUtf8() + "\r\n"); }
    TestProgram program;
};

} // namespace

TEST_F(FitTest, LongestTextsAreDrawnWhole)
{
    TMainForm& m = *program.main;

    m.MyError->showNotice(QStringLiteral(
        "FILE ERROR\n\nError Opening /media/usb0/Music/Some Artist With A Long Name/Greatest Hits Collection/"
        "07 - A Track With Quite A Long Title.mp3\nThe file may be damaged or the drive was removed."));
    expectWhole(m.MyError->ErrorText);
    m.MyError->hide();

    TWelcomeFrame& home = *m.WelcomeFrame1;
    EXPECT_FALSE(home.TopDateOutput->text().isEmpty()) << "the date is shown before the first tick";
    expectWhole(home.TopDateOutput);
    const QDateTime widest(QDate(2028, 12, 30), QTime(12, 58, 48));
    home.setClock(HomeClock([widest] { return widest; }, QLocale(QLocale::English), "hh:mm:ss AP"));
    home.SpeedGraphTimerTimer();
    ASSERT_EQ(home.TopDateOutput->text(), "30-12-2028");
    ASSERT_EQ(home.TopTimeOutput->text(), "12:58 PM ");
    expectWhole(home.TopDateOutput);
    expectWhole(home.TopTimeOutput);

    const QLineEdit* port = m.GpsInfo->Port;
    const int room = port->width() - 2 * port->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) - 4;
    EXPECT_LT(QFontMetrics(port->font()).horizontalAdvance(port->text()), room) << port->text().toStdString();
    EXPECT_GE(port->font().pixelSize(), 10);
    EXPECT_TRUE(port->text().startsWith("/dev/serial/")) << port->text().toStdString();
    EXPECT_TRUE(port->text().endsWith("port0")) << port->text().toStdString();
}
