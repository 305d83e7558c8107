// One-line boxes take no line break, and the window opens where its title
// bar can be reached.

#include "support/QtTestApp.h"

#include "ui/main/OneLine.h"
#include "ui/layout/WindowPosition.h"

#include <QClipboard>
#include <QGuiApplication>

namespace tapfill::test {
namespace {

using OneLineBox = QtTest;

TEST_F(OneLineBox, APastedLineBreakBecomesOneBlankAndTextFromFilesStaysAsItIs)
{
    QLineEdit edit;
    ui::keepOnOneLine(&edit);
    edit.setText("kept\nas read"); // from a data file: not the user's input
    EXPECT_EQ(edit.text(), "kept\nas read");

    for (const char* pasted : {"first\r\nsecond", "first\rsecond", "first\nsecond"}) {
        edit.setText("x");
        edit.end(false);
        QGuiApplication::clipboard()->setText(QString::fromLatin1(pasted));
        edit.paste();
        EXPECT_EQ(edit.text(), "xfirst second") << pasted;
        EXPECT_EQ(edit.cursorPosition(), edit.text().size()) << "the cursor stays behind the paste";
    }
    EXPECT_EQ(ui::onOneLine("a\r\n\r\nb"), "a  b") << "each break is one blank";
}

TEST(WindowPosition, AReachableTitleBarKeepsThePlaceOtherwiseTheNearestScreenTakesTheWindow)
{
    const std::vector<ui::PixelRect> screens{{0, 0, 1280, 1024}, {1280, 0, 800, 600}};
    // Asked for, and where a frame of 200 x 460 opens.
    const std::pair<ui::PixelPoint, ui::PixelPoint> cases[] = {
        {{0, 0}, {0, 0}},             // the corner itself
        {{2, 2}, {2, 2}},
        {{-150, 300}, {-150, 300}},   // partly off the left edge: still grabbable
        {{1200, 100}, {1200, 100}},   // across two screens
        {{1900, 500}, {1900, 500}},   // title bar on the second screen, the rest below its bottom
        {{100, -5}, {100, 0}},        // title bar above the top edge
        {{6666, 6666}, {1880, 140}},  // a monitor since removed: the nearest screen
        {{-5000, 2000}, {0, 564}},
    };
    for (const auto& [asked, opens] : cases)
        EXPECT_EQ(ui::reachableFramePosition({asked.x, asked.y, 200, 460}, screens), opens) << asked.x << ',' << asked.y;
    EXPECT_EQ(ui::reachableFramePosition({9, 9, 200, 460}, {}), (ui::PixelPoint{9, 9})) << "no screen known";
}

} // namespace
} // namespace tapfill::test
