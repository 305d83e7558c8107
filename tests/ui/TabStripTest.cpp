// The tab strip: pages in the strip's own coordinates, one page showing, and
// a page-change signal for the user's turns only.

#include "support/InputEvents.h"
#include "support/QtTestApp.h"

#include "ui/main/TabStrip.h"
#include "ui/main/Twips.h"

#include <QTabBar>

#include <vector>

namespace tapfill::test {
namespace {

using ui::TabStrip;

struct TabStripTest : QtTest {
    QWidget window;
    TabStrip* strip = new TabStrip({"ONE", "TWO", "THREE"}, &window);
    std::vector<int> turns; ///< previous page of every pageChanged

    TabStripTest()
    {
        strip->setGeometry(10, 10, 180, 300);
        window.resize(200, 320);
        window.show(); // a hidden strip is laid out when it is shown, as every widget is
        QObject::connect(strip, &TabStrip::pageChanged, [this](int previous) { turns.push_back(previous); });
    }

    /// A user's click on a tab.
    void clickTab(int index) { click(strip->tabBar(), strip->tabBar()->tabRect(index).center()); }
    std::vector<bool> shownPages() const
    {
        std::vector<bool> shown;
        for (int i = 0; i < strip->count(); ++i)
            shown.push_back(!strip->page(i)->isHidden());
        return shown;
    }
};

TEST_F(TabStripTest, PagesCoverTheStripAndTheTabsStayAboveTheFirstRow)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(strip->page(i)->geometry(), strip->rect());
    // Controls start at 480 twips, a nested strip at 240; the tabs lie on
    // top of the pages, so clicks reach them.
    const QRect tabs = strip->tabBar()->geometry();
    EXPECT_TRUE(tabs.top() == 0 && tabs.width() == strip->width());
    EXPECT_LE(tabs.height(), ui::twipsToPixels(*strip, 240));
    EXPECT_GE(tabs.height(), strip->fontMetrics().height());
    EXPECT_EQ(strip->childAt(tabs.center()), strip->tabBar());
}

TEST_F(TabStripTest, OnlyTheCurrentPageShowsAndOnlyTheUsersTurnsAreSignalledWithTheNewPageShowing)
{
    EXPECT_EQ(shownPages(), (std::vector<bool>{true, false, false}));
    strip->setCurrentIndex(2);
    EXPECT_EQ(strip->currentIndex(), 2);
    EXPECT_EQ(shownPages(), (std::vector<bool>{false, false, true}));
    EXPECT_TRUE(turns.empty()) << "a page chosen by the program is not a turn";

    std::vector<bool> shownAtSignal;
    QObject::connect(strip, &TabStrip::pageChanged, [&] { shownAtSignal = shownPages(); });
    clickTab(0);
    EXPECT_EQ(strip->currentIndex(), 0);
    EXPECT_EQ(turns, (std::vector<int>{2}));
    EXPECT_EQ(shownAtSignal, (std::vector<bool>{true, false, false}));

    clickTab(0); // the page showing already
    EXPECT_EQ(turns, (std::vector<int>{2}));

    clickTab(1);
    EXPECT_EQ(turns, (std::vector<int>{2, 0}));
    EXPECT_EQ(shownPages(), (std::vector<bool>{false, true, false}));
}

} // namespace
} // namespace tapfill::test
