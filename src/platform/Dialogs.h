#pragma once

#include <QString>

namespace tapfill::platform {

/// Message box styles and answers, numbered as the platform numbers them.
namespace MsgBox {
inline constexpr int OkOnly = 0;
inline constexpr int YesNo = 4;
inline constexpr int Critical = 16;
inline constexpr int Exclamation = 48;
inline constexpr int DefaultButton2 = 256;
inline constexpr int AnswerOk = 1;
inline constexpr int AnswerYes = 6;
inline constexpr int AnswerNo = 7;
} // namespace MsgBox

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
