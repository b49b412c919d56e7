#include "MediaScreenTest.h"

#include "dialogs/Myerrorunit.h"
#include "playlists/Mediaframeunit.h"
#include "home/Welcomeframeunit.h"
#include "widgets/TouchLabel.h"

#include <QDir>
#include <QFileInfo>

TMediaFrame& MediaScreenTest::media() const
{
    return *m().MediaFrame1;
}

TWelcomeFrame& MediaScreenTest::home() const
{
    return *m().WelcomeFrame1;
}

Playlist& MediaScreenTest::playlist() const
{
    return media().playlist();
}

QString MediaScreenTest::writeFile(const QString& name, const QByteArray& bytes) const
{
    const QString path = program.folder.file(name);
    QDir().mkpath(QFileInfo(path).path());
    program.folder.write(name, bytes);
    return path;
}

QString MediaScreenTest::addTrack(const QString& name, const QByteArray& bytes)
{
    const QString path = writeFile(name, bytes);
    playlist().append(path);
    return path;
}

QString MediaScreenTest::notice() const
{
    return m().MyError->isVisible() ? m().MyError->ErrorText->text() : QString();
}

void MediaScreenTest::closeNotice() const
{
    m().MyError->hide();
}
