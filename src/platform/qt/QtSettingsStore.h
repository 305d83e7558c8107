#pragma once
// Per-user settings through QSettings: application A, section S and key K
// live in $XDG_CONFIG_HOME/A/A.conf (~/.config by default) as "[S] K=value".

#include "platform/SettingsStore.h"

namespace tapfill::platform::qt {

class QtSettingsStore : public SettingsStore {
public:
    std::string getSetting(const std::string& application, const std::string& section,
                           const std::string& key, const std::string& defaultValue) override;
    bool saveSetting(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& value) override;
};

} // namespace tapfill::platform::qt
