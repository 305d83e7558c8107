#pragma once
// Settings in the registry, where Visual Basic programs keep them:
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>,
// one string value per key. The running flag lives there
// (lockfiles\startit, FL1), so an older installation's state carries over.

#include "platform/SettingsStore.h"

namespace tapfill::platform::windows {

class RegistrySettings : public SettingsStore {
public:
    std::string getSetting(const std::string& application, const std::string& section, const std::string& key,
                           const std::string& defaultValue) override;
    bool saveSetting(const std::string& application, const std::string& section, const std::string& key,
                     const std::string& value) override;
};

} // namespace tapfill::platform::windows
