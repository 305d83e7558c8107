// programs.conf: what a good file sets, that every bad line is named and
// leaves its setting at the default while the rest still counts, and which
// paste keys each program gets.

#include "config/ProgramsConfig.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace tapfill::config;

namespace {

ProgramsConfig parse(std::string_view text, std::vector<ConfigProblem>& problems)
{
    return parseProgramsConfig(text, problems);
}

ProgramsConfig parseClean(std::string_view text)
{
    std::vector<ConfigProblem> problems;
    ProgramsConfig config = parse(text, problems);
    for (const auto& p : problems)
        ADD_FAILURE() << "line " << p.line << ": " << p.message;
    return config;
}

} // namespace

TEST(ProgramsConfig, AGoodFileSetsEverything)
{
    const ProgramsConfig config = parseClean("\xEF\xBB\xBF; Tapfill's settings\r\n"
                                             "[general]\r\n"
                                             "  PasteModeKey = Ctrl + Alt+f9 \r\n"
                                             "restoreClipboard=FALSE\r\n"
                                             "\r\n"
                                             "# a terminal of mine\r\n"
                                             "[My-Term]\r\n"
                                             "paste = Shift+Insert\r\n"
                                             "[Gedit]\n"
                                             "paste=type\n"
                                             "[XTerm]\n"
                                             "paste = ctrl+shift+v");
    EXPECT_FALSE(config.restoreClipboard);
    EXPECT_EQ(config.pasteModeKey, (KeyChord{"F9", true, true, false, false}));
    EXPECT_EQ(config.pasteRules, (std::map<std::string, PasteMethod>{
                                     {"my-term", PasteMethod::ShiftInsert},
                                     {"gedit", PasteMethod::Type},
                                     {"xterm", PasteMethod::CtrlShiftV}}));
    EXPECT_EQ(config.pasteMethodFor("xterm", "XTerm"), PasteMethod::CtrlShiftV) << "a rule beats the built-in list";
}

