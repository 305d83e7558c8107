#include "platform/windows/WindowsPlatform.h"

#include "platform/windows/LowLevelInput.h"
#include "platform/windows/UiTimerService.h"
#include "platform/windows/WindowsClipboard.h"
#include "platform/windows/WindowsKeySender.h"
#include "platform/windows/WindowsMessageHook.h"
#include "platform/windows/WindowsWindowInterceptor.h"

namespace tapfill::platform::windows {

std::unique_ptr<WindowsPlatform> makeWindowsPlatform()
{
    auto platform = std::make_unique<WindowsPlatform>();
    UiThread& ui = platform->ui;
    platform->input = std::make_shared<LowLevelInput>(ui);
    PasteServices& paste = platform->paste;
    paste.rightClickHook = std::make_unique<WindowsMessageHook>(platform->input);
    paste.leftClickHook = std::make_unique<WindowsMessageHook>(platform->input);
    paste.rightClickInterceptor = std::make_unique<WindowsWindowInterceptor>(platform->input);
    paste.keys = std::make_unique<WindowsKeySender>(ui, platform->input);
    paste.clipboard = std::make_unique<WindowsClipboard>(ui);
    paste.timers = std::make_unique<UiTimerService>(ui);
    return platform;
}

} // namespace tapfill::platform::windows
