#pragma once
// The desktop clipboard through Qt. On X11 the text lives in Tapfill's
// process and is handed out when a program asks, so it is gone when Tapfill
// ends (unless a clipboard manager took a copy).

#include "platform/Clipboard.h"

namespace tapfill::platform::qt {

class QtClipboard : public Clipboard {
public:
    bool clear() override;
    bool setText(const std::string& utf8) override;
};

} // namespace tapfill::platform::qt
