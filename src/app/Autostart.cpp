#include "app/Autostart.h"

#include "app/DataLocation.h"
#include "storage/AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string_view>
#include <vector>
#include <sys/stat.h>

namespace tapfill {

namespace fs = std::filesystem;

namespace {

/// The folders of a search path; an empty element means the current folder.
std::vector<fs::path> searchFolders(const std::string& searchPath)
{
    std::vector<fs::path> folders;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = searchPath.find(':', start);
        const std::string part = searchPath.substr(start, end == std::string::npos ? std::string::npos : end - start);
        folders.emplace_back(part.empty() ? "." : part);
        if (end == std::string::npos)
            return folders;
        start = end + 1;
    }
}

} // namespace

fs::path autostartEntryPath(const std::optional<std::string>& xdgConfigHome, const std::optional<std::string>& home)
{
    const fs::path config = baseFolder(xdgConfigHome, home, ".config");
    return config.empty() ? config : config / "autostart" / "tapfill.desktop";
}

fs::path autostartEntryPath()
{
    return autostartEntryPath(environment("XDG_CONFIG_HOME"), environment("HOME"));
}

std::string autostartCommand(const fs::path& program, const std::optional<std::string>& searchPath)
{
    if (program.empty())
        return "tapfill";
    const std::string name = program.filename().string();
    if (searchPath && name == "tapfill") {
        for (const fs::path& folder : searchFolders(*searchPath)) {
            std::error_code ec;
            const fs::path candidate = folder / name;
            if (!folder.is_absolute() || !fs::is_regular_file(candidate, ec))
                continue;
            if (fs::equivalent(candidate, program, ec))
                return desktopExecArgument(name);
            break; // another tapfill comes first: name ours in full
        }
    }
    return desktopExecArgument(program.string());
}

std::string desktopExecArgument(const std::string& argument)
{
    static constexpr std::string_view reserved = " \t\n\"'\\><~|&;$*?#()`";
    std::string escaped;
    bool quote = argument.empty();
    for (const char c : argument) {
        if (reserved.find(c) != std::string_view::npos)
            quote = true;
        if (c == '%')
            escaped += "%%"; // field codes start with %
        else if (c == '"' || c == '`' || c == '$' || c == '\\')
            // Escaped inside the quotes, and that backslash escaped again
            // because the entry's string value is unescaped first.
            escaped += c == '\\' ? std::string(4, '\\') : std::string("\\\\") + c;
        else if (c == '\n')
            escaped += "\\n";
        else
            escaped += c;
    }
    return quote ? '"' + escaped + '"' : escaped;
}

std::string autostartEntryText(const std::string& execLine)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Tapfill\n"
           "Comment=Fill forms of other programs with stored texts\n"
           "Exec=" + execLine + "\n"
           "Icon=tapfill\n"
           "Terminal=false\n"
           "Categories=Utility;\n"
           "X-GNOME-Autostart-enabled=true\n";
}

bool autostartEnabled(const fs::path& entry)
{
    std::error_code ec;
    return !entry.empty() && fs::is_regular_file(entry, ec);
}

AutostartResult setAutostart(bool on, const fs::path& entry, const std::string& execLine)
{
    if (entry.empty())
        return {false, "cannot find the autostart folder: neither XDG_CONFIG_HOME nor HOME names an absolute folder"};
    std::error_code ec;
    if (!on) {
        if (!fs::exists(fs::symlink_status(entry, ec)))
            return {true, "Tapfill does not start with the desktop (there is no " + entry.string() + ")"};
        if (!fs::remove(entry, ec))
            return {false, "cannot remove the autostart entry " + entry.string() + ": " + ec.message()};
        return {true, "removed " + entry.string() + ": Tapfill no longer starts with the desktop"};
    }

    fs::create_directories(entry.parent_path(), ec);
    if (ec)
        return {false, "cannot create the autostart folder " + entry.parent_path().string() + ": " + ec.message()};
    if (const int failure = storage::replaceFileAtomically(entry, autostartEntryText(execLine)))
        return {false, "cannot write the autostart entry " + entry.string() + ": " + std::strerror(failure)};
    return {true, "wrote " + entry.string() + ": Tapfill starts with the desktop"};
}

AutostartResult setAutostart(bool on)
{
    return setAutostart(on, autostartEntryPath(), autostartCommand(runningProgramPath(), environment("PATH")));
}

} // namespace tapfill
