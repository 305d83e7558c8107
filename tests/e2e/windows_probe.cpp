// The Win32 clipboard service in the hands of the Windows end-to-end tests,
// as platform_probe is on X11. It prints every report on stdout, one line
// each, starting with the time in microseconds, and takes commands on
// stdin, one a line:
//
//   keep             keep the user's clipboard; "kept" when ready
//   clip TEXT        put TEXT on the clipboard as Tapfill's; "clip 1|0"
//   giveback         give the user's clipboard back; "given-back"
//   quit
//
// Two more modes play another program's part on the clipboard:
//   windows_probe.exe copy TEXT HEX   puts TEXT and a second format,
//                                     "Tapfill Test Bytes", holding HEX
//   windows_probe.exe dump            prints every format: "NAME HEX"
//   windows_probe.exe formats         prints every format's name only,
//                                     without asking for its data
//   windows_probe.exe empty           empties the clipboard
//   windows_probe.exe version FILE    prints the product version in FILE's
//                                     version resource

#include "probe_lines.h"

#include "platform/windows/Processes.h"
#include "platform/windows/WindowsClipboard.h"

#include <fcntl.h>
#include <io.h>
#include <cstring>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>

using namespace tapfill::platform;
using namespace tapfill::platform::windows;

namespace {

std::string hex(const void* data, std::size_t size)
{
    std::string out;
    for (std::size_t i = 0; i < size; ++i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", static_cast<const unsigned char*>(data)[i]);
        out += pair;
    }
    return out;
}

HGLOBAL global(const void* data, std::size_t size)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), data, size);
    GlobalUnlock(block);
    return block;
}

int copyToClipboard(const std::string& text, const std::string& hexBytes)
{
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hexBytes.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hexBytes.substr(i, 2), nullptr, 16));
    if (!OpenClipboard(nullptr))
        return 1;
    EmptyClipboard();
    const std::wstring wide = widened(unescape(text));
    SetClipboardData(CF_UNICODETEXT, global(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t)));
    SetClipboardData(RegisterClipboardFormatW(L"Tapfill Test Bytes"), global(bytes.data(), bytes.size()));
    CloseClipboard();
    return 0;
}

int dumpClipboard(bool withData)
{
    if (!OpenClipboard(nullptr))
        return 1;
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
        wchar_t name[256];
        std::string label = GetClipboardFormatNameW(format, name, 256) > 0 ? narrowed(name) : std::to_string(format);
        if (!withData) {
            std::printf("%s\n", label.c_str());
            continue;
        }
        HANDLE data = GetClipboardData(format);
        const void* bytes = data ? GlobalLock(data) : nullptr;
        std::printf("%s %s\n", label.c_str(), bytes ? hex(bytes, GlobalSize(data)).c_str() : "-");
        if (bytes)
            GlobalUnlock(data);
    }
    CloseClipboard();
    return 0;
}

std::string productVersion(const std::wstring& path)
{
    DWORD ignored = 0;
    std::string block(GetFileVersionInfoSizeW(path.c_str(), &ignored), '\0');
    wchar_t* value = nullptr;
    UINT length = 0;
    if (block.empty() || !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data())
        || !VerQueryValueW(block.data(), L"\\StringFileInfo\\040904B0\\ProductVersion",
                           reinterpret_cast<void**>(&value), &length))
        return "none";
    return narrowed(std::wstring(value, length > 0 ? length - 1 : 0));
}

struct Probe {
    UiThread ui;
    WindowsClipboard clipboard{ui};

    void command(const std::string& line)
    {
        std::istringstream in(line);
        std::string verb;
        in >> verb;
        std::string rest;
        std::getline(in >> std::ws, rest);
        if (verb == "keep")
            clipboard.keep([] { say("kept"); });
        else if (verb == "clip")
            say(std::string("clip ") + (clipboard.setText(unescape(rest)) ? "1" : "0"));
        else if (verb == "giveback") {
            clipboard.giveBack();
            say("given-back");
        } else if (verb == "quit")
            PostQuitMessage(0);
        else
            say("error unknown command " + verb);
    }
};

} // namespace

int main(int argc, char** argv)
{
    _setmode(_fileno(stdout), _O_BINARY); // lines end in LF, as the tests read them
    if (argc == 4 && std::string(argv[1]) == "copy")
        return copyToClipboard(argv[2], argv[3]);
    if (argc == 2 && std::string(argv[1]) == "empty")
        return OpenClipboard(nullptr) && EmptyClipboard() && CloseClipboard() ? 0 : 1;
    if (argc == 3 && std::string(argv[1]) == "version") {
        std::printf("%s\n", productVersion(widened(argv[2])).c_str());
        return 0;
    }
    if (argc == 2 && (std::string(argv[1]) == "dump" || std::string(argv[1]) == "formats"))
        return dumpClipboard(std::string(argv[1]) == "dump");

    Probe probe;
    std::thread([&probe] {
        for (std::string line; std::getline(std::cin, line);) {
            while (!line.empty() && line.back() == '\r')
                line.pop_back();
            probe.ui.post([&probe, line] { probe.command(line); });
        }
        probe.ui.post([] { PostQuitMessage(0); });
    }).detach();
    say("ready pid=" + std::to_string(GetCurrentProcessId()));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
