#include "support/Doubles.h"

#include "platform/FileNames.h"

#include <cstring>

void FakeWavePlayer::play(const QString& fileName)
{
    played << fileName;
    if (m_log)
        m_log->events << QStringLiteral("sound:") + fileName;
}

bool FakeSpeechEngine::speak(const QString& text, Punctuation mode)
{
    spoken << text;
    punctuation.push_back(mode);
    if (m_log)
        m_log->events << QStringLiteral("speak:") + text;
    return !fail;
}

void FakeMessageBox::show(QWidget*, const QString& text)
{
    shown << text;
    if (m_log)
        m_log->events << QStringLiteral("message:") + text;
}

std::optional<QString> FakeFileOpenDialog::choose(QWidget*, const Request& request)
{
    requests.push_back(request);
    if (answers.empty())
        return std::nullopt;
    const QString answer = answers.front();
    answers.pop_front();
    if (answer.isEmpty())
        return std::nullopt;
    return answer;
}

bool FakeMediaPlayer::open()
{
    calls << QStringLiteral("open ") + m_file;
    // As mpv does, the file is looked for by the bytes of its name.
    m_open = openResult && FileNames::exists(m_file);
    pos = 0;
    return m_open;
}

void FakeMediaPlayer::close()
{
    calls << QStringLiteral("close");
    m_open = false;
    playing = false;
}

bool FakeMediaPlayer::play()
{
    calls << QStringLiteral("play");
    playing = playResult && m_open;
    return playing;
}

bool FakeSerialPort::open(const QString& name)
{
    openedNames << name;
    m_open = openResult;
    return m_open;
}

bool FakeSerialPort::reopen()
{
    ++reopens;
    m_open = openResult && !openedNames.isEmpty();
    return m_open;
}

SerialPort::ReadResult FakeSerialPort::read(char* buffer, int maxBytes, int& received)
{
    received = 0;
    if (chunks.empty())
        return ReadResult::Timeout;
    QByteArray& chunk = chunks.front();
    received = int(std::min<qsizetype>(maxBytes, chunk.size()));
    std::memcpy(buffer, chunk.constData(), size_t(received));
    chunk.remove(0, received);
    if (chunk.isEmpty())
        chunks.pop_front();
    return ReadResult::Data;
}

FakeServices::FakeServices()
{
    auto own = [](auto& slot, auto* object) {
        slot.reset(object);
        return object;
    };
    media = own(m_services.mediaPlayer, new FakeMediaPlayer);
    wave = own(m_services.wavePlayer, new FakeWavePlayer(&log));
    mixer = own(m_services.mixer, new FakeMixer);
    backlight = own(m_services.backlight, new FakeBacklight);
    shell = own(m_services.shell, new FakeShell);
    power = own(m_services.power, new FakePower);
    messageBox = own(m_services.messageBox, new FakeMessageBox(&log));
    fileDialog = own(m_services.fileOpenDialog, new FakeFileOpenDialog);
    m_services.createSpeechEngine = [this]() -> std::unique_ptr<SpeechEngine> {
        if (!speechAvailable)
            return nullptr;
        auto engine = std::make_unique<FakeSpeechEngine>(&log);
        speech = engine.get();
        return engine;
    };
    m_services.createSerialPort = [this](const QString&) -> std::unique_ptr<SerialPort> {
        auto port = std::make_unique<FakeSerialPort>();
        port->openResult = serialOpens;
        serial = port.get();
        return port;
    };
}

FakeServices::~FakeServices() = default;

void FakeServices::forgetRecords()
{
    log.events.clear();
    media->calls.clear();
    wave->played.clear();
    if (speech) {
        speech->spoken.clear();
        speech->punctuation.clear();
    }
    mixer->writes.clear();
    mixer->muteWrites.clear();
    backlight->percents.clear();
    shell->opened.clear();
    shell->commands.clear();
    power->calls.clear();
    messageBox->shown.clear();
    fileDialog->requests.clear();
}

Services FakeServices::make(const QString& programFolder, const QString& dataFolder)
{
    m_services.programFolder = programFolder;
    m_services.dataFolder = dataFolder.isEmpty() ? programFolder : dataFolder;
    return std::move(m_services);
}
