#pragma once
// The track information panel: tags and album art of the track last started.
#include <QWidget>

class CaptionPanel;
class QLabel;
class Feedback;
class NowPlaying;
class TouchButton;
class TouchLabel;
struct NowPlayingInfo;

class TTrackInfoForm : public QWidget {
    Q_OBJECT
public:
    // The album art's square.
    static constexpr QSize PictureSize{280, 280};

    // Follows `nowPlaying`: each started track is shown.
    TTrackInfoForm(QWidget* parent, const NowPlaying& nowPlaying, Feedback& feedback);

    // Shows the file name and tag texts of a track that has just started.
    void ShowTrack(const NowPlayingInfo& info);
    // Shows `picture`; a null picture leaves the one shown.
    void ShowAlbumArt(const QImage& picture);

    CaptionPanel* AdvSmoothPanel1;
    TouchLabel* FilenameDisplay;
    QLabel* TrackImage;
    TouchButton* ReadMeBtn;
    TouchLabel* TrackTitle;
    TouchLabel* TrackArtist;
    TouchLabel* TrackAlbum;
    TouchLabel* TrackGenreYear;
    CaptionPanel* AdvSmoothPanel2;
    TouchLabel* TrackComments;

    // Speaks title, artist, album, genre and year.
    void ReadMeBtnClick();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    Feedback& m_feedback;
};
