// Saves that cannot complete: the failure is reported per file and every
// file that was not written keeps its old content.
#include "StorageTestSupport.h"
#include "storage/AtomicFile.h"
#include "storage/DataFileIo.h"
#include "storage/DataFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tapfill::storage;
using namespace tapfill::storage::test;

namespace {

std::string describe(const std::vector<WriteFailure>& failures)
{
    std::string text;
    for (const auto& failure : failures)
        text += failure.file + ": " + failure.reason + "\n";
    return text;
}

/// Runs `work` in a forked child and returns what it produced.
std::string inChild(const std::function<std::string()>& work)
{
    TempDir out;
    std::filesystem::permissions(out.path(), std::filesystem::perms::all); // for a child that gave root up
    const pid_t child = ::fork();
    if (child == 0) {
        out.write("result", work());
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return out.read("result");
}

std::string expectedForAll(const std::string& reason)
{
    std::string text = "F3.dat: " + reason + "\nCAPTION.dat: " + reason + "\n";
    for (int k = 0; k < 12; ++k)
        text += multiLineFileName(k) + ": " + reason + "\n";
    return text;
}

} // namespace

TEST(SaveFailures, AFolderThatCannotBeWrittenFailsEveryFileAndKeepsOldOnes)
{
    TempDir dir;
    ASSERT_TRUE(SaveSet("old").save(dir.path()).empty());
    const auto before = dir.snapshot();
    ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);

    // Root ignores permission bits, so the save runs in a child that gives
    // root up first (a user without root is refused by the bits alone).
    const std::string reported = inChild([&] {
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            return std::string("could not drop root");
        return describe(SaveSet("new").save(dir.path()))
            + describe({writePersonalFile(dir.path(), {}).value_or(WriteFailure{"TF.dat", "written"})});
    });
    EXPECT_EQ(reported, expectedForAll("Permission denied") + "TF.dat: Permission denied\n");
    EXPECT_EQ(dir.snapshot(), before);

    EXPECT_EQ(describe(SaveSet("new").save(dir.path() / "F3.dat" / "data")), expectedForAll("Not a directory"));
    EXPECT_EQ(describe(SaveSet("new").save(dir.path() / "missing")), expectedForAll("No such file or directory"));
}

TEST(SaveFailures, OneFailingFileDoesNotStopTheOthers)
{
    TempDir dir;
    ASSERT_TRUE(SaveSet("old").save(dir.path()).empty());
    std::filesystem::remove(dir.path() / "MLT3.DAT");
    std::filesystem::create_directory(dir.path() / "MLT3.DAT");
    dir.write("MLT3.DAT/inside", "kept");

    EXPECT_EQ(describe(SaveSet("new").save(dir.path())), "MLT3.DAT: Is a directory\n");
    EXPECT_EQ(dir.read("MLT3.DAT/inside"), "kept");
    std::array<std::string, 12> multiLine{};
    readMultiLineFiles(dir.path(), multiLine);
    EXPECT_EQ(multiLine[1], "new text\r\n1");
    EXPECT_EQ(multiLine[2], "");
    EXPECT_EQ(multiLine[3], "new text\r\n3");
}

TEST(SaveFailures, WriteFailingHalfwayKeepsTheOldFileWhole)
{
    // A file size limit makes the write fail partway through, as a full disk
    // would; it is one of the few such failures that root cannot bypass.
    TempDir dir;
    ASSERT_TRUE(SaveSet("old").save(dir.path()).empty());
    const auto before = dir.snapshot();
    SaveSet big("new");
    big.multiLine[4] = std::string(100000, 'x');

    const std::string reported = inChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{8192, 8192};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const int named = replaceFileAtomically(dir.path() / "TF.dat", big.multiLine[4], TempFile::Named);
        return describe(big.save(dir.path())) + "named: " + std::to_string(named) + "\n";
    });
    EXPECT_EQ(reported, "MLT5.DAT: File too large\nnamed: " + std::to_string(EFBIG) + "\n");
    const auto after = dir.snapshot();
    EXPECT_EQ(after.at("MLT5.DAT"), before.at("MLT5.DAT"));
    EXPECT_NE(after.at("MLT6.DAT"), before.at("MLT6.DAT"));
    EXPECT_EQ(after.size(), before.size()); // no temporary left, and no TF.dat
}

TEST(SaveFailures, TextTooLargeToReadBackIsRefused)
{
    TempDir dir;
    ASSERT_TRUE(SaveSet("old").save(dir.path()).empty());
    const std::string before = dir.read("MLT1.DAT");
    SaveSet huge("new");
    huge.multiLine[0] = std::string(MaxDataFileBytes, 'x');
    EXPECT_EQ(describe(huge.save(dir.path())), "MLT1.DAT: The text is too long to be stored (more than 16 MB)\n");
    EXPECT_EQ(dir.read("MLT1.DAT"), before);

    huge.multiLine[0].resize(MaxDataFileBytes - 2); // with its CR LF, just fits
    EXPECT_TRUE(huge.save(dir.path()).empty());
    EXPECT_EQ(SaveSet::load(dir.path()).multiLine[0].size(), MaxDataFileBytes - 2);
}

TEST(SavePermissions, NewFilesAreForTheOwnerOnlyAndReplacedOnesKeepModeAndOwner)
{
    TempDir dir;
    dir.write("F3.dat", "old");
    dir.write("MLT1.DAT", "old");
    ::chmod((dir.path() / "F3.dat").c_str(), 0644);
    ::chmod((dir.path() / "MLT1.DAT").c_str(), 0640);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown((dir.path() / "MLT1.DAT").c_str(), 1234, 4321), 0);
    }

    const mode_t oldMask = ::umask(0);
    const auto failures = SaveSet("new").save(dir.path());
    const auto personal = writePersonalFile(dir.path(), {});
    const int named = replaceFileAtomically(dir.path() / "named", "x", TempFile::Named);
    ::umask(oldMask);
    ASSERT_TRUE(failures.empty() && !personal && named == 0);
    for (const auto& name : dir.entries()) {
        struct stat info {};
        ASSERT_EQ(::stat((dir.path() / name).c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, name == "F3.dat" ? 0644u : name == "MLT1.DAT" ? 0640u : 0600u) << name;
        if (root && name == "MLT1.DAT") {
            EXPECT_TRUE(info.st_uid == 1234u && info.st_gid == 4321u);
        }
    }
}

TEST(SaveLeftovers, TemporariesOfAKilledSaveAreRemovedByTheNextGoodOne)
{
    TempDir dir;
    dir.write(".F3.dat.tmp-0123456789ab", "half");
    dir.write(".MLT12.DAT.tmp-x", "half");
    dir.write(".MLT1.DAT.tmp-y", "other file's");
    dir.write("notes.txt", "mine");
    ASSERT_FALSE(writeOneLineFile(dir.path(), {}));
    ASSERT_FALSE(writeMultiLineFile(dir.path(), 11, ""));
    EXPECT_EQ(dir.entries(), (std::set<std::string>{".MLT1.DAT.tmp-y", "F3.dat", "MLT12.DAT", "notes.txt"}));
    EXPECT_FALSE(isTemporaryFor(".MLT12.DAT.tmp-x", "MLT1.DAT"));
}
