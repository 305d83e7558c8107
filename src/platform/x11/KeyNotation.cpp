#include "platform/x11/KeyNotation.h"

#include "text/Utf8.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace tapfill::platform::keys {
namespace {

struct Name {
    std::string_view text;
    NamedKey key;
};

// Every spelling accepted between braces; compared without regard to case.
constexpr std::array<Name, 49> KeyNames{{
    {"TAB", NamedKey::Tab},           {"ENTER", NamedKey::Enter},
    {"ESC", NamedKey::Escape},        {"ESCAPE", NamedKey::Escape},
    {"BACKSPACE", NamedKey::Backspace}, {"BS", NamedKey::Backspace},
    {"BKSP", NamedKey::Backspace},    {"DELETE", NamedKey::Delete},
    {"DEL", NamedKey::Delete},        {"INSERT", NamedKey::Insert},
    {"INS", NamedKey::Insert},        {"HOME", NamedKey::Home},
    {"END", NamedKey::End},           {"PGUP", NamedKey::PageUp},
    {"PGDN", NamedKey::PageDown},     {"UP", NamedKey::Up},
    {"DOWN", NamedKey::Down},         {"LEFT", NamedKey::Left},
    {"RIGHT", NamedKey::Right},       {"BREAK", NamedKey::Break},
    {"CAPSLOCK", NamedKey::CapsLock}, {"NUMLOCK", NamedKey::NumLock},
    {"SCROLLLOCK", NamedKey::ScrollLock}, {"PRTSC", NamedKey::PrintScreen},
    {"HELP", NamedKey::Help},         {"ADD", NamedKey::Add},
    {"SUBTRACT", NamedKey::Subtract}, {"MULTIPLY", NamedKey::Multiply},
    {"DIVIDE", NamedKey::Divide},     {"F1", NamedKey::F1},
    {"F2", NamedKey::F2},             {"F3", NamedKey::F3},
    {"F4", NamedKey::F4},             {"F5", NamedKey::F5},
    {"F6", NamedKey::F6},             {"F7", NamedKey::F7},
    {"F8", NamedKey::F8},             {"F9", NamedKey::F9},
    {"F10", NamedKey::F10},           {"F11", NamedKey::F11},
    {"F12", NamedKey::F12},           {"F13", NamedKey::F13},
    {"F14", NamedKey::F14},           {"F15", NamedKey::F15},
    {"F16", NamedKey::F16},           {"RETURN", NamedKey::Enter},
    {"PGDOWN", NamedKey::PageDown},   {"PAGEUP", NamedKey::PageUp},
    {"PAGEDOWN", NamedKey::PageDown},
}};

std::optional<NamedKey> findName(std::string_view text)
{
    for (const auto& name : KeyNames) {
        if (name.text.size() == text.size()
            && std::equal(text.begin(), text.end(), name.text.begin(), [](char a, char b) {
                   return std::toupper(static_cast<unsigned char>(a)) == b;
               }))
            return name.key;
    }
    return std::nullopt;
}

/// Decodes one UTF-8 character at `pos`, advancing it; nothing on broken
/// input (overlong forms, surrogates and truncated sequences included),
/// where the forgiving decoder gives U+FFFD for a character not written so.
std::optional<char32_t> nextCharacter(std::string_view text, std::size_t& pos)
{
    const std::size_t start = pos;
    const char32_t c = text::nextCodePoint(text, pos);
    if (c == text::ReplacementCharacter && text.substr(start, pos - start) != "\xEF\xBF\xBD")
        return std::nullopt;
    return c;
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::optional<std::vector<KeyStroke>> run()
    {
        unsigned pending = 0; // modifiers waiting for their key or group
        bool inGroup = false;
        unsigned groupModifiers = 0;
        while (pos_ < text_.size()) {
            char c = text_[pos_];
            if (c == '^' || c == '+' || c == '%') {
                pending |= c == '^' ? ModControl : c == '+' ? ModShift : ModAlt;
                ++pos_;
                continue;
            }
            if (c == '(') {
                if (inGroup)
                    return std::nullopt; // groups do not nest
                inGroup = true;
                groupModifiers = pending;
                pending = 0;
                ++pos_;
                continue;
            }
            if (c == ')') {
                if (!inGroup || pending != 0)
                    return std::nullopt;
                inGroup = false;
                groupModifiers = 0;
                ++pos_;
                continue;
            }
            unsigned modifiers = pending | (inGroup ? groupModifiers : 0);
            pending = 0;
            if (c == '}')
                return std::nullopt;
            if (c == '{') {
                if (!braced(modifiers))
                    return std::nullopt;
                continue;
            }
            if (c == '~') {
                ++pos_;
                add(KeyStroke{modifiers, true, NamedKey::Enter, 0}, 1);
                continue;
            }
            auto character = nextCharacter(text_, pos_);
            if (!character)
                return std::nullopt;
            add(KeyStroke{modifiers, false, NamedKey::Tab, *character}, 1);
        }
        if (inGroup || pending != 0)
            return std::nullopt;
        return std::move(strokes_);
    }

private:
    // At '{': "{x}", "{x n}", "{NAME}", "{NAME n}". The first character after
    // the brace always belongs to the content, so "{}}" and "{{}" work.
    bool braced(unsigned modifiers)
    {
        std::size_t start = ++pos_;
        if (start >= text_.size())
            return false;
        std::size_t afterFirst = start;
        if (!nextCharacter(text_, afterFirst))
            return false;
        std::size_t close = text_.find('}', afterFirst);
        if (close == std::string_view::npos)
            return false;
        std::string_view content = text_.substr(start, close - start);
        pos_ = close + 1;

        int count = 1;
        std::size_t space = content.rfind(' ');
        if (space != std::string_view::npos && space > 0 && space + 1 < content.size()) {
            std::string_view digits = content.substr(space + 1);
            if (std::all_of(digits.begin(), digits.end(),
                            [](char d) { return d >= '0' && d <= '9'; })) {
                if (digits.size() > 4)
                    return false; // a count that large is a typing error, not a wish
                count = std::stoi(std::string(digits));
                content = content.substr(0, space);
            }
        }

        std::size_t p = 0;
        auto single = nextCharacter(content, p);
        if (single && p == content.size()) {
            add(KeyStroke{modifiers, false, NamedKey::Tab, *single}, count);
            return true;
        }
        auto name = findName(content);
        if (!name)
            return false;
        add(KeyStroke{modifiers, true, *name, 0}, count);
        return true;
    }

    void add(const KeyStroke& stroke, int count)
    {
        for (int i = 0; i < count; ++i)
            strokes_.push_back(stroke);
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::vector<KeyStroke> strokes_;
};

} // namespace

std::optional<std::vector<KeyStroke>> parseKeyNotation(std::string_view notation)
{
    return Parser(notation).run();
}

std::optional<std::vector<KeyStroke>> textKeyStrokes(std::string_view utf8)
{
    std::vector<KeyStroke> strokes;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        auto c = nextCharacter(utf8, pos);
        if (!c)
            return std::nullopt;
        if (*c == U'\r' || *c == U'\n') {
            if (*c == U'\r' && pos < utf8.size() && utf8[pos] == '\n')
                ++pos;
            strokes.push_back(KeyStroke{0, true, NamedKey::Enter, 0});
        } else if (*c == U'\t') {
            strokes.push_back(KeyStroke{0, true, NamedKey::Tab, 0});
        } else if (*c < 0x20 || *c == 0x7F || (*c >= 0x80 && *c < 0xA0)) {
            return std::nullopt;
        } else {
            strokes.push_back(KeyStroke{0, false, NamedKey::Tab, *c});
        }
    }
    return strokes;
}

} // namespace tapfill::platform::keys
