// Files no Tapfill wrote: start-up must neither hang, crash nor flood memory,
// and the values the file cannot give stay as they were.
#include "StorageTestSupport.h"
#include "storage/DataFileIo.h"
#include "storage/DataFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace tapfill::storage;
using tapfill::storage::test::TempDir;
using tapfill::storage::test::writeBytes;

TEST(HostileFiles, SpecialFilesAreSkipped)
{
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir.path() / "F3.dat").c_str(), 0600), 0); // opening it must not block
    std::filesystem::create_directory(dir.path() / "TF.dat");
    std::filesystem::create_symlink("/dev/zero", dir.path() / "MLT1.DAT");
    OneLineFile oneLine{5, 6, {"keep"}};
    std::array<std::string, 11> personal{"keep"};
    std::array<std::string, 12> multiLine{"keep"};
    readOneLineFile(dir.path(), oneLine);
    readPersonalFile(dir.path(), personal);
    readMultiLineFiles(dir.path(), multiLine);
    EXPECT_EQ(oneLine.left, 5);
    EXPECT_EQ(oneLine.fields[0], "keep");
    EXPECT_EQ(personal[0], "keep");
    EXPECT_EQ(multiLine[0], "keep");
}

TEST(HostileFiles, OversizedFilesAreLeftAlone)
{
    TempDir dir;
    const auto tooBig = [&](const char* name) {
        writeBytes(dir.path() / name, "1\r\n2\r\nthree\r\n");
        std::filesystem::resize_file(dir.path() / name, MaxDataFileBytes + 1); // sparse: instant
    };
    tooBig("F3.dat");
    tooBig("MLT2.DAT");
    OneLineFile oneLine{5, 6, {"keep"}};
    std::array<std::string, 12> multiLine{"", "keep"};
    readOneLineFile(dir.path(), oneLine);
    readMultiLineFiles(dir.path(), multiLine);
    EXPECT_EQ(oneLine.left, 5);
    EXPECT_EQ(multiLine[1], "keep");

    std::filesystem::resize_file(dir.path() / "F3.dat", MaxDataFileBytes);
    readOneLineFile(dir.path(), oneLine);
    EXPECT_EQ(oneLine.left, 1);
    EXPECT_EQ(oneLine.fields[0], "three");
    EXPECT_EQ(oneLine.fields[1].size(), MaxDataFileBytes - 13); // the NUL padding, one line
}

TEST(HostileFiles, NulBytesAndMissingLineEndsAreKept)
{
    TempDir dir;
    writeBytes(dir.path() / "CAPTION.dat", std::string("a\0b\r\0\r\n\n", 8));
    std::array<std::string, 13> descriptions{};
    readCaptionFile(dir.path(), descriptions);
    EXPECT_EQ(descriptions[0], std::string("a\0b", 3));
    EXPECT_EQ(descriptions[1], std::string("\0", 1));
    EXPECT_EQ(descriptions[2], "\n");

    std::string noLineEnds(100000, 'z');
    writeBytes(dir.path() / "TF.dat", noLineEnds);
    std::array<std::string, 11> personal{"", "keep"};
    readPersonalFile(dir.path(), personal);
    EXPECT_EQ(personal[0], noLineEnds);
    EXPECT_EQ(personal[1], "keep");

    writeBytes(dir.path() / "TF.dat", std::string(50, '\r'));
    readPersonalFile(dir.path(), personal);
    EXPECT_EQ(personal, (std::array<std::string, 11>{}));
}
