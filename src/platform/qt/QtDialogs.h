#pragma once
// Modal message and input boxes through Qt's standard dialogs.

#include "platform/Dialogs.h"

namespace tapfill::platform::qt {

class QtDialogs : public Dialogs {
public:
    int messageBox(const QString& text, const QString& title, int style) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
};

} // namespace tapfill::platform::qt
