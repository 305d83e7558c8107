#include "platform/windows/KeyInputs.h"

#include <array>

namespace tapfill::platform::windows {
namespace {

using keys::NamedKey;

struct NamedVirtualKey {
    NamedKey key;
    unsigned short virtualKey;
};

constexpr std::array<NamedVirtualKey, 24> NamedKeys{{
    {NamedKey::Tab, VK_TAB}, {NamedKey::Enter, VK_RETURN}, {NamedKey::Escape, VK_ESCAPE},
    {NamedKey::Backspace, VK_BACK}, {NamedKey::Delete, VK_DELETE}, {NamedKey::Insert, VK_INSERT},
    {NamedKey::Home, VK_HOME}, {NamedKey::End, VK_END}, {NamedKey::PageUp, VK_PRIOR},
    {NamedKey::PageDown, VK_NEXT}, {NamedKey::Up, VK_UP}, {NamedKey::Down, VK_DOWN},
    {NamedKey::Left, VK_LEFT}, {NamedKey::Right, VK_RIGHT}, {NamedKey::Break, VK_CANCEL},
    {NamedKey::CapsLock, VK_CAPITAL}, {NamedKey::NumLock, VK_NUMLOCK}, {NamedKey::ScrollLock, VK_SCROLL},
    {NamedKey::PrintScreen, VK_SNAPSHOT}, {NamedKey::Help, VK_HELP}, {NamedKey::Add, VK_ADD},
    {NamedKey::Subtract, VK_SUBTRACT}, {NamedKey::Multiply, VK_MULTIPLY}, {NamedKey::Divide, VK_DIVIDE},
}};

unsigned short namedVirtualKey(NamedKey key)
{
    if (key >= NamedKey::F1 && key <= NamedKey::F16)
        return static_cast<unsigned short>(VK_F1 + (static_cast<int>(key) - static_cast<int>(NamedKey::F1)));
    for (const auto& named : NamedKeys)
        if (named.key == key)
            return named.virtualKey;
    return 0;
}

/// Keys of the grey block beside the letters, which share their scan code
/// with a key of the number pad: without this flag a program with Num Lock
/// on would take Insert for 0.
bool isExtended(unsigned short key)
{
    switch (key) {
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_UP: case VK_DOWN: case VK_LEFT: case VK_RIGHT: case VK_DIVIDE: case VK_RCONTROL:
    case VK_RMENU: case VK_LWIN: case VK_RWIN: case VK_SNAPSHOT: case VK_CANCEL:
        return true;
    default:
        return false;
    }
}

INPUT unicodeInput(wchar_t unit, bool release)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = unit;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (release ? KEYEVENTF_KEYUP : 0);
    return input;
}

/// The virtual key for a character typed with modifiers, and the Shift it
/// needs on this layout; letters and digits by their own key on any layout,
/// as programs read their shortcuts (Ctrl+V is virtual key V everywhere).
std::optional<std::pair<unsigned short, bool>> characterKey(char32_t c)
{
    if (c >= U'a' && c <= U'z')
        return std::pair{static_cast<unsigned short>(c - U'a' + 'A'), false};
    if ((c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9'))
        return std::pair{static_cast<unsigned short>(c), false};
    if (c > 0xFFFF)
        return std::nullopt;
    const SHORT scan = VkKeyScanExW(static_cast<wchar_t>(c), GetKeyboardLayout(0));
    // Only Shift may be needed: a character behind AltGr (Ctrl+Alt) would
    // mix with the modifiers asked for.
    if (scan == -1 || (HIBYTE(scan) & ~1))
        return std::nullopt;
    return std::pair{static_cast<unsigned short>(LOBYTE(scan)), (HIBYTE(scan) & 1) != 0};
}

void appendUtf16(std::vector<INPUT>& inputs, char32_t c)
{
    auto add = [&](wchar_t unit) {
        inputs.push_back(unicodeInput(unit, false));
        inputs.push_back(unicodeInput(unit, true));
    };
    if (c > 0xFFFF) {
        c -= 0x10000;
        add(static_cast<wchar_t>(0xD800 + (c >> 10)));
        add(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
    } else {
        add(static_cast<wchar_t>(c));
    }
}

} // namespace

INPUT virtualKeyInput(unsigned short key, bool release)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (release ? KEYEVENTF_KEYUP : 0) | (isExtended(key) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

std::optional<std::vector<INPUT>> keyInputs(const std::vector<keys::KeyStroke>& strokes, std::string& why)
{
    std::vector<INPUT> inputs;
    for (const auto& stroke : strokes) {
        unsigned short key = 0;
        bool shift = stroke.modifiers & keys::ModShift;
        if (stroke.named) {
            key = namedVirtualKey(stroke.key);
        } else if (stroke.modifiers == 0) {
            appendUtf16(inputs, stroke.character);
            continue;
        } else if (auto found = characterKey(stroke.character)) {
            key = found->first;
            shift = shift || found->second;
        }
        if (key == 0) {
            why = "a key with Ctrl, Alt or Shift that this keyboard layout does not have";
            return std::nullopt;
        }
        std::vector<unsigned short> held;
        if (stroke.modifiers & keys::ModControl)
            held.push_back(VK_CONTROL);
        if (stroke.modifiers & keys::ModAlt)
            held.push_back(VK_MENU);
        if (shift)
            held.push_back(VK_SHIFT);
        for (auto modifier : held)
            inputs.push_back(virtualKeyInput(modifier, false));
        inputs.push_back(virtualKeyInput(key, false));
        inputs.push_back(virtualKeyInput(key, true));
        for (auto it = held.rbegin(); it != held.rend(); ++it)
            inputs.push_back(virtualKeyInput(*it, true));
    }
    return inputs;
}

} // namespace tapfill::platform::windows
