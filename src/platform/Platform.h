#pragma once
// Every platform service the program uses, owned in one place and handed on:
// the paste engine's (PasteServices) and those of the windows. The X11 build
// makes one with makeDesktopPlatform(); tests make one from the fakes.

#include "platform/Dialogs.h"
#include "platform/PasteServices.h"
#include "platform/SettingsStore.h"
#include "platform/TrayIcon.h"
#include "platform/WindowPlacement.h"

#include <memory>

namespace tapfill::platform {

struct Platform : PasteServices {
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<TrayIcon> tray;
    std::unique_ptr<WindowPlacement> placement;
    std::unique_ptr<Dialogs> dialogs;
};

} // namespace tapfill::platform