TEST(ProgramsConfig, KeyNamesAreXKeysymNamesWithModifiers)
{
    const struct {
        const char* value;
        KeyChord chord;
    } cases[] = {
        {"F12", {"F12"}},
        {"pause", {"Pause"}},
        {"scroll_lock", {"Scroll_Lock"}},
        {"Page_Up", {"Prior"}}, // X's other name; both systems store the first
        {"super+shift+p", {"p", false, false, true, true}},
        {"control+plus", {"plus", true}},
        {"alt++", {"plus", false, true}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseClean(std::string("[General]\npasteModeKey=") + c.value).pasteModeKey, c.chord) << c.value;
}

TEST(ProgramsConfig, EveryBadLineIsNamedAndOnlyItFallsBackToTheDefault)
{
    std::vector<ConfigProblem> problems;
    const ProgramsConfig config = parse("paste = type\n"              // 1: outside any group
                                        "[General]\n"
                                        "pasteModeKey = hyper+F9\n"   // 3
                                        "pasteModeKey = NoSuchKey\n"  // 4
                                        "restoreClipboard = maybe\n"  // 5
                                        "colour = red\n"              // 6
                                        "[kitty]\n"
                                        "paste = ctrl+alt+v\n"        // 8
                                        "paste\n"                     // 9
                                        "[broken\n"                   // 10
                                        "paste = type\n"              // 11: belongs to no group
                                        "[gedit]\n"
                                        "paste = type\n"
                                        "bin\x01\x02ary\n",          // 14
                                        problems);
    std::vector<int> lines;
    for (const auto& p : problems)
        lines.push_back(p.line);
    EXPECT_EQ(lines, (std::vector<int>{1, 3, 4, 5, 6, 8, 9, 10, 11, 14}));
    EXPECT_NE(problems[2].message.find("NoSuchKey"), std::string::npos) << problems[2].message;
    EXPECT_EQ(config.pasteModeKey, KeyChord{});
    EXPECT_TRUE(config.restoreClipboard);
    EXPECT_EQ(config.pasteRules, (std::map<std::string, PasteMethod>{{"gedit", PasteMethod::Type}}));
    EXPECT_EQ(config.pasteMethodFor("kitty", "kitty"), PasteMethod::CtrlShiftV) << "the built-in choice stays";

    const std::string message = describeProblems("/home/u/.config/Tapfill/programs.conf", problems);
    EXPECT_NE(message.find("programs.conf"), std::string::npos);
    EXPECT_NE(message.find("line 1:"), std::string::npos);
    EXPECT_NE(message.find("and 5 more"), std::string::npos) << message;
}

TEST(ProgramsConfig, TheBuiltInKeysFollowTheProgram)
{
    const ProgramsConfig none;
    const struct {
        const char* instance;
        const char* wmClass;
        PasteMethod method;
    } cases[] = {
        {"gnome-terminal-server", "Gnome-terminal", PasteMethod::CtrlShiftV},
        {"Alacritty", "Alacritty", PasteMethod::CtrlShiftV},
        {"org.gnome.Console", "org.gnome.Console", PasteMethod::CtrlShiftV}, // GNOME: the application id
        {"xterm", "XTerm", PasteMethod::Type},
        {"chromium", "Chromium", PasteMethod::CtrlV},
        {"PUTTY.EXE", "PuTTY", PasteMethod::ShiftInsert}, // Windows: the executable's name
        {"", "", PasteMethod::CtrlV},
    };
    for (const auto& c : cases)
        EXPECT_EQ(none.pasteMethodFor(c.instance, c.wmClass), c.method) << c.instance << " " << c.wmClass;

    // A rule names a program by its instance or its class, in any case;
    // the instance is the more particular name and wins.
    const ProgramsConfig rules = parseClean("[chromium]\npaste=type\n[navigator]\npaste=shift+insert\n"
                                            "[firefox-esr]\npaste=ctrl+shift+v\n");
    EXPECT_EQ(rules.pasteMethodFor("Chromium", "Chromium"), PasteMethod::Type);
    EXPECT_EQ(rules.pasteMethodFor("Navigator", "firefox-esr"), PasteMethod::ShiftInsert);
    EXPECT_EQ(rules.pasteMethodFor("other", "Firefox-ESR"), PasteMethod::CtrlShiftV);
}

TEST(ProgramsConfig, TheFileMissingEmptyUnreadableOrHuge)
{
    tapfill::test::TempDir dir;
    const auto path = dir.path() / "programs.conf";
    std::vector<ConfigProblem> problems;
    EXPECT_TRUE(loadProgramsConfig(path, problems).pasteRules.empty());
    EXPECT_TRUE(problems.empty()) << "no file: the defaults, silently";

    std::ofstream(path).flush();
    EXPECT_TRUE(loadProgramsConfig(path, problems).restoreClipboard);
    EXPECT_TRUE(problems.empty()) << "an empty file";

    std::ofstream(path) << "[xterm]\npaste = ctrl+v\n";
    EXPECT_EQ(loadProgramsConfig(path, problems).pasteMethodFor("xterm", "XTerm"), PasteMethod::CtrlV);
    EXPECT_TRUE(problems.empty());

    std::ofstream(path) << std::string(2 << 20, 'x');
    EXPECT_TRUE(loadProgramsConfig(path, problems).pasteRules.empty());
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].line, 0);
    EXPECT_NE(describeProblems(path, problems).find("too large"), std::string::npos);

    problems.clear();
    EXPECT_TRUE(loadProgramsConfig(dir.path(), problems).pasteRules.empty()) << "a folder";
    EXPECT_EQ(problems.size(), 1u);
}

#ifndef _WIN32
TEST(ProgramsConfig, ThePathFollowsXdgConfigHome)
{
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string keep = saved ? saved : "";
    setenv("XDG_CONFIG_HOME", "/tmp/cfg", 1);
    EXPECT_EQ(programsConfigPath(), "/tmp/cfg/Tapfill/programs.conf");
    setenv("XDG_CONFIG_HOME", "relative", 1);
    setenv("HOME", std::getenv("HOME") ? std::getenv("HOME") : "/root", 1);
    EXPECT_EQ(programsConfigPath(), std::filesystem::path(std::getenv("HOME")) / ".config/Tapfill/programs.conf");
    if (saved)
        setenv("XDG_CONFIG_HOME", keep.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}
#endif
