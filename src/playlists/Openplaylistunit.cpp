#include "playlists/Openplaylistunit.h"

#include "playlists/PlaylistFile.h"
#include "app/Feedback.h"
#include "dialogs/Notices.h"
#include "widgets/Placement.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchList.h"

#include <QFile>
#include <QPainter>

namespace {

constexpr int Frame = 10;
constexpr int ButtonTop = 448;
constexpr int ButtonHeight = 49;

} // namespace

TOpenPlaylistForm::TOpenPlaylistForm(QWidget* mainWindow, Feedback& feedback, Notices& notices,
                                     const QString& dataFolder)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint)
    , m_mainWindow(mainWindow)
    , m_feedback(feedback)
    , m_notices(notices)
    , m_dataFolder(dataFolder)
{
    setObjectName(QStringLiteral("TOpenPlaylistForm"));
    setModal(true);
    setFixedSize(480, 511);
    setWindowOpacity(240.0 / 255.0);

    PlayListBox = new TouchList(this);
    PlayListBox->setObjectName(QStringLiteral("PlayListBox"));
    PlayListBox->setGeometry(16, 12, 449, 421);
    PlayListBox->setHeader(QStringLiteral("Playlists"));
    PlayListBox->setRowHeight(44);
    PlayListBox->setFontPixelSize(32);

    const auto makeButton = [this](const char* name, const QString& caption, int left, int width) {
        auto* button = new TouchButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(left, ButtonTop, width, ButtonHeight);
        button->setFontPixelSize(24);
        return button;
    };
    OpenBtn = makeButton("OpenBtn", QStringLiteral("OPEN"), 16, 153);
    DeleteBtn = makeButton("DeleteBtn", QStringLiteral("DEL"), 184, 105);
    CancelBtn = makeButton("CancelBtn", QStringLiteral("CANCEL"), 304, 161);

    // A tap on the highlighted row chooses it again after a scroll; the selection does
    // not change then.
    connect(PlayListBox, &TouchList::selectionChanged, this, [this](int, int current) {
        if (current >= 0)
            PlayListBoxItemSelectionChanged(current);
    });
    connect(PlayListBox, &TouchList::rowTapped, this, &TOpenPlaylistForm::PlayListBoxItemSelectionChanged);
    connect(PlayListBox, &TouchList::scrolled, this, &TOpenPlaylistForm::PlayListBoxScroll);
    connect(OpenBtn, &QAbstractButton::clicked, this, &TOpenPlaylistForm::OpenBtnClick);
    connect(DeleteBtn, &QAbstractButton::clicked, this, &TOpenPlaylistForm::DeleteBtnClick);
    connect(CancelBtn, &QAbstractButton::clicked, this, &TOpenPlaylistForm::CancelBtnClick);
}

std::optional<QString> TOpenPlaylistForm::choose()
{
    centreOnWindow(*this, *m_mainWindow);
    if (exec() != Ok || chosenName().isEmpty())
        return std::nullopt;
    return chosenName();
}

QString TOpenPlaylistForm::chosenName() const
{
    return PlayListBox->footer();
}

QString TOpenPlaylistForm::playlistFolder() const
{
    return PlaylistFile::folder(m_dataFolder);
}

void TOpenPlaylistForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TOpenPlaylistForm::paintEvent(QPaintEvent*)
{
    // The blue frame around the black panel.
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 255));
    painter.fillRect(rect().adjusted(Frame, Frame, -Frame, -Frame), Qt::black);
}

void TOpenPlaylistForm::FormShow()
{
    PlayListBox->setFooter(QString());
    PlayListBox->clear();
    for (const QString& name : PlaylistFile::listedNames(playlistFolder()))
        PlayListBox->addItem(name);
}

void TOpenPlaylistForm::PlayListBoxItemSelectionChanged(int row)
{
    PlayListBox->setFooter(PlayListBox->itemText(row));
}

void TOpenPlaylistForm::PlayListBoxScroll()
{
    PlayListBox->setFooter(QString());
}

void TOpenPlaylistForm::OpenBtnClick()
{
    if (chosenName().isEmpty()) {
        m_feedback.PlayUiSound(UiSound::Error, LiveSetting::ClickSounds);
        return;
    }
    m_feedback.Click();
    done(Ok);
}

void TOpenPlaylistForm::DeleteBtnClick()
{
    const QString name = chosenName();
    if (name.isEmpty()) {
        m_feedback.PlayUiSound(UiSound::Error, LiveSetting::ClickSounds);
        return;
    }
    m_feedback.Click();
    if (!m_notices.AskYesNo(QStringLiteral("Delete Playlist ") + name + u'?'))
        return;
    const QString path = PlaylistFile::path(m_dataFolder, name);
    if (!QFile::remove(path)) {
        m_notices.ShowErrorNotice(QStringLiteral("DELETE ERROR\n") + path);
        return;
    }
    m_feedback.Click();
    PlayListBox->removeItem(PlayListBox->selectedIndex()); // leaves no row selected
    PlayListBox->setFooter(QString());
}

void TOpenPlaylistForm::CancelBtnClick()
{
    m_feedback.Click();
    PlayListBox->setFooter(QString());
    done(Cancel);
}
