#pragma once
// The tip text of a tray icon record: the characters before the NUL that
// ends it; the blanks that pad the field after the NUL are not part of it.

#include <QString>

#include <string>

namespace tapfill::platform::qt {

QString trayTipText(const std::string& szTip);

} // namespace tapfill::platform::qt
