// Which folder a copy keeps its data in, and making that folder. A portable
// copy's data beside it, and --data-dir, are met by test_windows_program.
#include "app/DataLocation.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using tapfill::DataLocation;
using tapfill::DataLocationInputs;
using tapfill::test::TempDir;
namespace fs = std::filesystem;

namespace {

unsigned mode(const fs::path& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

/// Whether the folder counts as installed for a user that is not root:
/// root may write anywhere, so a child process gives root up first.
bool installedForAnOrdinaryUser(const fs::path& folder)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        ::_exit(tapfill::isInstalledCopy(folder, "/nonexistent/bin") ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) < 2) << "could not drop root";
    return WIFEXITED(status) && WEXITSTATUS(status) == 1;
}

} // namespace

TEST(DataLocation, AnInstalledCopyIsOneInTheInstallFolderOrInAFolderItCannotWrite)
{
    TempDir program;
    fs::create_directory(program.path() / "bin");
    fs::create_directory_symlink(program.path() / "bin", program.path() / "link");
    // Root may write to the install folder; the copy there is installed all the same,
    // also when reached by another name.
    EXPECT_TRUE(tapfill::isInstalledCopy(program.path() / "bin", program.path() / "bin"));
    EXPECT_TRUE(tapfill::isInstalledCopy(program.path() / "link", program.path() / "bin"));
    EXPECT_FALSE(tapfill::isInstalledCopy(program.path(), program.path() / "bin"));
    EXPECT_FALSE(tapfill::isInstalledCopy(program.path(), ""));

    ASSERT_EQ(::chmod(program.path().c_str(), 0555), 0);
    EXPECT_TRUE(installedForAnOrdinaryUser(program.path()));
    ASSERT_EQ(::chmod(program.path().c_str(), 0777), 0);
    EXPECT_FALSE(installedForAnOrdinaryUser(program.path()));
}

TEST(DataLocation, AnInstalledCopyUsesTheUsersDataFolderAsTheBaseDirectoryRulesSay)
{
    TempDir bin;
    DataLocationInputs inputs{{}, bin.path(), bin.path(), "/x/data", "/x/home"};
    auto location = tapfill::chooseDataLocation(inputs);
    EXPECT_EQ(location.kind, DataLocation::Kind::UserData);
    EXPECT_EQ(location.folder, "/x/data/tapfill");

    for (const auto& ignored : {std::optional<std::string>(), std::optional<std::string>(""),
                                std::optional<std::string>("relative/data")}) {
        inputs.xdgDataHome = ignored;
        EXPECT_EQ(tapfill::chooseDataLocation(inputs).folder, "/x/home/.local/share/tapfill")
            << "XDG_DATA_HOME=" << ignored.value_or("(unset)");
    }

    inputs.home = "home";
    location = tapfill::chooseDataLocation(inputs);
    EXPECT_TRUE(location.folder.empty());
    EXPECT_NE(location.error.find("--data-dir"), std::string::npos) << location.error;
    EXPECT_NE(tapfill::describeDataLocation(location).find(location.error), std::string::npos);
}

TEST(DataLocation, TheDataDirOptionWinsForEveryCopy)
{
    TempDir bin;
    for (const fs::path& installIn : {bin.path(), fs::path("/nonexistent")}) {
        const auto location = tapfill::chooseDataLocation({"/my/data", bin.path(), installIn, "/x/data", "/x/home"});
        EXPECT_EQ(location.kind, DataLocation::Kind::Requested);
        EXPECT_EQ(location.folder, "/my/data");
    }
}

TEST(DataLocation, TheUsersDataFolderIsMadePrivateOnFirstUseAndLeftAloneLater)
{
    TempDir base;
    const fs::path folder = base.path() / "share" / "tapfill";
    std::string error;
    EXPECT_EQ(tapfill::prepareDataFolder({DataLocation::Kind::UserData, folder, {}}, error), folder) << error;
    EXPECT_EQ(mode(folder), 0700u);
    EXPECT_EQ(mode(base.path() / "share"), 0700u);

    std::ofstream(folder / "F3.dat") << "kept";
    ASSERT_EQ(::chmod(folder.c_str(), 0750), 0);
    EXPECT_EQ(tapfill::prepareDataFolder({DataLocation::Kind::UserData, folder, {}}, error), folder);
    EXPECT_EQ(mode(folder), 0750u) << "an existing folder keeps its mode";
    EXPECT_TRUE(fs::exists(folder / "F3.dat"));
}

TEST(DataLocation, AFolderThatCannotBeUsedIsReportedByName)
{
    TempDir base;
    base.write("file", "not a folder");
    std::string error;
    const fs::path blocked = base.path() / "file" / "tapfill";
    EXPECT_TRUE(tapfill::prepareDataFolder({DataLocation::Kind::UserData, blocked, {}}, error).empty());
    EXPECT_EQ(error, "cannot create the data folder " + blocked.string() + ": Not a directory");
    EXPECT_EQ(base.read("file"), "not a folder");

    // Named folders are used as they are, never made.
    const fs::path missing = base.path() / "missing";
    EXPECT_TRUE(tapfill::prepareDataFolder({DataLocation::Kind::Requested, missing, {}}, error).empty());
    EXPECT_EQ(error, "data folder " + missing.string() + " does not exist or is not a folder");
    EXPECT_FALSE(fs::exists(missing));
}
