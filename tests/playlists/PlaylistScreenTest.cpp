#include "PlaylistScreenTest.h"

#include "dialogs/Myerrorunit.h"
#include "dialogs/Mypromptunit.h"
#include "playlists/Mediaframeunit.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

TMediaFrame& PlaylistScreenTest::media() const
{
    return *m().MediaFrame1;
}

Playlist& PlaylistScreenTest::playlist() const
{
    return media().playlist();
}

QString PlaylistScreenTest::writeFile(const QString& name, const QByteArray& bytes) const
{
    const QString path = program.folder.file(name);
    QDir().mkpath(QFileInfo(path).path());
    program.folder.write(name, bytes);
    return path;
}

QString PlaylistScreenTest::notice() const
{
    return m().MyError->isVisible() ? m().MyError->ErrorText->text() : QString();
}

void PlaylistScreenTest::answerNextQuestion(bool yes)
{
    whenModalOpens([this, yes] {
        auto* prompt = qobject_cast<TMyPrompt*>(QApplication::activeModalWidget());
        ASSERT_NE(prompt, nullptr);
        asked << prompt->PromptDisp->text();
        (yes ? prompt->OkBtn : prompt->CancelBtn)->click();
    });
}

QPoint rowPoint(const TouchList& list, int row)
{
    // The header and the footer are equally high; the size hint holds six rows.
    const int header = (list.sizeHint().height() - 6 * list.rowHeight()) / 2;
    return {list.width() / 3, header + (row - list.topIndex()) * list.rowHeight() + list.rowHeight() / 2};
}
