#include "platform/qt/MessageBoxStyle.h"

namespace tapfill::platform::qt {
namespace {
constexpr int Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7;
} // namespace

MessageBoxStyle decodeMessageBoxStyle(int style)
{
    MessageBoxStyle decoded;
    // Low four bits: the buttons. An unknown set falls back to OK alone, so
    // that the box can always be closed.
    switch (style & 0x0F) {
    case 1: decoded.answers = {Ok, Cancel}; break;
    case 2: decoded.answers = {Abort, Retry, Ignore}; break;
    case 3: decoded.answers = {Yes, No, Cancel}; break;
    case 4: decoded.answers = {Yes, No}; break;
    case 5: decoded.answers = {Retry, Cancel}; break;
    default: decoded.answers = {Ok}; break;
    }
    switch (style & 0x70) {
    case 16: decoded.icon = MessageBoxIcon::Critical; break;
    case 32: decoded.icon = MessageBoxIcon::Question; break;
    case 48: decoded.icon = MessageBoxIcon::Warning; break;
    case 64: decoded.icon = MessageBoxIcon::Information; break;
    default: decoded.icon = MessageBoxIcon::None; break;
    }
    // 256 second button, 512 third, 768 fourth; one that does not exist
    // leaves the first as the default.
    const int wanted = (style & 0x300) >> 8;
    decoded.defaultIndex = wanted < static_cast<int>(decoded.answers.size()) ? wanted : 0;
    return decoded;
}

} // namespace tapfill::platform::qt
