// The Win32 platform services in the hands of the Windows end-to-end tests,
// as platform_probe is on X11. It prints every report on stdout, one line
// each, starting with the time in microseconds, and takes commands on
// stdin, one a line:
//
//   send KEYS        type KEYS; prints "done 1" or "done 0 REASON"
//   type TEXT        type TEXT as text ("\n" for a line break); "done" as above
//   keep             keep the user's clipboard; "kept" when ready
//   clip TEXT        put TEXT on the clipboard as Tapfill's; "clip 1|0"
//   giveback         give the user's clipboard back; "given-back"
//   focus            the focused program's names
//   tray show TIP | tray remove | tray message TITLE   the tray icon
//   quit
//
// Reports: "tray double-click", "tray menu".
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

#include "ResourceIds.h"
#include "probe_lines.h"

#include "platform/windows/LowLevelInput.h"
#include "platform/windows/Processes.h"
#include "platform/windows/WindowsTrayIcon.h"
#include "platform/windows/WindowsClipboard.h"
#include "platform/windows/WindowsKeySender.h"

#include <chrono>
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
    std::shared_ptr<LowLevelInput> input = std::make_shared<LowLevelInput>(ui);
    WindowsKeySender keys{ui, input};
    WindowsClipboard clipboard{ui};
    WindowsTrayIcon tray;

    Probe()
    {
        tray.onDoubleClick = [] { say("tray double-click"); };
        tray.onMenuRequested = [] { say("tray menu"); };
    }

    void command(const std::string& line)
    {
        std::istringstream in(line);
        std::string verb;
        in >> verb;
        std::string rest;
        std::getline(in >> std::ws, rest);
        auto done = [](const SendResult& r) { say(r.typed() ? "done 1" : "done 0 " + r.reason); };
        if (verb == "send")
            keys.send(rest, done);
        else if (verb == "type")
            keys.typeText(unescape(rest), done);
        else if (verb == "keep")
            clipboard.keep([] { say("kept"); });
        else if (verb == "clip")
            say(std::string("clip ") + (clipboard.setText(unescape(rest)) ? "1" : "0"));
        else if (verb == "giveback") {
            clipboard.giveBack();
            say("given-back");
        } else if (verb == "focus") {
            const auto name = keys.focusedProgram();
            say("focus " + name.instance + " " + name.wmClass + " pid=" + std::to_string(name.processId));
        } else if (verb == "tray") {
            std::string what = rest.substr(0, rest.find(' '));
            std::string text = rest.size() > what.size() ? rest.substr(what.size() + 1) : "";
            HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(TAPFILL_ICON_IDLE));
            if (what == "show")
                say(std::string("tray ") + (icon && tray.show(icon, text) ? "1" : "0"));
            else if (what == "message")
                tray.showMessage(text, "A message beside the icon");
            else
                tray.remove();
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
    if (!probe.input->installed()) {
        say("error " + probe.input->error());
        return 1;
    }
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
