#pragma once
// QT_LOGGING_RULES=tapfill.paste.debug=true logs each step of a paste on
// stderr with the time it happened (steady clock, ms): the field taken
// onto the clipboard, the paste keys in the target's queue, every request
// for the field with the process that made it, the user's content given
// back. That is how a program reads at a paste.

#include <QLoggingCategory>

namespace tapfill::platform::x11 {

Q_DECLARE_LOGGING_CATEGORY(pasteLog)

/// Milliseconds on the steady clock, for the log.
double pasteLogNow();

} // namespace tapfill::platform::x11
