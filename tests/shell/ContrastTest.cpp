// Every text on every screen and dialog, in each colour style by day and by night, reads at
// 4.5:1 or better against what is really painted behind it. Each text is measured by
// rendering its window twice, once with the text and once with it blanked: the pixels that
// differ are the text, the blank render gives the backdrop under each of them, and the
// best-reading pixel (the core of a stroke, not its anti-aliased edge) is the text's contrast.
#include "config/Settingsunit.h"
#include "dialogs/Aboutunit.h"
#include "dialogs/Myerrorunit.h"
#include "dialogs/Myinputunit.h"
#include "dialogs/Mypromptunit.h"
#include "gps/Gpsinfounit.h"
#include "playback/Videoframeunit.h"
#include "playlists/Openplaylistunit.h"
#include "playlists/Mediaframeunit.h"
#include "playlists/Playlist.h"
#include "support/TestProgram.h"
#include "tools/Mymainmenuunit.h"
#include "widgets/CaptionPanel.h"
#include "widgets/ColourStyles.h"
#include "widgets/TabPager.h"
#include "widgets/TouchButton.h"
#include "widgets/TouchLabel.h"
#include "widgets/TouchList.h"
#include "widgets/WidgetPainting.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct Measured {
    QString what;
    double ratio;
};

// The best contrast of a text pixel against the pixel behind it, 0 when nothing was drawn.
double textContrast(QWidget* widget, const std::function<void(bool blank)>& show)
{
    QWidget* window = widget->window();
    const QRect box(widget->mapTo(window, QPoint()), widget->size());
    show(false);
    const QImage drawn = window->grab(box).toImage().convertToFormat(QImage::Format_RGB32);
    show(true);
    const QImage blank = window->grab(box).toImage().convertToFormat(QImage::Format_RGB32);
    show(false);
    double best = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (drawn.pixel(x, y) != blank.pixel(x, y))
                best = qMax(best, WidgetPainting::contrastRatio(QColor(drawn.pixel(x, y)), QColor(blank.pixel(x, y))));
    return best;
}

// Measures every text-bearing touch widget of `window` that is shown.
void measureWindow(QWidget* window, const QString& where, QList<Measured>& out)
{
    const auto shown = [&](QWidget* w) { return w->isVisibleTo(window) && w->width() > 0 && w->height() > 0; };
    const auto record = [&](QWidget* w, const QString& text, double ratio) {
        if (ratio > 0)
            out.append({where + " " + w->objectName() + " \"" + text.left(30) + "\"", ratio});
    };
    for (TouchLabel* label : window->findChildren<TouchLabel*>()) {
        const QString text = label->text();
        if (shown(label) && !text.trimmed().isEmpty())
            record(label, text, textContrast(label, [&](bool blank) { label->setText(blank ? QString() : text); }));
    }
    for (TouchButton* button : window->findChildren<TouchButton*>()) {
        const QString text = button->text();
        if (shown(button) && !text.trimmed().isEmpty())
            record(button, text, textContrast(button, [&](bool blank) { button->setText(blank ? QStringLiteral(" ") : text); }));
    }
    for (CaptionPanel* panel : window->findChildren<CaptionPanel*>()) {
        const QString text = panel->caption();
        if (shown(panel) && !text.trimmed().isEmpty())
            record(panel, text, textContrast(panel, [&](bool blank) { panel->setCaption(blank ? QString() : text); }));
    }
    for (TouchList* list : window->findChildren<TouchList*>()) {
        if (!shown(list))
            continue;
        for (int i = 0; i < list->count(); ++i) {
            const QString text = list->items().at(i);
            record(list, text, textContrast(list, [&](bool blank) { list->setItemText(i, blank ? QString() : text); }));
        }
        const QString header = list->header();
        record(list, header, textContrast(list, [&](bool blank) { list->setHeader(blank ? QString() : header); }));
    }
    // Text boxes: a blank stands in for the text, so that no placeholder shows instead.
    for (QLineEdit* field : window->findChildren<QLineEdit*>()) {
        const QString text = field->text();
        if (!shown(field) || field->parent()->inherits("QComboBox"))
            continue;
        if (!text.trimmed().isEmpty())
            record(field, text, textContrast(field, [&](bool blank) { field->setText(blank ? QStringLiteral(" ") : text); }));
        const QString placeholder = field->placeholderText();
        if (text.isEmpty() && !placeholder.isEmpty())
            record(field, placeholder,
                   textContrast(field, [&](bool blank) { field->setPlaceholderText(blank ? QString() : placeholder); }));
    }
    for (QPlainTextEdit* box : window->findChildren<QPlainTextEdit*>()) {
        const QString text = box->toPlainText();
        if (shown(box) && !text.trimmed().isEmpty())
            record(box, text, textContrast(box, [&](bool blank) { box->setPlainText(blank ? QString() : text); }));
    }
    for (QComboBox* combo : window->findChildren<QComboBox*>()) {
        const int current = combo->currentIndex();
        const QString text = combo->currentText();
        if (shown(combo) && current >= 0 && !text.trimmed().isEmpty())
            record(combo, text,
                   textContrast(combo, [&](bool blank) { combo->setItemText(current, blank ? QStringLiteral(" ") : text); }));
    }
}

class ContrastTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        program.start();
        // A playlist with a selected entry of each colour, the first one also playing.
        TouchList* list = program.main->MediaFrame1->PlayList;
        list->addItem(QStringLiteral("Playable track"), EntryColour::Playable);
        list->addItem(QStringLiteral("Missing track"), EntryColour::Failed);
        list->addItem(QStringLiteral("Another track"), EntryColour::Playable);
    }
    void TearDown() override { ColourStyles::instance().apply(4); }

    void applyStyle(int index, bool daylight)
    {
        TSettingsForm& options = program.options();
        (daylight ? options.DayThemeList : options.NightThemeList)->setSelectedIndex(index);
        if (daylight)
            options.DayColourBtnClick();
        else
            options.NightColourBtnClick();
    }

    QList<Measured> measureEverything()
    {
        QList<Measured> out;
        TMainForm& m = *program.main;
        for (int screen = 1; screen <= 6; ++screen) {
            m.ShowScreen(screen);
            measureWindow(&m, QStringLiteral("screen %1").arg(screen), out);
        }
        m.ShowScreen(TMainForm::Video);
        m.VideoFrame1->VideoOutputClick();
        measureWindow(&m, QStringLiteral("video strip"), out);
        m.VideoFrame1->VideoOutputClick();
        TouchList* list = m.MediaFrame1->PlayList;
        m.ShowScreen(2);
        for (int row : {0, 1}) {
            list->setSelectedIndex(row);
            measureWindow(&m, QStringLiteral("playlist, row %1 selected").arg(row), out);
        }
        TSettingsForm& options = program.options();
        for (QComboBox* hardware : {options.GPSPort, options.GPSBaud, options.SOCPort})
            if (hardware->currentIndex() < 0)
                hardware->setCurrentIndex(0);
        for (int page = 0; page < 4; ++page) {
            options.AdvSmoothTabPager1->setCurrentIndex(page);
            measureWindow(&options, QStringLiteral("options page %1").arg(page), out);
        }
        options.AdvSmoothTabPager1->setCurrentIndex(0);
        measureWindow(m.MyMainMenu, QStringLiteral("system menu"), out);
        measureWindow(m.MyPrompt, QStringLiteral("prompt"), out);
        measureWindow(m.OpenPlaylistForm, QStringLiteral("playlist chooser"), out);
        TGpsInfo& gps = *m.GpsInfo;
        gps.Memo1->setPlainText(QStringLiteral("$PSRF103,00,01,00,01*25"));
        gps.LastSentence->setText(QStringLiteral("$GPRMC,154507,A,5130.0,N,00007.0,W,022.4,084.4,080312,,*0B"));
        for (int page = 0; page < 2; ++page) {
            gps.AdvSmoothTabPager1->setCurrentIndex(page);
            measureWindow(&gps, QStringLiteral("GPS screen page %1").arg(page), out);
        }
        gps.AdvSmoothTabPager1->setCurrentIndex(0);
        TMyInput keyboard(&m, m.feedback());
        keyboard.PromptDisp->setText(QStringLiteral("Name Your Playlist"));
        for (const char* typed : {"", "My Songs"}) {
            keyboard.InputBox->setText(QString::fromLatin1(typed));
            measureWindow(&keyboard, QStringLiteral("keyboard"), out);
        }
        keyboard.ShiftBtnClick();
        measureWindow(&keyboard, QStringLiteral("keyboard, shifted"), out);
        keyboard.SymbolBtnClick();
        measureWindow(&keyboard, QStringLiteral("keyboard, symbols"), out);
        m.MyError->showNotice(QStringLiteral("FILE ERROR\n\nError Saving config.ini"));
        measureWindow(m.MyError, QStringLiteral("notice"), out);
        m.MyError->hide();
        TAboutForm about(&m, m.feedback(), m.notices(), *m.services().shell, m.services().programFolder,
                         m.services().dataFolder);
        about.LicenceDisplay->setPlainText(QStringLiteral("Permission is granted to use, copy and share this program."));
        for (int page = 0; page < 2; ++page) {
            about.AdvSmoothTabPager1->setCurrentIndex(page);
            measureWindow(&about, QStringLiteral("about page %1").arg(page), out);
        }
        return out;
    }

    TestProgram program;
};

} // namespace

TEST_P(ContrastTest, EveryTextReadsInEveryStyle)
{
    const bool daylight = GetParam();
    for (int style = 0; style < ColourStyles::Count; ++style) {
        applyStyle(style, daylight);
        ASSERT_EQ(ColourStyles::instance().currentIndex(), style);
        const QList<Measured> measured = measureEverything();
        ASSERT_GT(measured.size(), 100) << "the texts were not found";
        for (const Measured& m : measured)
            EXPECT_GE(m.ratio, WidgetPainting::MinimumTextContrast - 0.05)
                << ColourStyles::style(style).name.toStdString() << (daylight ? " by day, " : " by night, ")
                << m.what.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(DayAndNight, ContrastTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Day" : "Night"; });
