#include "support/QtPrinters.h"
#include "platform/QtFileOpenDialog.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

TEST(FileDialogFilter, ServiceManualFilterOfTheOptionsScreen)
{
    const QString filter = "Text files (*.txt,*.rtf,*.doc)|*.TXT;*.RTF;*.DOC|HTML Files (*.html)|"
                           "*.HTM;*.HTML|Adobe Acrobat (*.pdf)|*.PDF";
    EXPECT_EQ(QtFileOpenDialog::nameFilters(filter),
              QStringList({"Text files (*.txt,*.rtf,*.doc) (*.TXT *.txt *.RTF *.rtf *.DOC *.doc)",
                           "HTML Files (*.html) (*.HTM *.htm *.HTML *.html)",
                           "Adobe Acrobat (*.pdf) (*.PDF *.pdf)"}));
}

TEST(FileDialogFilter, AllFilesAndMixedCasePatterns)
{
    EXPECT_EQ(QtFileOpenDialog::nameFilters("All files (*.*)|*.*"),
              QStringList({"All files (*.*) (*.*)"}));
    EXPECT_EQ(QtFileOpenDialog::nameFilters("Maps|*.Kml; *.gpx ;"),
              QStringList({"Maps (*.Kml *.KML *.kml *.gpx *.GPX)"}));
}

TEST(FileDialogFilter, MissingPatternsAndEmptyFilter)
{
    EXPECT_TRUE(QtFileOpenDialog::nameFilters("").isEmpty());
    EXPECT_EQ(QtFileOpenDialog::nameFilters("Anything"), QStringList({"Anything (*)"}));
    EXPECT_EQ(QtFileOpenDialog::nameFilters("A|*.A|B"), QStringList({"A (*.A *.a)", "B (*)"}));
}

TEST(FileDialogFolder, WindowsDrivesAndMissingFoldersAreTheRoot)
{
    for (const char* folder : {"c:\\", "C:\\", "c:", "d:/", "", "  ", "/no/such/folder/here",
                               "c:\\no\\such\\folder"})
        EXPECT_EQ(QtFileOpenDialog::startFolder(folder), "/") << folder;
}

TEST(FileDialogFolder, ExistingFoldersStay)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkpath("Data/Maps"));
    EXPECT_EQ(QtFileOpenDialog::startFolder(dir.path()), QDir::cleanPath(dir.path()));
    EXPECT_EQ(QtFileOpenDialog::startFolder(dir.path() + "/Data/Maps/"),
              QDir::cleanPath(dir.path() + "/Data/Maps"));
    // A Windows path below a drive is the same path below "/".
    const QString windowsStyle = "c:" + QString(dir.path() + "/Data/Maps").replace('/', '\\');
    EXPECT_EQ(QtFileOpenDialog::startFolder(windowsStyle), QDir::cleanPath(dir.path() + "/Data/Maps"));
}

namespace {

QFileDialog* openFileDialog()
{
    return qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
}

// The names the dialog's file list shows as choosable, once it has listed the folder.
QStringList choosableNames(QFileDialog* dialog, int expected)
{
    auto* view = dialog->findChild<QListView*>("listView");
    if (!view)
        return {};
    QStringList names;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        names.clear();
        const QAbstractItemModel* model = view->model();
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < model->rowCount(root); ++row) {
            const QModelIndex index = model->index(row, 0, root);
            if (model->flags(index) & Qt::ItemIsEnabled)
                names << index.data().toString();
        }
        if (names.size() >= expected)
            break;
    }
    names.sort();
    return names;
}

// Types NAME into the dialog's file name box and presses Open, as a user would.
void typeAndAccept(QFileDialog* dialog, const QString& name)
{
    if (auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit"))
        edit->setText(name);
    QMetaObject::invokeMethod(dialog, "accept");
}

} // namespace

class FileOpenDialogRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        for (const char* name : {"lower.txt", "UPPER.TXT", "Mixed.Rtf", "other.pdf", "notes"}) {
            QFile file(dir.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
        request.title = "Select Service Manual File";
        request.filter = "Text files (*.txt,*.rtf,*.doc)|*.TXT;*.RTF;*.DOC|Adobe Acrobat (*.pdf)|*.PDF";
        request.initialFolder = dir.path();
    }

    QTemporaryDir dir;
    FileOpenDialog::Request request;
    QtFileOpenDialog picker;
};

TEST_F(FileOpenDialogRun, ShowsTheRequestAndReturnsTheChosenFile)
{
    const QString before = QDir::currentPath();
    QString title;
    QStringList filters;
    QString activeFilter;
    QString folder;
    QSize size;
    bool existingFileMode = false;
    QStringList listed;
    QTimer::singleShot(0, [&] {
        QFileDialog* dialog = openFileDialog();
        if (!dialog)
            return;
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        activeFilter = dialog->selectedNameFilter();
        folder = dialog->directory().absolutePath();
        size = dialog->size();
        existingFileMode = dialog->fileMode() == QFileDialog::ExistingFile;
        // The sub-folder, and both text files whatever the case of their extension.
        listed = choosableNames(dialog, 4);
        typeAndAccept(dialog, "lower.txt");
        if (dialog->isVisible())
            dialog->reject(); // accepting failed: the test must not hang
    });

    const std::optional<QString> chosen = picker.choose(nullptr, request);

    EXPECT_EQ(title, "Select Service Manual File");
    EXPECT_EQ(filters, QtFileOpenDialog::nameFilters(request.filter));
    // The first choice is active; the user sees its text, not the patterns behind it.
    EXPECT_EQ(activeFilter, "Text files (*.txt,*.rtf,*.doc)");
    EXPECT_EQ(folder, QDir(dir.path()).absolutePath());
    EXPECT_GE(size.width(), 700);
    EXPECT_GE(size.height(), 500);
    EXPECT_TRUE(existingFileMode);
    EXPECT_EQ(listed, QStringList({"Mixed.Rtf", "UPPER.TXT", "lower.txt", "sub"}));
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, QDir(dir.path()).absoluteFilePath("lower.txt"));
    EXPECT_EQ(QDir::currentPath(), before);
}

TEST_F(FileOpenDialogRun, AMissingFileCannotBeChosen)
{
    bool warned = false;
    bool stillOpen = false;
    QTimer::singleShot(0, [&] {
        QFileDialog* dialog = openFileDialog();
        if (!dialog)
            return;
        // Qt answers a missing name with a warning box of its own; close it.
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                warned = true;
                box->close();
            }
        });
        typeAndAccept(dialog, "missing.txt");
        stillOpen = dialog->isVisible();
        dialog->reject();
    });
    EXPECT_FALSE(picker.choose(nullptr, request).has_value());
    EXPECT_TRUE(warned);
    EXPECT_TRUE(stillOpen);
}

TEST_F(FileOpenDialogRun, CancelChoosesNothing)
{
    bool shown = false;
    QTimer::singleShot(0, [&] {
        if (QFileDialog* dialog = openFileDialog()) {
            shown = true;
            dialog->reject();
        }
    });
    EXPECT_FALSE(picker.choose(nullptr, request).has_value());
    EXPECT_TRUE(shown);
}

TEST_F(FileOpenDialogRun, AWindowsDriveOpensAtTheRoot)
{
    request.initialFolder = "c:\\";
    QString folder;
    QTimer::singleShot(0, [&] {
        if (QFileDialog* dialog = openFileDialog()) {
            folder = dialog->directory().absolutePath();
            dialog->reject();
        }
    });
    EXPECT_FALSE(picker.choose(nullptr, request).has_value());
    EXPECT_EQ(folder, "/");
}
