#pragma once
// The chooser of saved playlists: lists the playlist folder, and opens or deletes the
// playlist whose name is in the list's footer (the chosen one).
#include <QDialog>
#include <optional>

class Feedback;
class Notices;
class TouchButton;
class TouchList;

class TOpenPlaylistForm : public QDialog {
    Q_OBJECT
public:
    enum ModalResult { Ok = 1, Cancel = 2 };

    TOpenPlaylistForm(QWidget* mainWindow, Feedback& feedback, Notices& notices, const QString& dataFolder);

    // Shows the chooser modally; the chosen playlist's name when the driver opens one.
    std::optional<QString> choose();
    // The name that OPEN and DEL act on; empty when none is chosen.
    QString chosenName() const;

    TouchList* PlayListBox;
    TouchButton* OpenBtn;
    TouchButton* DeleteBtn;
    TouchButton* CancelBtn;

    void FormShow();
    void PlayListBoxItemSelectionChanged(int row);
    void PlayListBoxScroll();
    void OpenBtnClick();
    void DeleteBtnClick();
    void CancelBtnClick();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString playlistFolder() const;
    QWidget* m_mainWindow;
    Feedback& m_feedback;
    Notices& m_notices;
    QString m_dataFolder;
};
