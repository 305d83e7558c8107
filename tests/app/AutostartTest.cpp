// Starting with the desktop: its Exec line, writing and removing the entry,
// and the command line that asks for it. The entry's place follows the
// base folder rule that DataLocationTest checks, and the tray menu's test
// and the package's e2e test find it there.
#include "app/Autostart.h"
#include "app/CommandLine.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

using tapfill::test::TempDir;
namespace fs = std::filesystem;

TEST(Autostart, ExecNamesTheProgramInFullUnlessTheSearchPathFindsThisVeryCopy)
{
    TempDir dirs;
    for (const char* folder : {"first", "second"}) {
        fs::create_directory(dirs.path() / folder);
        dirs.write(std::string(folder) + "/tapfill", "");
    }
    const fs::path second = dirs.path() / "second" / "tapfill";
    const std::string first = (dirs.path() / "first").string();
    EXPECT_EQ(tapfill::autostartCommand(second, (dirs.path() / "second").string() + ":" + first), "tapfill");
    EXPECT_EQ(tapfill::autostartCommand(second, "relative:" + first + ":" + (dirs.path() / "second").string()),
              second.string()) << "another tapfill comes first";
    EXPECT_EQ(tapfill::autostartCommand(second, std::nullopt), second.string());
    EXPECT_EQ(tapfill::autostartCommand("/opt/My Tools/tapfill", "/usr/bin"), "\"/opt/My Tools/tapfill\"");
}

TEST(Autostart, ExecArgumentsAreQuotedAndEscapedForDesktopEntries)
{
    EXPECT_EQ(tapfill::desktopExecArgument("/usr/bin/tapfill"), "/usr/bin/tapfill");
    EXPECT_EQ(tapfill::desktopExecArgument("/a/100%/tapfill"), "/a/100%%/tapfill");
    EXPECT_EQ(tapfill::desktopExecArgument("/a b/$x\"y\\z"), "\"/a b/\\\\$x\\\\\"y\\\\\\\\z\"");
}

TEST(Autostart, OnWritesAValidEntryOffRemovesIt)
{
    TempDir config;
    const fs::path entry = config.path() / "new" / "autostart" / "tapfill.desktop";
    const std::string exec = tapfill::desktopExecArgument((config.path() / "my tools" / "tap%fill").string());

    auto result = tapfill::setAutostart(true, entry, exec);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.message, "wrote " + entry.string() + ": Tapfill starts with the desktop");
    EXPECT_TRUE(tapfill::autostartEnabled(entry));
    // An Exec= that needs quoting passes the checker; the package's e2e test
    // checks a plain one.
    if (std::system("command -v desktop-file-validate >/dev/null") == 0) {
        EXPECT_EQ(std::system(("desktop-file-validate '" + entry.string() + "'").c_str()), 0);
    }

    EXPECT_TRUE(tapfill::setAutostart(true, entry, "tapfill").ok) << "on twice replaces the entry";
    EXPECT_NE(config.read("new/autostart/tapfill.desktop").find("\nExec=tapfill\n"), std::string::npos);

    result = tapfill::setAutostart(false, entry, exec);
    EXPECT_TRUE(result.ok);
    EXPECT_FALSE(tapfill::autostartEnabled(entry));
    result = tapfill::setAutostart(false, entry, exec);
    EXPECT_TRUE(result.ok) << "off when already off is no failure";
    EXPECT_NE(result.message.find("does not start"), std::string::npos) << result.message;
}

TEST(Autostart, AnEntryThatCannotBeWrittenIsAFailureNamingThePlace)
{
    TempDir config;
    config.write("autostart", "a file where the folder belongs");
    const fs::path entry = config.path() / "autostart" / "tapfill.desktop";
    auto result = tapfill::setAutostart(true, entry, "tapfill");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find(entry.parent_path().string()), std::string::npos) << result.message;
    EXPECT_EQ(config.read("autostart"), "a file where the folder belongs");

    result = tapfill::setAutostart(true, {}, "tapfill");
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find("HOME"), std::string::npos);
}

TEST(CommandLine, AutostartTakesOnOrOff)
{
    using Action = tapfill::CommandLine::Action;
    auto line = tapfill::parseCommandLine({"--autostart", "on"});
    EXPECT_EQ(line.action, Action::SetAutostart);
    EXPECT_TRUE(line.autostart);
    line = tapfill::parseCommandLine({"--autostart=off"});
    EXPECT_EQ(line.action, Action::SetAutostart);
    EXPECT_FALSE(line.autostart);

    for (const auto& args : {std::vector<std::string>{"--autostart"}, {"--autostart", "yes"}, {"--autostart="}}) {
        line = tapfill::parseCommandLine(args);
        EXPECT_EQ(line.action, Action::Fail);
        EXPECT_NE(line.error.find("on or off"), std::string::npos) << line.error;
    }
}
