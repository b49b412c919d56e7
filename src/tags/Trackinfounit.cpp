#include "tags/Trackinfounit.h"

#include "app/Feedback.h"
#include "playback/NowPlaying.h"
#include "playback/NowPlayingTexts.h"
#include "widgets/CaptionPanel.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// Two beamed notes, shown until a track brings its own picture.
QPixmap musicNotePicture()
{
    QPixmap picture(250, 250);
    picture.fill(QColor(24, 24, 24));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor ink(192, 192, 192);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    for (const QPointF& head : {QPointF(80, 185), QPointF(170, 165)}) {
        p.save();
        p.translate(head);
        p.rotate(-20);
        p.drawEllipse(QPointF(0, 0), 26, 18);
        p.restore();
    }
    p.drawRect(QRectF(100, 60, 8, 122));
    p.drawRect(QRectF(190, 40, 8, 122));
    QPainterPath beam;
    beam.moveTo(100, 60);
    beam.lineTo(198, 40);
    beam.lineTo(198, 68);
    beam.lineTo(100, 88);
    beam.closeSubpath();
    p.drawPath(beam);
    return picture;
}

TouchLabel* makeTagLabel(QWidget* parent, const char* name, QRect place, const QString& text)
{
    auto* label = new TouchLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    label->setFontPixelSize(27);
    label->setTextColour(Qt::white);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

TTrackInfoForm::TTrackInfoForm(QWidget* parent, const NowPlaying& nowPlaying, Feedback& feedback)
    : QWidget(parent)
    , m_feedback(feedback)
{
    setObjectName(QStringLiteral("TTrackInfoForm"));
    resize(530, 600);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    AdvSmoothPanel1 = new CaptionPanel(QString(), this);
    AdvSmoothPanel1->setObjectName(QStringLiteral("AdvSmoothPanel1"));
    FilenameDisplay = new TouchLabel(QStringLiteral("No Media Loaded"), AdvSmoothPanel1);
    FilenameDisplay->setObjectName(QStringLiteral("FilenameDisplay"));
    FilenameDisplay->setFontPixelSize(21);
    FilenameDisplay->setWordWrap(true);
    FilenameDisplay->setTextFormat(Qt::PlainText);
    FilenameDisplay->setAlignment(Qt::AlignCenter);

    TrackImage = new QLabel(this);
    TrackImage->setObjectName(QStringLiteral("TrackImage"));
    TrackImage->setGeometry(QRect(QPoint(127, 74), PictureSize));
    TrackImage->setScaledContents(true);
    TrackImage->setPixmap(musicNotePicture());

    ReadMeBtn = new TouchButton(QString(), this);
    ReadMeBtn->setObjectName(QStringLiteral("ReadMeBtn"));
    ReadMeBtn->setGeometry(445, 79, 60, 50);
    ReadMeBtn->setGlyph(Glyph::ReadAloud);

    TrackTitle = makeTagLabel(this, "TrackTitle", {16, 360, 496, 34}, QString());
    TrackArtist = makeTagLabel(this, "TrackArtist", {16, 400, 495, 34}, QStringLiteral("No Information Available"));
    TrackAlbum = makeTagLabel(this, "TrackAlbum", {16, 436, 496, 34}, QString());
    TrackGenreYear = makeTagLabel(this, "TrackGenreYear", {16, 472, 495, 34}, QString());

    AdvSmoothPanel2 = new CaptionPanel(QString(), this);
    AdvSmoothPanel2->setObjectName(QStringLiteral("AdvSmoothPanel2"));
    TrackComments = new TouchLabel(QStringLiteral("Information Available In Play Mode Only"), AdvSmoothPanel2);
    TrackComments->setObjectName(QStringLiteral("TrackComments"));
    TrackComments->setGeometry(9, 0, 512, 80);
    TrackComments->setFontPixelSize(21, true);
    TrackComments->setWordWrap(true);
    TrackComments->setTextFormat(Qt::PlainText);
    TrackComments->setAlignment(Qt::AlignCenter);

    connect(ReadMeBtn, &QAbstractButton::clicked, this, &TTrackInfoForm::ReadMeBtnClick);
    connect(&nowPlaying, &NowPlaying::trackStarted, this, [this, &nowPlaying] {
        ShowTrack(nowPlaying.info());
        ShowAlbumArt(nowPlaying.trackPicture());
    });
}

void TTrackInfoForm::resizeEvent(QResizeEvent* event)
{
    // The bars span the panel, 3 pixels from its top and bottom edges.
    AdvSmoothPanel1->setGeometry(0, 3, width(), 70);
    FilenameDisplay->setGeometry(0, 3, width(), 65);
    AdvSmoothPanel2->setGeometry(0, height() - 3 - 80, width(), 80);
    QWidget::resizeEvent(event);
}

void TTrackInfoForm::ShowTrack(const NowPlayingInfo& info)
{
    const auto texts = NowPlayingTexts::TrackPanel::of(info);
    FilenameDisplay->setText(texts.FilenameDisplay);
    TrackTitle->setText(texts.TrackTitle);
    TrackAlbum->setText(texts.TrackAlbum);
    TrackGenreYear->setText(texts.TrackGenreYear);
    TrackArtist->setText(texts.TrackArtist);
    TrackComments->setText(texts.TrackComments);
}

void TTrackInfoForm::ShowAlbumArt(const QImage& picture)
{
    if (!picture.isNull())
        TrackImage->setPixmap(QPixmap::fromImage(picture));
}

void TTrackInfoForm::ReadMeBtnClick()
{
    m_feedback.SpeakText(NowPlayingTexts::spokenTrack(TrackTitle->text(), TrackArtist->text(), TrackAlbum->text(),
                                                       TrackGenreYear->text()));
}
