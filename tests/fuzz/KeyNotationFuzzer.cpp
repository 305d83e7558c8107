// Feeds arbitrary text to the key notation parser and to the typing of a
// field's text. What either makes of it is only keys of real characters,
// and the keystrokes written out again read back the same.
#include "platform/x11/KeyNotation.h"
#include "storage/Utf8.h"

#include <cstdint>
#include <cstdlib>

using namespace tapfill::platform::keys;

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool realCharacter(char32_t c)
{
    return c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
}

const char* keyName(NamedKey key)
{
    static const char* const names[] = {
        "TAB", "ENTER", "ESC", "BACKSPACE", "DEL", "INS", "HOME", "END", "PGUP", "PGDN",
        "UP", "DOWN", "LEFT", "RIGHT", "BREAK", "CAPSLOCK", "NUMLOCK", "SCROLLLOCK", "PRTSC", "HELP",
        "ADD", "SUBTRACT", "MULTIPLY", "DIVIDE",
        "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12", "F13", "F14", "F15", "F16",
    };
    return names[static_cast<int>(key)];
}

/// Every stroke on its own: its modifiers, then the key in braces.
std::string notation(const std::vector<KeyStroke>& strokes)
{
    std::string text;
    for (const KeyStroke& stroke : strokes) {
        if (stroke.modifiers & ModControl)
            text += '^';
        if (stroke.modifiers & ModShift)
            text += '+';
        if (stroke.modifiers & ModAlt)
            text += '%';
        text += '{';
        if (stroke.named)
            text += keyName(stroke.key);
        else
            tapfill::storage::appendUtf8(text, stroke.character);
        text += '}';
    }
    return text;
}

/// The text that a field's keystrokes type.
std::string typed(const std::vector<KeyStroke>& strokes)
{
    std::string text;
    for (const KeyStroke& stroke : strokes) {
        require(stroke.modifiers == 0);
        if (stroke.named)
            text += stroke.key == NamedKey::Enter ? '\n' : '\t';
        else
            tapfill::storage::appendUtf8(text, stroke.character);
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);
    if (const auto strokes = parseKeyNotation(text)) {
        for (const KeyStroke& stroke : *strokes)
            require(stroke.named || realCharacter(stroke.character));
        require(parseKeyNotation(notation(*strokes)) == strokes);
    }
    if (const auto strokes = textKeyStrokes(text)) {
        require(strokes->size() <= size);
        for (const KeyStroke& stroke : *strokes)
            require(stroke.named ? (stroke.key == NamedKey::Enter || stroke.key == NamedKey::Tab)
                                 : realCharacter(stroke.character) && stroke.character >= 0x20);
        require(textKeyStrokes(typed(*strokes)) == strokes);
    }
    return 0;
}
