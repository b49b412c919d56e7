#include "widgets/TabPager.h"
#include "WidgetTestHelpers.h"

#include <gtest/gtest.h>

using namespace WidgetTest;

namespace {
struct PagerFixture : ::testing::Test {
    PagerFixture()
    {
        pager.resize(600, 400);
        first = pager.addPage("Themes ");
        second = pager.addPage("Sounds");
        third = pager.addPage("GPS");
        QObject::connect(&pager, &TabPager::currentChanged, &context, [this](int i) { changes.push_back(i); });
        pager.show();
    }
    TabPager pager;
    QWidget* first;
    QWidget* second;
    QWidget* third;
    QObject context;
    std::vector<int> changes;
};
}

TEST(TabPager, FirstPageBecomesCurrentWithoutSignal)
{
    TabPager pager;
    int signals_ = 0;
    QObject::connect(&pager, &TabPager::currentChanged, [&] { ++signals_; });
    EXPECT_EQ(pager.currentIndex(), -1);
    QWidget* page = pager.addPage("One");
    EXPECT_EQ(pager.currentIndex(), 0);
    EXPECT_EQ(pager.page(0), page);
    EXPECT_EQ(page->parentWidget(), &pager);
    EXPECT_EQ(signals_, 0);
}

TEST_F(PagerFixture, PagesAndCaptions)
{
    EXPECT_EQ(pager.count(), 3);
    EXPECT_EQ(pager.pageCaption(0), "Themes ");
    EXPECT_EQ(pager.page(2), third);
    EXPECT_EQ(pager.page(3), nullptr);
    EXPECT_EQ(pager.pageCaption(-1), QString());
}

TEST_F(PagerFixture, OnlyTheCurrentPageIsVisible)
{
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(second->isVisible());
    EXPECT_FALSE(third->isVisible());
    pager.setCurrentIndex(2);
    EXPECT_FALSE(first->isVisible());
    EXPECT_TRUE(third->isVisible());
    EXPECT_EQ(changes, std::vector<int>{2});
}

TEST_F(PagerFixture, PagesSitUnderTheTabs)
{
    EXPECT_EQ(pager.tabRect(0).height(), 50);
    EXPECT_EQ(pager.tabRect(0).topLeft(), QPoint(0, 0));
    EXPECT_GT(pager.tabRect(1).left(), pager.tabRect(0).right());
    for (QWidget* page : {first, second, third}) {
        EXPECT_GE(page->geometry().top(), 50);
        EXPECT_LE(page->geometry().bottom(), pager.height() - 1);
        EXPECT_GT(page->width(), 500);
    }
    pager.setTabHeight(60);
    EXPECT_EQ(pager.tabRect(2).height(), 60);
    EXPECT_GE(first->geometry().top(), 60);
    pager.resize(700, 500);
    EXPECT_GT(second->width(), 600);
}

TEST_F(PagerFixture, TappingATabSwitchesAndEmitsOnce)
{
    tap(&pager, pager.tabRect(1).center());
    EXPECT_EQ(pager.currentIndex(), 1);
    EXPECT_TRUE(second->isVisible());
    EXPECT_FALSE(first->isVisible());
    tap(&pager, pager.tabRect(1).center()); // already shown
    EXPECT_EQ(changes, std::vector<int>{1});
    tap(&pager, {590, 20}); // beside the tabs
    tap(&pager, {300, 300}); // on the page area
    EXPECT_EQ(pager.currentIndex(), 1);
    EXPECT_EQ(changes, std::vector<int>{1});
}

TEST_F(PagerFixture, SetCurrentIndexIgnoresBadIndexes)
{
    pager.setCurrentIndex(0);
    pager.setCurrentIndex(-1);
    pager.setCurrentIndex(3);
    EXPECT_EQ(pager.currentIndex(), 0);
    EXPECT_TRUE(changes.empty());
}

TEST_F(PagerFixture, CurrentTabIsPaintedDifferently)
{
    const QImage a = render(&pager);
    pager.setCurrentIndex(1);
    const QImage b = render(&pager);
    EXPECT_GT(differingPixels(a, b, pager.tabRect(0)), 200);
    EXPECT_GT(differingPixels(a, b, pager.tabRect(1)), 200);
}

TEST(TabPager, TabsThatDoNotFitShareTheWidth)
{
    TabPager pager;
    pager.resize(300, 200);
    for (const char* caption : {"General  ", "Themes ", "Hardware  ", "Advanced  "})
        pager.addPage(caption);
    EXPECT_LE(pager.tabRect(3).right(), 299);
    for (int i = 1; i < 4; ++i)
        EXPECT_GT(pager.tabRect(i).left(), pager.tabRect(i - 1).right());
    tap(&pager, pager.tabRect(3).center());
    EXPECT_EQ(pager.currentIndex(), 3);
}
