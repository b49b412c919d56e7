#include "widgets/ColourStyles.h"
#include "WidgetTestHelpers.h"

#include <QApplication>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

int distance(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

using WidgetTest::StyleRestorer;

}

TEST(ColourStyles, NineNamedStylesInTheOptionsOrder)
{
    const QStringList names = {"Blue", "Classic", "Olive", "Silver 1", "Luna", "Obsidian", "Silver 2", "Whidbey",
                               "Windows XP"};
    ASSERT_EQ(ColourStyles::Count, 9);
    for (int i = 0; i < ColourStyles::Count; ++i)
        EXPECT_EQ(ColourStyles::style(i).name, names[i]) << i;
}

TEST(ColourStyles, StartsWithLuna)
{
    // The first use of the instance in this program (tests apply styles but restore them).
    EXPECT_EQ(ColourStyles::instance().currentIndex(), 4);
    EXPECT_EQ(ColourStyles::instance().current().name, "Luna");
}

TEST(ColourStyles, ApplyInRangeSetsCurrentPaletteAndEmits)
{
    StyleRestorer restore;
    int changed = 0;
    QObject context;
    QObject::connect(&ColourStyles::instance(), &ColourStyles::changed, &context, [&] { ++changed; });
    for (int i = 0; i < ColourStyles::Count; ++i) {
        EXPECT_TRUE(ColourStyles::instance().apply(i));
        EXPECT_EQ(ColourStyles::instance().currentIndex(), i);
        const ColourStyle& s = ColourStyles::style(i);
        const QPalette palette = QApplication::palette();
        EXPECT_EQ(palette.color(QPalette::Window), s.window);
        EXPECT_EQ(palette.color(QPalette::WindowText), s.text);
        EXPECT_EQ(palette.color(QPalette::Base), s.listBack);
        EXPECT_EQ(palette.color(QPalette::Text), s.listText);
        EXPECT_EQ(palette.color(QPalette::ButtonText), s.buttonText);
        EXPECT_EQ(palette.color(QPalette::Highlight), s.listSelection);
        EXPECT_EQ(palette.color(QPalette::HighlightedText), s.listSelectionText);
    }
    EXPECT_EQ(changed, ColourStyles::Count);
}

TEST(ColourStyles, ApplyOutOfRangeChangesNothing)
{
    StyleRestorer restore;
    ASSERT_TRUE(ColourStyles::instance().apply(2));
    const QColor window = QApplication::palette().color(QPalette::Window);
    int changed = 0;
    QObject context;
    QObject::connect(&ColourStyles::instance(), &ColourStyles::changed, &context, [&] { ++changed; });
    for (int index : {-1, 9, 12, -100}) {
        EXPECT_FALSE(ColourStyles::instance().apply(index));
        EXPECT_EQ(ColourStyles::instance().currentIndex(), 2);
    }
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), window);
}

TEST(ColourStyles, StylesAreVisiblyDistinct)
{
    // Every pair differs clearly in its panels, in its buttons and in its lists or bars.
    for (int a = 0; a < ColourStyles::Count; ++a) {
        for (int b = a + 1; b < ColourStyles::Count; ++b) {
            const ColourStyle& x = ColourStyles::style(a);
            const ColourStyle& y = ColourStyles::style(b);
            const int panels = std::max({distance(x.window, y.window), distance(x.panelTop, y.panelTop),
                                         distance(x.panelBottom, y.panelBottom)});
            const int buttons = std::max({distance(x.buttonBottom, y.buttonBottom),
                                          distance(x.buttonDownBottom, y.buttonDownBottom),
                                          distance(x.panelBorder, y.panelBorder)});
            const int lists = std::max({distance(x.listSelection, y.listSelection),
                                        distance(x.headerBack, y.headerBack), distance(x.accent, y.accent)});
            EXPECT_GE(panels, 40) << x.name.toStdString() << " / " << y.name.toStdString();
            EXPECT_GE(buttons, 40) << x.name.toStdString() << " / " << y.name.toStdString();
            EXPECT_GE(lists, 40) << x.name.toStdString() << " / " << y.name.toStdString();
        }
    }
}

TEST(ColourStyles, ObsidianIsDark)
{
    const ColourStyle& night = ColourStyles::style(5);
    EXPECT_LT(night.window.lightness(), 60);
    EXPECT_LT(night.listBack.lightness(), 60);
    EXPECT_GT(night.listText.lightness(), 180);
    for (int i = 0; i < ColourStyles::Count; ++i) {
        if (i != 5) {
            EXPECT_GT(ColourStyles::style(i).window.lightness(), 150) << i;
        }
    }
}
