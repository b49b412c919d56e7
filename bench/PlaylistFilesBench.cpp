// Opening a playlist of 10 000 entries and listing a folder of 10 000 media files: what
// the window thread spends before the driver sees the result.
#include "platform/TextFile.h"
#include "playlists/Filesframeunit.h"
#include "playlists/MediaFolder.h"
#include "playlists/Mediaframeunit.h"
#include "playlists/PlaylistFile.h"
#include "shell/Mainunit.h"
#include "shell/Startup.h"
#include "widgets/TouchList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int Entries = 10000;

// A program folder whose "media" folder holds 10 000 small media files.
class FolderOfMedia {
public:
    explicit FolderOfMedia(benchmark::State& state)
    {
        m_media = m_program.filePath(QStringLiteral("media"));
        if (!QDir().mkdir(m_media)) {
            state.SkipWithError("cannot make the media folder");
            return;
        }
        for (int i = 0; i < Entries; ++i) {
            QFile file(MediaFolder::filePath(m_media, QStringLiteral("Track_%1.mp3").arg(i, 5, 10, QChar(u'0'))));
            if (!file.open(QIODevice::WriteOnly)) {
                state.SkipWithError("cannot write a media file");
                return;
            }
            paths.append(file.fileName());
        }
        main = Startup::createWindows(realServices(m_program.path()));
    }
    QString media() const { return m_media; }
    QString programFolder() const { return m_program.path(); }

    std::unique_ptr<TMainForm> main;
    QStringList paths;

private:
    QTemporaryDir m_program;
    QString m_media;
};

// Reading the file, checking that each media file is there and filling the playlist
// screen: the work of Open Playlist after the chooser closes.
void BM_OpenPlaylistOf10000Entries(benchmark::State& state)
{
    FolderOfMedia program(state);
    if (!program.main)
        return;
    const QString file = PlaylistFile::path(program.programFolder(), QStringLiteral("Long"));
    if (!QDir().mkdir(PlaylistFile::folder(program.programFolder())) || !TextFile::writeLines(file, program.paths)) {
        state.SkipWithError("cannot write the playlist");
        return;
    }
    Playlist& playlist = program.main->MediaFrame1->playlist();
    for (auto _ : state)
        playlist.replaceAll(PlaylistFile::entriesFor(TextFile::readLines(file).value()));
    if (playlist.count() != Entries)
        state.SkipWithError("the playlist was not filled");
}
BENCHMARK(BM_OpenPlaylistOf10000Entries)->Unit(benchmark::kMillisecond);

// Listing, sorting and showing the files when the browser opens the folder.
void BM_ShowFolderOf10000Files(benchmark::State& state)
{
    FolderOfMedia program(state);
    if (!program.main)
        return;
    TFilesFrame& browser = *program.main->FilesFrame1;
    for (auto _ : state)
        browser.showFolder(program.media());
    if (browser.FileListBox1->count() != Entries)
        state.SkipWithError("the files were not listed");
}
BENCHMARK(BM_ShowFolderOf10000Files)->Unit(benchmark::kMillisecond);

} // namespace
