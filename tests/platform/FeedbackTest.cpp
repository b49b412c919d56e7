#include "platform/EspeakSpeechEngine.h"
#include "platform/MpvWavePlayer.h"
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

class MpvWavePlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(programFolder.isValid());
        ASSERT_TRUE(elsewhere.isValid());
        writeFile(programFolder.filePath("click.wav"), MediaFiles::wave(150));
        writeFile(programFolder.filePath("long.wav"), MediaFiles::wave(3000));
    }
    QTemporaryDir programFolder;
    QTemporaryDir elsewhere;
};

TEST_F(MpvWavePlayerTest, FindsSoundsInTheCurrentFolderFirstThenTheProgramFolder)
{
    CurrentFolder cd(elsewhere.path());
    MpvWavePlayer player(programFolder.path());
    EXPECT_EQ(player.resolve("click.wav"), QDir(programFolder.path()).absoluteFilePath("click.wav"));
    writeFile(elsewhere.filePath("click.wav"), MediaFiles::wave(100));
    EXPECT_EQ(player.resolve("click.wav"), QDir(elsewhere.path()).absoluteFilePath("click.wav"));
    EXPECT_EQ(player.resolve("missing.wav"), "");
    EXPECT_EQ(player.resolve(""), "");
    ASSERT_TRUE(QDir(programFolder.path()).mkdir("folder.wav"));
    EXPECT_EQ(player.resolve("folder.wav"), ""); // a folder is no sound
}

TEST_F(MpvWavePlayerTest, PlaysWithoutBlocking)
{
    CurrentFolder cd(elsewhere.path());
    MpvWavePlayer player(programFolder.path());
    ASSERT_TRUE(player.isAvailable());
    QElapsedTimer clock;
    clock.start();
    player.play("long.wav");
    EXPECT_LT(clock.elapsed(), 200); // a 3-second sound; the call does not wait for it
    const QString expected = QDir(programFolder.path()).absoluteFilePath("long.wav");
    EXPECT_TRUE(waitUntil([&] { return player.loadedPath() == expected; })) << player.loadedPath().toStdString();
}

TEST_F(MpvWavePlayerTest, ANewSoundReplacesThePlayingOne)
{
    MpvWavePlayer player(programFolder.path());
    ASSERT_TRUE(player.isAvailable());
    const QString longSound = QDir(programFolder.path()).absoluteFilePath("long.wav");
    const QString click = QDir(programFolder.path()).absoluteFilePath("click.wav");
    player.play(longSound);
    ASSERT_TRUE(waitUntil([&] { return player.loadedPath() == longSound; }));
    QElapsedTimer clock;
    clock.start();
    player.play(click);
    EXPECT_LT(clock.elapsed(), 200);
    // The click takes over long before the 3-second sound could have ended.
    EXPECT_TRUE(waitUntil([&] { return player.loadedPath() == click; }, 2000));
}

TEST_F(MpvWavePlayerTest, AMissingFileIsSilent)
{
    MpvWavePlayer player(programFolder.path());
    ASSERT_TRUE(player.isAvailable());
    const QString click = QDir(programFolder.path()).absoluteFilePath("click.wav");
    player.play(click);
    ASSERT_TRUE(waitUntil([&] { return player.loadedPath() == click; }));
    QElapsedTimer clock;
    clock.start();
    player.play("missing.wav");
    player.play(programFolder.filePath("gone/missing.wav"));
    EXPECT_LT(clock.elapsed(), 200);
    EXPECT_EQ(player.loadedPath(), click); // the last sound stays loaded: no request was made
}

TEST_F(MpvWavePlayerTest, ManySoundsInARowNeitherBlockNorPileUp)
{
    MpvWavePlayer player(programFolder.path());
    ASSERT_TRUE(player.isAvailable());
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 200; ++i)
        player.play(i % 2 ? "click.wav" : "long.wav");
    EXPECT_LT(clock.elapsed(), 2000);
    const QString click = QDir(programFolder.path()).absoluteFilePath("click.wav");
    EXPECT_TRUE(waitUntil([&] { return player.loadedPath() == click; }));
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
