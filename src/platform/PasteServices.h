#pragma once
// The platform services the paste engine uses: seeing clicks and the paste
// mode key anywhere, keeping right clicks from their window, typing, the
// clipboard and timers. Plain C++, so that the core builds without a
// toolkit; every backend provides them.

#include "platform/Clipboard.h"
#include "platform/KeySender.h"
#include "platform/MessageHook.h"
#include "platform/Timer.h"
#include "platform/WindowInterceptor.h"

#include <memory>

namespace tapfill::platform {

struct PasteServices {
    std::unique_ptr<MessageHook> rightClickHook;              ///< right button down and up, the paste mode key
    std::unique_ptr<MessageHook> leftClickHook;               ///< left button up
    std::unique_ptr<WindowInterceptor> rightClickInterceptor; ///< keeps right clicks from their window
    std::unique_ptr<KeySender> keys;
    std::unique_ptr<Clipboard> clipboard;
    std::unique_ptr<TimerService> timers;
};

} // namespace tapfill::platform
