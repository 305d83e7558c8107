#include "config/ProgramsConfig.h"

#include "config/KeyNames.h"

#include <algorithm>
#include <array>
#include <optional>

namespace tapfill::config {
namespace {

std::string lowered(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : static_cast<char>(c);
    });
    return out;
}

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

/// Lower case, blanks around the plus signs gone: "Ctrl + Shift+V" -> "ctrl+shift+v".
std::string compact(std::string_view text)
{
    std::string out;
    for (char c : lowered(text))
        if (c != ' ' && c != '\t')
            out += c;
    return out;
}

struct KnownProgram {
    std::string_view name; // lower-cased WM_CLASS class or instance; on Windows the executable or window class
    PasteMethod method;
};

// Terminals do not paste on Ctrl+V: it is a control character for the
// program running in them. The VTE-based ones, konsole, kitty, alacritty and
// the like paste the clipboard on Ctrl+Shift+V. xterm and urxvt paste only
// PRIMARY by default (Shift+Insert, middle click), which Tapfill must not
// touch: for them the text is typed. Emacs scrolls on Ctrl+V and yanks
// the clipboard on Shift+Insert, with or without cua-mode. On Windows,
// PuTTY and mintty (the terminal of Git Bash and Cygwin) paste the
// clipboard on Shift+Insert; they are named by their executables, which no
// X11 program is called. Under Wayland GNOME names a native program by its
// application id, which for GNOME's own terminals is not their X11 class.
constexpr std::array<KnownProgram, 29> KnownPrograms{{
    {"gnome-terminal", PasteMethod::CtrlShiftV},
    {"gnome-terminal-server", PasteMethod::CtrlShiftV},
    {"org.gnome.terminal", PasteMethod::CtrlShiftV},
    {"org.gnome.console", PasteMethod::CtrlShiftV},
    {"kgx", PasteMethod::CtrlShiftV},
    {"org.gnome.ptyxis", PasteMethod::CtrlShiftV},
    {"foot", PasteMethod::CtrlShiftV},
    {"footclient", PasteMethod::CtrlShiftV},
    {"xfce4-terminal", PasteMethod::CtrlShiftV},
    {"mate-terminal", PasteMethod::CtrlShiftV},
    {"lxterminal", PasteMethod::CtrlShiftV},
    {"tilix", PasteMethod::CtrlShiftV},
    {"terminator", PasteMethod::CtrlShiftV},
    {"guake", PasteMethod::CtrlShiftV},
    {"tilda", PasteMethod::CtrlShiftV},
    {"sakura", PasteMethod::CtrlShiftV},
    {"konsole", PasteMethod::CtrlShiftV},
    {"qterminal", PasteMethod::CtrlShiftV},
    {"kitty", PasteMethod::CtrlShiftV},
    {"alacritty", PasteMethod::CtrlShiftV},
    {"org.wezfurlong.wezterm", PasteMethod::CtrlShiftV},
    {"emacs", PasteMethod::ShiftInsert},
    {"xterm", PasteMethod::Type},
    {"uxterm", PasteMethod::Type},
    {"urxvt", PasteMethod::Type},
    {"rxvt", PasteMethod::Type},
    {"urxvtc", PasteMethod::Type},
    {"putty.exe", PasteMethod::ShiftInsert},
    {"mintty.exe", PasteMethod::ShiftInsert},
}};

std::optional<PasteMethod> knownMethod(const std::string& name)
{
    for (const auto& known : KnownPrograms)
        if (known.name == name)
            return known.method;
    return std::nullopt;
}

std::optional<PasteMethod> parsePasteMethod(std::string_view value)
{
    const std::string v = compact(value);
    if (v == "ctrl+v")
        return PasteMethod::CtrlV;
    if (v == "ctrl+shift+v" || v == "shift+ctrl+v")
        return PasteMethod::CtrlShiftV;
    if (v == "shift+insert")
        return PasteMethod::ShiftInsert;
    if (v == "type")
        return PasteMethod::Type;
    return std::nullopt;
}

std::optional<bool> parseBool(std::string_view value)
{
    const std::string v = compact(value);
    if (v == "true")
        return true;
    if (v == "false")
        return false;
    return std::nullopt;
}

