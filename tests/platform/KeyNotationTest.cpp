// The key notation parser: what each sequence Tapfill types stands for, and
// that malformed notation is refused as a whole rather than half typed.

#include "platform/x11/KeyNotation.h"

#include <gtest/gtest.h>

using namespace tapfill::platform::keys;

namespace {

KeyStroke character(char32_t c, unsigned modifiers = 0)
{
    return KeyStroke{modifiers, false, NamedKey::Tab, c};
}

KeyStroke named(NamedKey key, unsigned modifiers = 0)
{
    return KeyStroke{modifiers, true, key, 0};
}

/// Plain characters, one stroke each.
std::vector<KeyStroke> characters(std::u32string_view text)
{
    std::vector<KeyStroke> strokes;
    for (char32_t c : text)
        strokes.push_back(character(c));
    return strokes;
}

std::vector<KeyStroke> parse(std::string_view text)
{
    auto strokes = parseKeyNotation(text);
    EXPECT_TRUE(strokes.has_value()) << "refused: " << text;
    return strokes.value_or(std::vector<KeyStroke>{});
}

} // namespace

TEST(KeyNotation, TheSequencesOfAPasteAndKeyNamesInAnyCaseAndOldSpelling)
{
    EXPECT_EQ(parse("^{v}"), std::vector{character(U'v', ModControl)});
    EXPECT_EQ(parse("{TAB}~{ENTER}"),
              (std::vector{named(NamedKey::Tab), named(NamedKey::Enter), named(NamedKey::Enter)}));
    EXPECT_EQ(parse("{tab}{Enter}{esc}{BS}{BKSP}{DEL}{PGDN}{F1}{F16}"),
              (std::vector{named(NamedKey::Tab), named(NamedKey::Enter), named(NamedKey::Escape),
                           named(NamedKey::Backspace), named(NamedKey::Backspace), named(NamedKey::Delete),
                           named(NamedKey::PageDown), named(NamedKey::F1), named(NamedKey::F16)}));
}

TEST(KeyNotation, ModifiersHoldForTheNextKeyOrTheWholeGroup)
{
    EXPECT_EQ(parse("^va"), (std::vector{character(U'v', ModControl), character(U'a')}));
    EXPECT_EQ(parse("+^%{F5}"), std::vector{named(NamedKey::F5, ModShift | ModControl | ModAlt)});
    EXPECT_EQ(parse("%{TAB}x"), (std::vector{named(NamedKey::Tab, ModAlt), character(U'x')}));
    EXPECT_EQ(parse("+(ab)c"), (std::vector{character(U'a', ModShift), character(U'b', ModShift), character(U'c')}));
    // A modifier inside the group adds to the group's own.
    EXPECT_EQ(parse("^(a%b)"), (std::vector{character(U'a', ModControl), character(U'b', ModControl | ModAlt)}));
}

TEST(KeyNotation, BracesMakeSpecialCharactersPlainAndACountRepeatsTheKey)
{
    EXPECT_EQ(parse("{+}{^}{%}{~}{(}{)}{{}{}}{ }"), characters(U"+^%~(){} "));
    EXPECT_EQ(parse("{TAB 3}"), std::vector<KeyStroke>(3, named(NamedKey::Tab)));
    EXPECT_EQ(parse("^{x 2}"), std::vector<KeyStroke>(2, character(U'x', ModControl)));
    EXPECT_EQ(parse("{} 2}"), characters(U"}}"));
    EXPECT_TRUE(parse("{TAB 0}").empty());
}

TEST(KeyNotation, TextIsReadAsUtf8)
{
    EXPECT_EQ(parse("Grüße €1"), characters(U"Grüße €1"));
    EXPECT_EQ(parse("{€}\xF0\x9F\x98\x80"), characters(U"€\U0001F600"));
    EXPECT_TRUE(parse("").empty());
}

TEST(KeyNotation, MalformedNotationAndBrokenUtf8AreRefusedWhole)
{
    for (std::string_view bad : {"{", "{TAB", "a}", "{}", "{NOSUCHKEY}", "{TAB x 2}", "^", "a+", "(ab", "ab)",
                                 "((a))", "+()x)", "{TAB 99999}", "\xC3", "a\xC3(b)", "\xC0\xAF", "\xED\xA0\x80",
                                 "\xF4\x90\x80\x80", "\x80", "{\xC3}"})
        EXPECT_FALSE(parseKeyNotation(bad).has_value()) << bad;
}

TEST(KeyNotation, ATextIsTypedAsItIsWithLineBreaksAsEnter)
{
    const KeyStroke enter = named(NamedKey::Enter), tab = named(NamedKey::Tab);
    EXPECT_EQ(textKeyStrokes("^{v}~"), characters(U"^{v}~")) << "no notation in a text";
    EXPECT_EQ(textKeyStrokes("a\r\nb\nc\rd\te"),
              (std::vector{character(U'a'), enter, character(U'b'), enter, character(U'c'), enter,
                           character(U'd'), tab, character(U'e')}));
    EXPECT_EQ(textKeyStrokes("Grüße ж€😀"), characters(U"Grüße ж€😀"));
    EXPECT_EQ(textKeyStrokes(""), std::vector<KeyStroke>{});
    for (std::string_view bad : {std::string_view("a\x01b"), std::string_view("\xC3"), std::string_view("\x7F")})
        EXPECT_FALSE(textKeyStrokes(bad).has_value());
}
