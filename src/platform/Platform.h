#pragma once
// Every platform service the program uses, owned in one place and handed to
// the windows. The X11 build makes one with makeDesktopPlatform(); tests make
// one from the fakes.

#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/KeySender.h"
#include "platform/MessageHook.h"
#include "platform/SettingsStore.h"
#include "platform/TrayIcon.h"
#include "platform/WindowInterceptor.h"
#include "platform/WindowPlacement.h"

#include <memory>

namespace tapfill::platform {

struct Platform {
    std::unique_ptr<MessageHook> rightClickHook;                ///< right button down and up, the paste mode key
    std::unique_ptr<MessageHook> leftClickHook;                 ///< left button up
    std::unique_ptr<WindowInterceptor> rightClickInterceptor;   ///< keeps right clicks from their window
    std::unique_ptr<KeySender> keys;
    std::unique_ptr<Clipboard> clipboard;
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<TrayIcon> tray;
    std::unique_ptr<WindowPlacement> placement;
    std::unique_ptr<Dialogs> dialogs;
};

} // namespace tapfill::platform
