// Key names on Windows: the keys of a PC keyboard, by their X names.

#include "config/KeyNames.h"

namespace tapfill::config {

std::optional<std::string> canonicalKeyName(const std::string& name)
{
    if (auto key = findPcKey(name))
        return std::string(key->keysym);
    return std::nullopt;
}

} // namespace tapfill::config
