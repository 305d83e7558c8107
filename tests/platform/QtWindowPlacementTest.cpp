// Topmost placement of a real widget: the hint arrives, and nothing else
// about the window changes.

#include "TestApplication.h"

#include "platform/qt/QtWindowPlacement.h"

#include <QLineEdit>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

using tapfill::platform::qt::QtWindowPlacement;

namespace {

bool staysOnTop(const QWidget& widget)
{
    const QWindow* handle = widget.windowHandle();
    return handle ? handle->flags().testFlag(Qt::WindowStaysOnTopHint)
                  : widget.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

class QtWindowPlacementTest : public ::testing::Test {
protected:
    void SetUp() override { testApplication(); }
    QtWindowPlacement placement;
};

} // namespace

TEST_F(QtWindowPlacementTest, AShownWindowKeepsItsPlaceSizeAndNativeWindow)
{
    QWidget window;
    window.setGeometry(100, 120, 300, 200);
    window.show();
    const QWindow* handle = window.windowHandle();
    const WId id = window.winId();
    const QRect before = window.geometry();

    placement.makeTopmost(window);
    placement.makeTopmost(window);

    EXPECT_TRUE(staysOnTop(window));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowHandle(), handle) << "the native window must not be re-made";
    EXPECT_EQ(window.winId(), id);
    EXPECT_EQ(window.geometry(), before);
}

TEST_F(QtWindowPlacementTest, AWindowNeverShownStaysHiddenAndIsOnTopWhenShown)
{
    QWidget window;
    window.setGeometry(50, 60, 200, 100);
    placement.makeTopmost(window);
    EXPECT_FALSE(window.isVisible());

    window.show();
    EXPECT_TRUE(staysOnTop(window));
    EXPECT_EQ(window.geometry(), QRect(50, 60, 200, 100));
}

TEST_F(QtWindowPlacementTest, AHiddenWindowStaysHiddenAndKeepsTheHintWhenShownAgain)
{
    QWidget window;
    window.show();
    window.hide();
    placement.makeTopmost(window);
    EXPECT_FALSE(window.isVisible());
    window.show();
    EXPECT_TRUE(staysOnTop(window));
}

TEST_F(QtWindowPlacementTest, TheKeyboardFocusStaysWhereItWas)
{
    QWidget other;
    auto* edit = new QLineEdit(&other);
    other.show();
    other.activateWindow();
    edit->setFocus();
    QWidget window;
    window.show();
    QApplication::setActiveWindow(&other);

    placement.makeTopmost(window);
    EXPECT_EQ(QApplication::activeWindow(), &other);
}

TEST_F(QtWindowPlacementTest, AChildWidgetRaisesItsWindow)
{
    QWidget window;
    auto* child = new QLineEdit(&window);
    window.show();
    placement.makeTopmost(*child);
    EXPECT_TRUE(staysOnTop(window));
    EXPECT_FALSE(child->windowHandle()) << "the child must not get a native window of its own";
}
