#pragma once

#include "platform/MsgBox.h"

#include <QString>

namespace tapfill::platform {

/// Modal dialogs.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    /// Shows a modal message box; returns the pressed button's number.
    virtual int messageBox(const QString& text, const QString& title, int style) = 0;
    /// Shows a modal one-line input box; returns the typed text, or "" on cancel.
    virtual QString inputBox(const QString& prompt, const QString& title,
                             const QString& defaultText) = 0;
};

} // namespace tapfill::platform
