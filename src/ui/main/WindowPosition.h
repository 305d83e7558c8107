#pragma once
// Where the main window opens: at the outer top-left corner kept in the data
// files, unless its title bar could not be reached there on any screen (a
// monitor since removed, a hand-edited file); then fully inside the nearest
// screen, so that it can always be dragged.

#include <QList>
#include <QPoint>
#include <QRect>

namespace tapfill::ui {

/// How much of the title bar must lie on one screen for it to be grabbed.
inline constexpr int TitleBarHeight = 20;
inline constexpr int GrabbableWidth = 40;

/// The top-left corner at which a window frame of `frame.size()` opens when
/// asked for `frame.topLeft()`, on a desktop of `screens`.
QPoint reachableFramePosition(const QRect& frame, const QList<QRect>& screens);

} // namespace tapfill::ui
