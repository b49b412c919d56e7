#include "platform/EspeakSpeechEngine.h"
#include "platform/AlsaWavePlayer.h"
#include "platform/QtMessageBox.h"
#include "support/MediaFiles.h"
#include "support/QtPrinters.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>


namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

template <typename F>
bool waitUntil(F condition, int timeoutMs = 10000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QThread::msleep(10);
    }
    return true;
}

// Changes the current folder for the life of the object.
struct CurrentFolder {
    explicit CurrentFolder(const QString& folder) : previous(QDir::currentPath()) { QDir::setCurrent(folder); }
    ~CurrentFolder() { QDir::setCurrent(previous); }
    QString previous;
};

} // namespace

// The player plays into ALSA's "null" device, which any machine has, sound card or not.
class AlsaWavePlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(programFolder.isValid());
        ASSERT_TRUE(elsewhere.isValid());
        writeFile(programFolder.filePath("click.wav"), MediaFiles::wave(150));
        writeFile(programFolder.filePath("long.wav"), MediaFiles::wave(3000));
    }
    QString inProgramFolder(const QString& name) const { return QDir(programFolder.path()).absoluteFilePath(name); }

    QTemporaryDir programFolder;
    QTemporaryDir elsewhere;
    AlsaWavePlayer player{programFolder.path(), QStringLiteral("null")};
};

TEST_F(AlsaWavePlayerTest, FindsSoundsInTheCurrentFolderFirstThenTheProgramFolder)
{
    CurrentFolder cd(elsewhere.path());
    EXPECT_EQ(player.resolve("click.wav"), inProgramFolder("click.wav"));
    writeFile(elsewhere.filePath("click.wav"), MediaFiles::wave(100));
    EXPECT_EQ(player.resolve("click.wav"), QDir(elsewhere.path()).absoluteFilePath("click.wav"));
    EXPECT_EQ(player.resolve("missing.wav"), "");
    EXPECT_EQ(player.resolve(""), "");
    ASSERT_TRUE(QDir(programFolder.path()).mkdir("folder.wav"));
    EXPECT_EQ(player.resolve("folder.wav"), ""); // a folder is no sound
}

TEST_F(AlsaWavePlayerTest, PlaysASoundToItsEndWithoutBlocking)
{
    QElapsedTimer clock;
    clock.start();
    player.play("click.wav");
    EXPECT_LT(clock.elapsed(), 50); // nothing is read or opened on the caller's thread
    EXPECT_TRUE(waitUntil([&] { return player.lastPlayed().toTheEnd; }));
    EXPECT_EQ(player.lastPlayed().path, inProgramFolder("click.wav"));
    EXPECT_EQ(player.lastPlayed().frames, 8000 * 150 / 1000);
}

TEST_F(AlsaWavePlayerTest, AMissingOrUnplayableFileIsSilent)
{
    player.play("click.wav");
    ASSERT_TRUE(waitUntil([&] { return player.lastPlayed().toTheEnd; }));
    player.play("missing.wav"); // no request is made
    writeFile(programFolder.filePath("text.wav"), "not a sound at all");
    player.play("text.wav");
    ASSERT_TRUE(waitUntil([&] { return player.lastPlayed().path == inProgramFolder("text.wav"); }));
    QThread::msleep(50);
    EXPECT_EQ(player.lastPlayed().frames, 0);
    EXPECT_FALSE(player.lastPlayed().toTheEnd);
}

// Each new sound replaces the one playing: the last asked for is the one played.
TEST_F(AlsaWavePlayerTest, ManySoundsInARowNeitherBlockNorPileUp)
{
    player.play("long.wav");
    ASSERT_TRUE(waitUntil([&] { return player.lastPlayed().frames > 0; }));
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 200; ++i)
        player.play(i % 2 ? "click.wav" : "long.wav");
    EXPECT_LT(clock.elapsed(), 2000);
    const QString click = inProgramFolder("click.wav");
    EXPECT_TRUE(waitUntil([&] { return player.lastPlayed().path == click && player.lastPlayed().toTheEnd; }));
}

// On a machine without a sound device create() gives nullptr (speech unavailable); with
// one it gives an engine. Either way the engine's own calls are tried below through the
// unchecked factory, where espeak's voice data is installed.
TEST(EspeakSpeechEngine, CreateFollowsTheSoundDevice)
{
    const bool device = EspeakSpeechEngine::soundDeviceAvailable();
    const bool data = EspeakSpeechEngine::createWithoutDeviceCheck() != nullptr;
    EXPECT_EQ(EspeakSpeechEngine::create() != nullptr, device && data);
}

