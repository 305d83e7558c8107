#include "app/windows/RegistryAutostart.h"

#include <windows.h>

namespace tapfill::windows {
namespace {

constexpr wchar_t RunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t ValueName[] = L"Tapfill";
constexpr const char* RunKeyText = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string systemMessage(LSTATUS status)
{
    char text[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, static_cast<DWORD>(status),
                   0, text, sizeof text, nullptr);
    std::string message(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message.empty() ? "error " + std::to_string(status) : message;
}

} // namespace

bool autostartEnabled()
{
    return RegGetValueW(HKEY_CURRENT_USER, RunKey, ValueName, RRF_RT_REG_SZ, nullptr, nullptr, nullptr)
           == ERROR_SUCCESS;
}

AutostartResult setAutostart(bool on, const std::filesystem::path& program)
{
    HKEY key = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, RunKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_QUERY_VALUE,
                                     nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS)
        return {false, std::string("cannot open ") + RunKeyText + ": " + systemMessage(status)};
    AutostartResult result;
    if (on) {
        const std::wstring command = L"\"" + program.wstring() + L"\"";
        status = RegSetValueExW(key, ValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                                static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
        result = status == ERROR_SUCCESS
                     ? AutostartResult{true, std::string("wrote Tapfill to ") + RunKeyText + ": Tapfill starts with Windows"}
                     : AutostartResult{false, std::string("cannot write to ") + RunKeyText + ": " + systemMessage(status)};
    } else {
        status = RegDeleteValueW(key, ValueName);
        if (status == ERROR_FILE_NOT_FOUND)
            result = {true, std::string("Tapfill does not start with Windows (there is no Tapfill in ") + RunKeyText + ")"};
        else if (status == ERROR_SUCCESS)
            result = {true, std::string("removed Tapfill from ") + RunKeyText + ": Tapfill no longer starts with Windows"};
        else
            result = {false, std::string("cannot remove Tapfill from ") + RunKeyText + ": " + systemMessage(status)};
    }
    RegCloseKey(key);
    return result;
}

} // namespace tapfill::windows
