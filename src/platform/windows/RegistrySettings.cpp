#include "platform/windows/RegistrySettings.h"

#include "platform/windows/Processes.h"

#include <windows.h>

namespace tapfill::platform::windows {
namespace {

std::wstring keyPath(const std::string& application, const std::string& section)
{
    return L"Software\\VB and VBA Program Settings\\" + widened(application) + L"\\" + widened(section);
}

} // namespace

std::string RegistrySettings::getSetting(const std::string& application, const std::string& section,
                                         const std::string& key, const std::string& defaultValue)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath(application, section).c_str(), 0, KEY_QUERY_VALUE, &handle)
        != ERROR_SUCCESS)
        return defaultValue;
    const std::wstring name = widened(key);
    DWORD type = 0, size = 0;
    std::string value = defaultValue;
    if (RegQueryValueExW(handle, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS
        && (type == REG_SZ || type == REG_EXPAND_SZ) && size < (1u << 20)) {
        std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        if (RegQueryValueExW(handle, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &got)
            == ERROR_SUCCESS) {
            // A stored string may or may not end in its terminator.
            text.resize(got / sizeof(wchar_t));
            while (!text.empty() && text.back() == L'\0')
                text.pop_back();
            value = narrowed(text);
        }
    }
    RegCloseKey(handle);
    return value;
}

bool RegistrySettings::saveSetting(const std::string& application, const std::string& section,
                                   const std::string& key, const std::string& value)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath(application, section).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &handle, nullptr)
        != ERROR_SUCCESS)
        return false;
    const std::wstring text = widened(value);
    const bool saved = RegSetValueExW(handle, widened(key).c_str(), 0, REG_SZ,
                                      reinterpret_cast<const BYTE*>(text.c_str()),
                                      static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)))
        == ERROR_SUCCESS;
    RegCloseKey(handle);
    return saved;
}

} // namespace tapfill::platform::windows
