#pragma once
// Media files made by ffmpeg for the tests that need formats Qt cannot write.
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

// Runs ffmpeg with `arguments` followed by `path`; returns `path`, or an empty text when
// ffmpeg is missing or fails (the caller then skips).
inline QString ffmpegFile(const QString& path, const QStringList& arguments)
{
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty())
        return {};
    QProcess encoder;
    encoder.start(ffmpeg, QStringList{"-loglevel", "error", "-y"} + arguments << path);
    return encoder.waitForFinished(30000) && encoder.exitCode() == 0 ? path : QString();
}
