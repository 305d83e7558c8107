#pragma once

#include <string>

namespace tapfill::platform {

/// The desktop clipboard, holding plain text.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    /// Empties the clipboard. False when it could not be taken.
    virtual bool clear() = 0;
    /// Puts UTF-8 text on the clipboard, line breaks as they are. False on failure.
    virtual bool setText(const std::string& utf8) = 0;
};

} // namespace tapfill::platform