// Restores an environment variable when the test ends.
struct EnvironmentVariable {
    EnvironmentVariable(const char* name) : name(name), had(qEnvironmentVariableIsSet(name)), value(qgetenv(name)) {}
    ~EnvironmentVariable()
    {
        if (had)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    const char* name;
    bool had;
    QByteArray value;
};

TEST(EspeakSpeechEngine, ASoundServerOfTheSessionCountsAsADevice)
{
    EnvironmentVariable server("PULSE_SERVER");
    EnvironmentVariable runtime("XDG_RUNTIME_DIR");
    QTemporaryDir session;
    ASSERT_TRUE(session.isValid());
    qunsetenv("PULSE_SERVER");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(session.path()));
    const bool alsa = EspeakSpeechEngine::soundDeviceAvailable(); // ALSA alone decides now

    ASSERT_TRUE(QDir(session.path()).mkdir("pulse"));
    writeFile(session.filePath("pulse/native"), ""); // where the server's socket would be
    EXPECT_TRUE(EspeakSpeechEngine::soundDeviceAvailable());
    if (!EspeakSpeechEngine::createWithoutDeviceCheck())
        GTEST_SKIP() << "espeak-ng could not be initialised (no voice data)";
    // Not spoken through here: espeak's thread would read the environment this test changes.
    EXPECT_NE(EspeakSpeechEngine::create(), nullptr);

    QFile::remove(session.filePath("pulse/native"));
    qputenv("PULSE_SERVER", "unix:/nowhere/native");
    EXPECT_TRUE(EspeakSpeechEngine::soundDeviceAvailable());
    qunsetenv("PULSE_SERVER");
    EXPECT_EQ(EspeakSpeechEngine::soundDeviceAvailable(), alsa);
    if (!QFileInfo::exists("/dev/snd")) {
        EXPECT_FALSE(alsa); // no sound card, no server: speech unavailable
    }
}

TEST(EspeakSpeechEngine, SpeakingReturnsAtOnce)
{
    auto engine = EspeakSpeechEngine::createWithoutDeviceCheck();
    if (!engine)
        GTEST_SKIP() << "espeak-ng could not be initialised (no voice data)";
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(engine->speak("This is a long sentence that takes several seconds to speak, "
                              "far longer than the call may take to return to the window."));
    EXPECT_LT(clock.elapsed(), 500);
    clock.restart();
    EXPECT_TRUE(engine->speak("Mute on"));       // cuts the first one off
    EXPECT_TRUE(engine->speak(""));              // silences
    EXPECT_TRUE(engine->speak(",", SpeechEngine::Punctuation::Spoken));
    EXPECT_TRUE(engine->speak(QString::fromUtf8("Caf\u00e9 \u00fcber stra\u00dfe")));
    EXPECT_LT(clock.elapsed(), 1500);
}

TEST(EspeakSpeechEngine, EnginesComeAndGoOnOneInitialisation)
{
    for (int i = 0; i < 3; ++i) {
        auto engine = EspeakSpeechEngine::createWithoutDeviceCheck();
        if (!engine)
            GTEST_SKIP() << "espeak-ng could not be initialised (no voice data)";
        EXPECT_TRUE(engine->speak("again"));
    }
}

TEST(QtMessageBox, ShowsTheTextWithOnlyAnOkButtonCentredOnTheParent)
{
    QWidget parent;
    parent.setGeometry(40, 30, 520, 420); // off the screen's centre, so centring on it shows
    parent.show();
    const QString text = "FILE ERROR\n\nError Saving config.ini <b>not bold</b>";
    QString shownText;
    QString title;
    int buttons = 0;
    QSize okSize;
    bool modal = false;
    bool plain = false;
    QPoint centre;
    bool closed = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        shownText = box->text();
        title = box->windowTitle();
        buttons = int(box->buttons().size());
        modal = box->isModal();
        plain = box->textFormat() == Qt::PlainText;
        centre = box->frameGeometry().center();
        if (!box->buttons().isEmpty()) {
            QAbstractButton* ok = box->buttons().first();
            okSize = ok->size();
            ok->click();
            closed = true;
        }
    });
    QtMessageBox().show(&parent, text);
    EXPECT_TRUE(closed);
    EXPECT_EQ(shownText, text);
    EXPECT_TRUE(title.isEmpty() || title == "Karvex") << title.toStdString();
    EXPECT_EQ(buttons, 1);
    EXPECT_GE(okSize.height(), 62) << "a touch button, not a desktop one";
    EXPECT_TRUE(modal);
    EXPECT_TRUE(plain); // shown as typed, no markup
    EXPECT_LE((centre - parent.frameGeometry().center()).manhattanLength(), 4)
        << centre.x() << "," << centre.y();
}
