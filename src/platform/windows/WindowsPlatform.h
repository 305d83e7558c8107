#pragma once
// Every Win32 service the program uses, made on the UI thread and owned in
// one place: the paste engine's services (hooks, interceptor, keystrokes,
// clipboard, timers) and the registry, the tray icon and the UI thread they
// run on. The caller runs the message loop of the thread that made it.

#include "platform/PasteServices.h"
#include "platform/windows/RegistrySettings.h"
#include "platform/windows/UiThread.h"
#include "platform/windows/WindowsTrayIcon.h"

#include <memory>

namespace tapfill::platform::windows {

class LowLevelInput;

struct WindowsPlatform {
    UiThread ui;
    std::shared_ptr<LowLevelInput> input;
    PasteServices paste;
    RegistrySettings settings;
    WindowsTrayIcon tray;
};

std::unique_ptr<WindowsPlatform> makeWindowsPlatform();

} // namespace tapfill::platform::windows
