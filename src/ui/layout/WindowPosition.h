#pragma once
// Where the main window opens: at the outer top-left corner kept in the data
// files, unless its title bar could not be reached there on any screen (a
// monitor since removed, a hand-edited file); then fully inside the nearest
// screen, so that it can always be dragged. Plain C++, in pixels, for every
// front end.

#include <vector>

namespace tapfill::ui {

struct PixelPoint {
    int x = 0, y = 0;
    bool operator==(const PixelPoint&) const = default;
};

struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width; }   ///< one past the last column
    int bottom() const { return top + height; }  ///< one past the last row
};

/// How much of the title bar must lie on one screen for it to be grabbed.
inline constexpr int TitleBarHeight = 20;
inline constexpr int GrabbableWidth = 40;

/// The top-left corner at which a window frame of `frame`'s size opens when
/// asked for `frame`'s corner, on a desktop of `screens` (their areas free
/// of panels).
PixelPoint reachableFramePosition(const PixelRect& frame, const std::vector<PixelRect>& screens);

} // namespace tapfill::ui
