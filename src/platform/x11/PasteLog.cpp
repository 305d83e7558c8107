#include "platform/x11/PasteLog.h"

#include <chrono>

namespace tapfill::platform::x11 {

Q_LOGGING_CATEGORY(pasteLog, "tapfill.paste", QtWarningMsg)

double pasteLogNow()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

} // namespace tapfill::platform::x11
