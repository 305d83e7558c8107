#pragma once
// The style number of a message box taken apart: which buttons, which icon,
// which button is the default. Numbered as the platform numbers them.

#include <vector>

namespace tapfill::platform::qt {

enum class MessageBoxIcon { None, Critical, Question, Warning, Information };

struct MessageBoxStyle {
    /// The answer number of each button, in the order shown.
    std::vector<int> answers;
    MessageBoxIcon icon = MessageBoxIcon::None;
    /// Index into `answers` of the button that Enter presses.
    int defaultIndex = 0;
};

/// Answers: OK 1, Cancel 2, Abort 3, Retry 4, Ignore 5, Yes 6, No 7.
MessageBoxStyle decodeMessageBoxStyle(int style);

} // namespace tapfill::platform::qt
