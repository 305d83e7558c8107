#include "platform/windows/Processes.h"

namespace tapfill::platform::windows {
namespace {

/// The integrity level's RID of a process token (SECURITY_MANDATORY_*), or
/// nothing when the token cannot be read.
std::optional<DWORD> integrityLevel(HANDLE process)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token))
        return std::nullopt;
    std::optional<DWORD> level;
    DWORD size = 0;
    GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
    std::string buffer(size, '\0');
    if (size && GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), size, &size)) {
        const auto* label = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data());
        const auto count = *GetSidSubAuthorityCount(label->Label.Sid);
        if (count > 0)
            level = *GetSidSubAuthority(label->Label.Sid, count - 1);
    }
    CloseHandle(token);
    return level;
}

} // namespace

std::wstring widened(const std::string& utf8)
{
    if (utf8.empty())
        return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), size);
    return out;
}

std::string narrowed(const std::wstring& utf16)
{
    if (utf16.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::string executableName(DWORD processId)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return {};
    wchar_t path[MAX_PATH * 2];
    DWORD size = static_cast<DWORD>(std::size(path));
    std::wstring name;
    if (QueryFullProcessImageNameW(process, 0, path, &size)) {
        name.assign(path, size);
        const auto slash = name.find_last_of(L"\\/");
        if (slash != std::wstring::npos)
            name.erase(0, slash + 1);
    }
    CloseHandle(process);
    return narrowed(name);
}

ProgramName programOfWindow(HWND window)
{
    ProgramName name;
    HWND top = window ? GetAncestor(window, GA_ROOT) : nullptr;
    if (!top)
        return name;
    DWORD processId = 0;
    GetWindowThreadProcessId(top, &processId);
    name.instance = executableName(processId);
    name.processId = static_cast<long>(processId);
    wchar_t className[256];
    const int length = GetClassNameW(top, className, static_cast<int>(std::size(className)));
    name.wmClass = narrowed(std::wstring(className, length > 0 ? static_cast<std::size_t>(length) : 0));
    return name;
}

bool runsWithHigherRights(DWORD processId)
{
    const auto own = integrityLevel(GetCurrentProcess());
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) // even this is refused only to a program above Tapfill
        return GetLastError() == ERROR_ACCESS_DENIED;
    const auto theirs = integrityLevel(process);
    CloseHandle(process);
    if (!own)
        return false;
    // An elevated program does not let a medium-level one read its token.
    return theirs ? *theirs > *own : *own < SECURITY_MANDATORY_HIGH_RID;
}

} // namespace tapfill::platform::windows