/// "ctrl+alt+F9": modifiers in any order, then one keysym name that X knows.
std::optional<KeyChord> parseChord(std::string_view value, std::string& why)
{
    KeyChord chord;
    std::string_view rest = trimmed(value);
    for (;;) {
        const std::size_t plus = rest.find('+');
        // A lone "+" at the end is the keysym "plus" spelt as a character.
        if (plus == std::string_view::npos || plus + 1 == rest.size())
            break;
        const std::string modifier = compact(rest.substr(0, plus));
        if (modifier == "ctrl" || modifier == "control")
            chord.ctrl = true;
        else if (modifier == "alt")
            chord.alt = true;
        else if (modifier == "shift")
            chord.shift = true;
        else if (modifier == "super")
            chord.super = true;
        else {
            why = "\"" + modifier + "\" is not a modifier (ctrl, alt, shift, super)";
            return std::nullopt;
        }
        rest = trimmed(rest.substr(plus + 1));
    }
    if (rest.empty()) {
        why = "no key is named";
        return std::nullopt;
    }
    const std::string name(rest);
    auto canonical = canonicalKeyName(name);
    if (!canonical) {
        why = "\"" + name + "\" is not the name of a key (X keysym names: F12, Pause, Scroll_Lock, p ...)";
        return std::nullopt;
    }
    chord.keysym = *canonical;
    return chord;
}

bool isTextLine(std::string_view line)
{
    return std::none_of(line.begin(), line.end(), [](unsigned char c) {
        return (c < 0x20 && c != '\t' && c != '\r') || c == 0x7F;
    });
}

} // namespace

PasteMethod builtInPasteMethod(std::string_view instance, std::string_view wmClass)
{
    if (auto method = knownMethod(lowered(instance)))
        return *method;
    if (auto method = knownMethod(lowered(wmClass)))
        return *method;
    return PasteMethod::CtrlV;
}

PasteMethod ProgramsConfig::pasteMethodFor(std::string_view instance, std::string_view wmClass) const
{
    for (std::string_view name : {instance, wmClass}) {
        if (name.empty())
            continue;
        auto rule = pasteRules.find(lowered(name));
        if (rule != pasteRules.end())
            return rule->second;
    }
    return builtInPasteMethod(instance, wmClass);
}

std::string_view pasteMethodName(PasteMethod method)
{
    switch (method) {
    case PasteMethod::CtrlV: return "ctrl+v";
    case PasteMethod::CtrlShiftV: return "ctrl+shift+v";
    case PasteMethod::ShiftInsert: return "shift+insert";
    case PasteMethod::Type: return "type";
    }
    return "ctrl+v";
}

ProgramsConfig parseProgramsConfig(std::string_view text, std::vector<ConfigProblem>& problems)
{
    ProgramsConfig config;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);

    enum class Section { None, General, Program } section = Section::None;
    std::string program; // lower-cased group name
    int number = 0;
    auto problem = [&](std::string message) { problems.push_back({number, std::move(message)}); };

    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = trimmed(text.substr(start, end - start));
        start = end + 1;
        ++number;
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (!isTextLine(line)) {
            problem("holds control characters; is this a text file?");
        } else if (line.front() == '[') {
            const std::string name =
                line.back() == ']' ? lowered(trimmed(line.substr(1, line.size() - 2))) : "";
            if (name.empty()) {
                problem("a group name goes between [ and ], e.g. [XTerm]");
                section = Section::None; // what follows belongs to no group we know
            } else {
                section = name == "general" ? Section::General : Section::Program;
                program = name;
            }
        } else if (const std::size_t equals = line.find('='); equals == std::string_view::npos) {
            problem("expected \"key = value\" or a [group]");
        } else {
            const std::string key = lowered(trimmed(line.substr(0, equals)));
            const std::string_view value = trimmed(line.substr(equals + 1));
            if (section == Section::None) {
                problem("\"" + key + "\" is outside any [group]");
            } else if (section == Section::Program) {
                if (key != "paste") {
                    problem("unknown key \"" + key + "\" (a program's group knows only \"paste\")");
                } else if (auto method = parsePasteMethod(value)) {
                    config.pasteRules[program] = *method;
                } else {
                    problem("paste = \"" + std::string(value)
                            + "\" is none of ctrl+v, ctrl+shift+v, shift+insert, type");
                }
            } else if (key == "pastemodekey") {
                std::string why;
                if (auto chord = parseChord(value, why))
                    config.pasteModeKey = *chord;
                else
                    problem("pasteModeKey: " + why);
            } else if (key == "restoreclipboard") {
                if (auto flag = parseBool(value))
                    config.restoreClipboard = *flag;
                else
                    problem("restoreClipboard = \"" + std::string(value) + "\" is neither true nor false");
            } else {
                problem("unknown key \"" + key + "\" in [General] (pasteModeKey, restoreClipboard)");
            }
        }
    }
    return config;
}

} // namespace tapfill::config
