#pragma once
// The notification-area icon.

#include "platform/MessageHook.h"

#include <QIcon>

#include <cstdint>
#include <functional>
#include <string>

namespace tapfill::platform {

/// Requests, numbered as the shell numbers them.
enum class TrayRequest : int { Add = 0, Modify = 1, Delete = 2 };

/// Mouse notifications of the icon, numbered as mouse messages.
namespace TrayMouse {
inline constexpr int Move = 0x0200;
inline constexpr int LeftDown = 0x0201;
inline constexpr int LeftUp = 0x0202;
inline constexpr int LeftDoubleClick = 0x0203;
inline constexpr int RightDown = 0x0204;
inline constexpr int RightUp = 0x0205;
inline constexpr int MiddleUp = 0x0208;
} // namespace TrayMouse

/// The icon record, filled in full before every add or modify.
struct TrayIconData {
    std::uint32_t cbSize = 0;
    WindowId hWnd = 0;              ///< the window that owns the icon
    std::uint32_t uID = 0;          ///< the icon's number within that window
    std::uint32_t uFlags = 0;       ///< which of the fields below are valid
    std::uint32_t uCallbackMessage = 0;
    QIcon hIcon;
    /// 64 characters: the tip, a NUL that ends it, then blanks.
    std::string szTip;
};

class TrayIcon {
public:
    virtual ~TrayIcon() = default;

    /// Adds, modifies or deletes the icon that `data.hWnd` and `data.uID` name.
    /// False when the request failed; callers may ignore it.
    virtual bool notifyIcon(TrayRequest request, const TrayIconData& data) = 0;

    /// Whether the desktop has a notification area at all.
    virtual bool trayAvailable() const = 0;

    /// Mouse notifications of the icon (TrayMouse values).
    std::function<void(int mouseMessage)> onMouseMessage;
};

} // namespace tapfill::platform
