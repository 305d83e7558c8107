// Replacing data files on Windows: the old file stays whole whenever the new
// one cannot take its place, and no temporary is left either way.
#include "storage/AtomicFile.h"
#include "storage/DataFiles.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace tapfill::storage;
using tapfill::test::TempDir;

TEST(FileReplacement, ReplacesWholeFilesAndRemovesLeftoversInAnyFolderName)
{
    TempDir top;
    const auto dir = top.path() / L"Daten \u00fc\u20ac";
    std::filesystem::create_directory(dir);
    {
        std::ofstream(dir / ".F3.dat.tmp-0123456789ab") << "half of a killed save";
        std::ofstream(dir / "F3.dat") << "old";
    }
    ASSERT_EQ(replaceFileAtomically(dir / "F3.dat", "new\r\nbytes"), 0);
    ASSERT_EQ(replaceFileAtomically(dir / "TF.dat", "fresh"), 0);
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"F3.dat", "TF.dat"}));
    std::ifstream in(dir / "F3.dat", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "new\r\nbytes");
}

TEST(FileReplacement, AFileThatCannotBeReplacedKeepsItsOldBytes)
{
    TempDir dir;
    dir.write("F3.dat", "old");
    std::filesystem::create_directory(dir.path() / "MLT3.DAT");
    EXPECT_NE(replaceFileAtomically(dir.path() / "MLT3.DAT", "new"), 0) << "a folder";
    EXPECT_EQ(replaceFileAtomically(dir.path() / "missing" / "TF.dat", "new"), ENOENT);
    EXPECT_EQ(replaceFileAtomically(dir.path() / "F3.dat" / "TF.dat", "new"), ENOTDIR);
    EXPECT_EQ(dir.entries(), (std::set<std::string>{"F3.dat", "MLT3.DAT"}));
    EXPECT_EQ(dir.read("F3.dat"), "old");
}
