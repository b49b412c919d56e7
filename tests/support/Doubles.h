#pragma once
// Test doubles of the platform services. Each records what it was asked and answers
// from fields a test sets.
#include "platform/Services.h"

#include <QRect>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

// A shared, ordered record of the feedback a screen gave ("sound:click.wav",
// "speak:Home", ...), so tests can check the order of sound, speech and action.
struct FeedbackLog {
    QStringList events;
};

class FakeWavePlayer : public WavePlayer {
public:
    explicit FakeWavePlayer(FeedbackLog* log = nullptr) : m_log(log) {}
    void play(const QString& fileName) override;
    QStringList played;

private:
    FeedbackLog* m_log;
};

class FakeSpeechEngine : public SpeechEngine {
public:
    explicit FakeSpeechEngine(FeedbackLog* log = nullptr) : m_log(log) {}
    bool speak(const QString& text, Punctuation punctuation) override;
    QStringList spoken;
    std::vector<Punctuation> punctuation;
    bool fail = false;

private:
    FeedbackLog* m_log;
};

class FakeMixer : public Mixer {
public:
    uint32_t masterVolume() override { ++reads; return volume; }
    void setMasterVolume(uint32_t v) override { volume = v; writes.push_back(v); }
    void setMasterMute(bool on) override { muted = on; muteWrites.push_back(on); }
    uint32_t volume = 0;
    bool muted = false;
    int reads = 0;
    std::vector<uint32_t> writes;
    std::vector<bool> muteWrites;
};

class FakeBacklight : public Backlight {
public:
    void setPercent(int percent) override { percents.push_back(percent); }
    std::vector<int> percents;
};

class FakeShell : public Shell {
public:
    void open(const QString& target, Opened done) override
    {
        opened << target;
        if (done)
            done(openResult);
    }
    int runCommand(const QString& command) override
    {
        commands << command;
        if (whileRunning)
            whileRunning();
        return commandResult;
    }
    // Called while a command runs, as the driver's taps would arrive then.
    std::function<void()> whileRunning;
    QStringList opened;
    QStringList commands;
    bool openResult = true;
    int commandResult = 0;
};

class FakePower : public Power {
public:
    bool reboot() override { calls << QStringLiteral("reboot"); return result; }
    bool powerOff() override { calls << QStringLiteral("powerOff"); return result; }
    QStringList calls;
    bool result = true;
};

class FakeMessageBox : public MessageBox {
public:
    explicit FakeMessageBox(FeedbackLog* log = nullptr) : m_log(log) {}
    void show(QWidget* parent, const QString& text) override;
    QStringList shown;

private:
    FeedbackLog* m_log;
};

class FakeFileOpenDialog : public FileOpenDialog {
public:
    std::optional<QString> choose(QWidget* parent, const Request& request) override;
    std::vector<Request> requests;
    // Answers in order; an empty answer, or none left, is "cancelled".
    std::deque<QString> answers;
};

// A player that opens any existing file and plays instantly: position and length are
// whatever a test sets.
class FakeMediaPlayer : public MediaPlayer {
public:
    bool isOpen() const override { return m_open; }
    void setFileName(const QString& path) override { m_file = path; }
    QString fileName() const override { return m_file; }
    bool open() override;
    void close() override;
    bool play() override;
    void stop() override { playing = false; calls << QStringLiteral("stop"); }
    bool isPlaying() const override { return m_open && playing && pos < len; }
    void seekToEnd() override { pos = len; calls << QStringLiteral("seekToEnd"); }
    void setPosition(qint64 ms) override { pos = ms; calls << QStringLiteral("setPosition %1").arg(ms); }
    qint64 position() const override { return pos; }
    qint64 length() const override { return len; }
    qint64 start() const override { return 0; }
    bool hasVideo() const override { return video; }
    void setDisplayWindow(QWidget* window) override { displayWindow = window; }
    void setDisplayRect(const QRect& rect) override { displayRect = rect; }
    QString errorText() const override { return error; }

    bool openResult = true;
    bool playResult = true;
    QString error = QStringLiteral("fake failure");
    qint64 pos = 0;
    qint64 len = 180000;
    bool playing = false;
    bool video = false;
    QWidget* displayWindow = nullptr;
    QRect displayRect;
    QStringList calls;

private:
    bool m_open = false;
    QString m_file;
};

// A serial port fed by the test: each queued chunk is one read; an empty queue times out.
// reopen opens the last name again (counted in `reopens`, not added to `openedNames`).
class FakeSerialPort : public SerialPort {
public:
    bool open(const QString& name) override;
    bool reopen() override;
    bool isOpen() const override { return m_open; }
    bool setBaudRate(int baud) override
    {
        baudRates.push_back(baud);
        return true;
    }
    ReadResult read(char* buffer, int maxBytes, int& received) override;
    void purge() override { ++purges; }
    void close() override { m_open = false; ++closes; }

    bool openResult = true;
    QStringList openedNames;
    std::vector<int> baudRates; // every setBaudRate, in order
    std::deque<QByteArray> chunks;
    int purges = 0;
    int closes = 0;
    int reopens = 0;

private:
    bool m_open = false;
};

// Doubles for every service, made at once so a test can set them up before start-up.
// The pointers stay valid while the Services they are moved into live (the main window
// owns them).
struct FakeServices {
    FakeServices();
    ~FakeServices();

    FeedbackLog log;
    FakeMediaPlayer* media;
    FakeWavePlayer* wave;
    FakeSpeechEngine* speech = nullptr; // nullptr until the main window creates it
    FakeMixer* mixer;
    FakeBacklight* backlight;
    FakeShell* shell;
    FakePower* power;
    FakeMessageBox* messageBox;
    FakeFileOpenDialog* fileDialog;
    FakeSerialPort* serial = nullptr; // nullptr until the GPS screen opens its port
    bool speechAvailable = true;
    bool serialOpens = true;

    // The Services set over `programFolder`, saving into `dataFolder` (by default the
    // program folder, as a program run from its own folder does); call once.
    Services make(const QString& programFolder, const QString& dataFolder = {});
    // Empties what the doubles have recorded (events, calls, sounds, speech, writes), for
    // runs long enough that the records would pile up.
    void forgetRecords();

private:
    Services m_services;
};
