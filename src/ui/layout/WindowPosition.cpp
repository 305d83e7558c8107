#include "ui/layout/WindowPosition.h"

#include <algorithm>
#include <limits>

namespace tapfill::ui {
namespace {

bool titleBarReachable(const PixelRect& frame, const PixelRect& screen)
{
    const int left = std::max(frame.left, screen.left), right = std::min(frame.right(), screen.right());
    const int top = std::max(frame.top, screen.top), bottom = std::min(frame.top + TitleBarHeight, screen.bottom());
    return bottom - top == TitleBarHeight && right - left >= std::min(GrabbableWidth, frame.width);
}

/// How far `frame` lies from `screen`, zero when they overlap.
long long distance(const PixelRect& frame, const PixelRect& screen)
{
    const long long dx = std::max({0, screen.left - (frame.right() - 1), frame.left - (screen.right() - 1)});
    const long long dy = std::max({0, screen.top - (frame.bottom() - 1), frame.top - (screen.bottom() - 1)});
    return dx * dx + dy * dy;
}

} // namespace

PixelPoint reachableFramePosition(const PixelRect& frame, const std::vector<PixelRect>& screens)
{
    if (screens.empty())
        return {frame.left, frame.top};
    for (const PixelRect& screen : screens)
        if (titleBarReachable(frame, screen))
            return {frame.left, frame.top};

    const PixelRect* nearest = &screens.front();
    long long best = std::numeric_limits<long long>::max();
    for (const PixelRect& screen : screens) {
        const long long d = distance(frame, screen);
        if (d < best) {
            best = d;
            nearest = &screen;
        }
    }
    // Fully inside; a window larger than the screen keeps its title bar on it.
    const int x = std::max(nearest->left, std::min(frame.left, nearest->right() - frame.width));
    const int y = std::max(nearest->top, std::min(frame.top, nearest->bottom() - frame.height));
    return {x, y};
}

} // namespace tapfill::ui
