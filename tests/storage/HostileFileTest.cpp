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

TEST(HostileFiles, SpecialAndOversizedFilesAreLeftAlone)
{
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir.path() / "F3.dat").c_str(), 0600), 0); // opening it must not block
    std::filesystem::create_directory(dir.path() / "TF.dat");
    std::filesystem::create_symlink("/dev/zero", dir.path() / "MLT1.DAT");
    dir.write("MLT2.DAT", "x\r\n");
    std::filesystem::resize_file(dir.path() / "MLT2.DAT", MaxDataFileBytes + 1); // sparse: instant
    OneLineFile oneLine{5, 6, {"keep"}};
    std::array<std::string, 11> personal{"keep"};
    std::array<std::string, 12> multiLine{"keep", "keep"};
    readOneLineFile(dir.path(), oneLine);
    readPersonalFile(dir.path(), personal);
    readMultiLineFiles(dir.path(), multiLine);
    EXPECT_EQ(oneLine.left, 5);
    EXPECT_EQ(oneLine.fields[0], "keep");
    EXPECT_EQ(personal[0], "keep");
    EXPECT_EQ(multiLine, (std::array<std::string, 12>{"keep", "keep"}));

    // A file of just the largest size is read.
    std::filesystem::remove(dir.path() / "F3.dat");
    dir.write("F3.dat", "1\r\n2\r\nthree\r\n");
    std::filesystem::resize_file(dir.path() / "F3.dat", MaxDataFileBytes);
    readOneLineFile(dir.path(), oneLine);
    EXPECT_EQ(oneLine.left, 1);
    EXPECT_EQ(oneLine.fields[0], "three");
    EXPECT_EQ(oneLine.fields[1].size(), MaxDataFileBytes - 13); // the NUL padding, one line
}
