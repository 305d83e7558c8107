#include "ui/main/WindowPosition.h"

#include <algorithm>
#include <limits>

namespace tapfill::ui {
namespace {

bool titleBarReachable(const QRect& frame, const QRect& screen)
{
    const QRect titleBar(frame.topLeft(), QSize(frame.width(), TitleBarHeight));
    const QRect onScreen = titleBar.intersected(screen);
    return onScreen.height() == TitleBarHeight && onScreen.width() >= std::min(GrabbableWidth, frame.width());
}

/// How far `frame` lies from `screen`, zero when they overlap.
long long distance(const QRect& frame, const QRect& screen)
{
    const long long dx = std::max({0, screen.left() - frame.right(), frame.left() - screen.right()});
    const long long dy = std::max({0, screen.top() - frame.bottom(), frame.top() - screen.bottom()});
    return dx * dx + dy * dy;
}

} // namespace

QPoint reachableFramePosition(const QRect& frame, const QList<QRect>& screens)
{
    if (screens.isEmpty())
        return frame.topLeft();
    for (const QRect& screen : screens)
        if (titleBarReachable(frame, screen))
            return frame.topLeft();

    const QRect* nearest = &screens.front();
    long long best = std::numeric_limits<long long>::max();
    for (const QRect& screen : screens) {
        const long long d = distance(frame, screen);
        if (d < best) {
            best = d;
            nearest = &screen;
        }
    }
    // Fully inside; a window larger than the screen keeps its title bar on it.
    const int x = std::max(nearest->left(), std::min(frame.left(), nearest->right() + 1 - frame.width()));
    const int y = std::max(nearest->top(), std::min(frame.top(), nearest->bottom() + 1 - frame.height()));
    return {x, y};
}

} // namespace tapfill::ui
