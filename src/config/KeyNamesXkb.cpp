// Key names on Linux: every keysym name libxkbcommon knows.

#include "config/KeyNames.h"

#include <xkbcommon/xkbcommon.h>

namespace tapfill::config {

std::optional<std::string> canonicalKeyName(const std::string& name)
{
    xkb_keysym_t keysym = xkb_keysym_from_name(name.c_str(), XKB_KEYSYM_NO_FLAGS);
    if (keysym == XKB_KEY_NoSymbol && name.size() == 1) // "+" or "." as the character
        keysym = xkb_utf32_to_keysym(static_cast<unsigned char>(name[0]));
    if (keysym == XKB_KEY_NoSymbol)
        keysym = xkb_keysym_from_name(name.c_str(), XKB_KEYSYM_CASE_INSENSITIVE);
    char canonical[64];
    if (keysym == XKB_KEY_NoSymbol || xkb_keysym_get_name(keysym, canonical, sizeof canonical) <= 0)
        return std::nullopt;
    return std::string(canonical);
}

} // namespace tapfill::config
