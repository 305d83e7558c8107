// Topmost placement of a real widget: the hint arrives, and nothing else
// about the window changes.

#include "support/QtTestApp.h"

#include "platform/qt/QtWindowPlacement.h"

#include <QWidget>
#include <QWindow>

namespace tapfill::test {
namespace {

bool staysOnTop(const QWidget& widget)
{
    const QWindow* handle = widget.windowHandle();
    return handle ? handle->flags().testFlag(Qt::WindowStaysOnTopHint)
                  : widget.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

struct QtWindowPlacementTest : QtTest {
    platform::qt::QtWindowPlacement placement;
};

TEST_F(QtWindowPlacementTest, AWindowKeepsItsPlaceSizeVisibilityAndNativeWindowAndIsOnTopWhenShown)
{
    enum { Shown, HiddenAgain, NeverShown };
    for (int before : {Shown, HiddenAgain, NeverShown}) {
        QWidget window;
        window.setGeometry(50, 60, 200, 100);
        if (before != NeverShown)
            window.show();
        if (before == HiddenAgain)
            window.hide();
        const QWindow* handle = window.windowHandle();

        placement.makeTopmost(window);
        placement.makeTopmost(window);
        EXPECT_EQ(window.isVisible(), before == Shown) << before;
        EXPECT_TRUE(before != Shown || window.windowHandle() == handle) << "the native window must not be re-made";
        window.show();
        EXPECT_TRUE(staysOnTop(window)) << before;
        EXPECT_EQ(window.geometry(), QRect(50, 60, 200, 100)) << before;
    }
}

} // namespace
} // namespace tapfill::test
