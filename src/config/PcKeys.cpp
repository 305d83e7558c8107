// The keys of a PC keyboard by their X keysym names, with the virtual-key
// numbers Windows gives them. Punctuation is placed as on a US keyboard,
// where Windows' OEM key numbers come from.

#include "config/KeyNames.h"

#include <array>
#include <cctype>

namespace tapfill::config {
namespace {

struct NamedKey {
    std::string_view keysym;
    unsigned short virtualKey;
    char character = 0; ///< the character a single-letter name stands for
};

constexpr std::array<NamedKey, 52> NamedKeys{{
    {"Pause", 0x13}, {"Scroll_Lock", 0x91}, {"Print", 0x2C}, {"Insert", 0x2D},
    {"Delete", 0x2E}, {"Home", 0x24}, {"End", 0x23}, {"Prior", 0x21}, {"Next", 0x22},
    {"Left", 0x25}, {"Up", 0x26}, {"Right", 0x27}, {"Down", 0x28}, {"Escape", 0x1B},
    {"Tab", 0x09}, {"Return", 0x0D}, {"BackSpace", 0x08}, {"space", 0x20, ' '},
    {"Menu", 0x5D}, {"Num_Lock", 0x90}, {"Caps_Lock", 0x14}, {"Cancel", 0x03},
    {"Help", 0x2F}, {"Select", 0x29}, {"Execute", 0x2B},
    {"KP_Multiply", 0x6A}, {"KP_Add", 0x6B}, {"KP_Subtract", 0x6D},
    {"KP_Decimal", 0x6E}, {"KP_Divide", 0x6F}, {"KP_Enter", 0x0D},
    {"plus", 0xBB, '+'}, {"equal", 0xBB, '='}, {"minus", 0xBD, '-'}, {"comma", 0xBC, ','},
    {"period", 0xBE, '.'}, {"semicolon", 0xBA, ';'}, {"slash", 0xBF, '/'},
    {"grave", 0xC0, '`'}, {"bracketleft", 0xDB, '['}, {"backslash", 0xDC, '\\'},
    {"bracketright", 0xDD, ']'}, {"apostrophe", 0xDE, '\''},
    {"Page_Up", 0x21}, {"Page_Down", 0x22}, // X's other names for Prior and Next
    {"Super_L", 0x5B}, {"Super_R", 0x5C}, {"Shift_L", 0xA0}, {"Shift_R", 0xA1},
    {"Control_L", 0xA2}, {"Control_R", 0xA3}, {"Alt_L", 0xA4},
}};

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

PcKey canonical(const NamedKey& key)
{
    if (key.keysym == "Page_Up")
        return {"Prior", key.virtualKey};
    if (key.keysym == "Page_Down")
        return {"Next", key.virtualKey};
    return {key.keysym, key.virtualKey};
}

/// F1 ... F24, letters and digits, which X and Windows both number in a row.
std::optional<PcKey> rowKey(std::string_view name)
{
    static constexpr std::array<std::string_view, 24> FunctionKeys{
        "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12",
        "F13", "F14", "F15", "F16", "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"};
    for (std::size_t i = 0; i < FunctionKeys.size(); ++i)
        if (sameIgnoringCase(name, FunctionKeys[i]))
            return PcKey{FunctionKeys[i], static_cast<unsigned short>(0x70 + i)};
    static constexpr std::string_view Letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    if (name.size() == 1) {
        const std::size_t at = Letters.find(name[0]);
        if (at != std::string_view::npos) {
            const char c = name[0];
            const auto key = static_cast<unsigned short>(std::isdigit(static_cast<unsigned char>(c)) ? c : std::toupper(c));
            return PcKey{Letters.substr(at, 1), key};
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<PcKey> findPcKey(std::string_view name)
{
    if (auto key = rowKey(name))
        return key;
    for (const auto& key : NamedKeys)
        if (key.keysym == name || (name.size() == 1 && key.character == name[0]))
            return canonical(key);
    for (const auto& key : NamedKeys)
        if (sameIgnoringCase(key.keysym, name))
            return canonical(key);
    return std::nullopt;
}

} // namespace tapfill::config
