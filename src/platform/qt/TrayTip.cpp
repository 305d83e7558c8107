#include "platform/qt/TrayTip.h"

namespace tapfill::platform::qt {

QString trayTipText(const std::string& szTip)
{
    const std::size_t end = szTip.find('\0');
    const std::string tip = end == std::string::npos ? szTip : szTip.substr(0, end);
    return QString::fromUtf8(tip.data(), static_cast<qsizetype>(tip.size()));
}

} // namespace tapfill::platform::qt
