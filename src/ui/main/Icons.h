#pragma once
// Tapfill's own pictures: the idle and the active icon (32 x 32 with a
// 16 x 16 variant each) and the splash logo.

#include <QIcon>
#include <QPixmap>

namespace tapfill::ui {

/// Paste mode off; also the main window's picture while click acceptance is off.
QIcon idleIcon();
/// Paste mode on; also the main window's own icon.
QIcon activeIcon();
/// The 98 x 158 logo of the splash window.
QPixmap logoPicture();

} // namespace tapfill::ui
