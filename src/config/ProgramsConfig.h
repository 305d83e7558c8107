#pragma once
// The user's per-program settings, read from programs.conf: which keys make a
// program paste (or whether the text is typed instead), the key that turns
// paste mode on and off, and whether the clipboard is given back after a
// paste. Plain C++ without Qt or X11, so that the parser can be tested and
// fuzzed alone.
//
//   [General]
//   pasteModeKey = ctrl+F9        ; an X keysym name, optionally ctrl+ alt+ shift+ super+
//   restoreClipboard = false
//
//   [XTerm]                       ; a program by its WM_CLASS class or instance
//   paste = ctrl+shift+v          ; ctrl+v, ctrl+shift+v, shift+insert or type

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tapfill::config {

enum class PasteMethod { CtrlV, CtrlShiftV, ShiftInsert, Type };

/// A key together with the modifiers that must be held with it.
struct KeyChord {
    std::string keysym = "F12"; ///< as X names it ("F12", "Pause", "p")
    bool ctrl = false, alt = false, shift = false, super = false;

    bool operator==(const KeyChord&) const = default;
};

struct ProgramsConfig {
    bool restoreClipboard = true;
    KeyChord pasteModeKey;
    /// Rules of the file, by lower-cased WM_CLASS class or instance.
    std::map<std::string, PasteMethod> pasteRules;

    /// How to deliver a field to the program whose focused top-level has
    /// this WM_CLASS: the file's rule for the instance, then for the class,
    /// then the built-in choice for well-known programs, then Ctrl+V.
    PasteMethod pasteMethodFor(std::string_view instance, std::string_view wmClass) const;
};

/// What the built-in list says for a program, when it knows it at all.
PasteMethod builtInPasteMethod(std::string_view instance, std::string_view wmClass);

/// The value as the file spells it ("ctrl+shift+v").
std::string_view pasteMethodName(PasteMethod method);

/// A line of the file that could not be used; 0 for the file as a whole.
struct ConfigProblem {
    int line = 0;
    std::string message;
};

/// Reads the file's text. Whatever is malformed is reported in `problems`
/// and left at its default; everything else still counts.
ProgramsConfig parseProgramsConfig(std::string_view text, std::vector<ConfigProblem>& problems);

/// $XDG_CONFIG_HOME/Tapfill/programs.conf, ~/.config when it is not set;
/// on Windows %APPDATA%\\Tapfill\\programs.conf.
std::filesystem::path programsConfigPath();

/// Reads the file at `path`. A missing file is no problem: the defaults
/// apply. One that cannot be read, or is far too large to be a settings
/// file, is reported as a problem of line 0.
ProgramsConfig loadProgramsConfig(const std::filesystem::path& path,
                                  std::vector<ConfigProblem>& problems);

/// One message for the user naming every problem, with the file's path.
std::string describeProblems(const std::filesystem::path& path,
                             const std::vector<ConfigProblem>& problems);

} // namespace tapfill::config
