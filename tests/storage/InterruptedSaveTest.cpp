// A save killed at any moment leaves each file wholly old or wholly new.
#include "StorageTestSupport.h"
#include "storage/AtomicFile.h"
#include "storage/DataFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <iostream>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

using namespace tapfill::storage;
using namespace tapfill::storage::test;

namespace {

/// What saving `set` writes, file by file.
std::map<std::string, std::string> savedBytes(const SaveSet& set)
{
    TempDir reference;
    EXPECT_TRUE(set.save(reference.path()).empty());
    return snapshot(reference.path());
}

/// Starts `work` in a child over and over and kills it after a random pause
/// of up to `maxPause`, `rounds` times, calling `check` after each kill.
template <typename Work, typename Check>
void killRepeatedly(int rounds, useconds_t maxPause, Work work, Check check)
{
    std::mt19937 random(std::random_device{}());
    for (int round = 0; round < rounds; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;)
                work();
        }
        ::usleep(std::uniform_int_distribution<useconds_t>(0, maxPause)(random));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        check(round);
    }
}

bool isTemporary(const std::string& entry, const std::map<std::string, std::string>& files)
{
    for (const auto& [name, bytes] : files) {
        if (isTemporaryFor(entry, name))
            return true;
    }
    return false;
}

} // namespace

TEST(InterruptedSave, AFileBeingReplacedIsNeverSeenHalfWritten)
{
    TempDir dir;
    const auto target = dir.path() / "MLT1.DAT";
    const std::string a(4 << 20, 'a'), b(4 << 20, 'b');
    ASSERT_EQ(replaceFileAtomically(target, a), 0);
    killRepeatedly(
        20, 30000,
        [&] {
            replaceFileAtomically(target, b);
            replaceFileAtomically(target, a, TempFile::Named);
        },
        [&](int round) {
            const std::string bytes = readBytes(target);
            ASSERT_TRUE(bytes == a || bytes == b) << "half written (" << bytes.size() << " bytes), round " << round;
        });
    ASSERT_EQ(replaceFileAtomically(target, a), 0);
    EXPECT_EQ(entries(dir.path()), std::set<std::string>{"MLT1.DAT"});
}

TEST(InterruptedSave, EverySavedFileIsWhollyOldOrWhollyNew)
{
    // Texts large enough that a kill often lands inside a write.
    TempDir dir;
    const SaveSet a("a☃", 100000), b("b", 100000);
    const auto aFiles = savedBytes(a), bFiles = savedBytes(b);
    ASSERT_EQ(aFiles.size(), 14u);
    ASSERT_TRUE(a.save(dir.path()).empty());

    int mixed = 0;
    killRepeatedly(
        15, 40000,
        [&] {
            b.save(dir.path());
            a.save(dir.path());
        },
        [&](int round) {
            std::set<char> generations;
            for (const auto& name : entries(dir.path())) {
                if (isTemporary(name, aFiles))
                    continue; // never read; removed by the next save of its file
                ASSERT_TRUE(aFiles.contains(name)) << "unexpected file " << name;
                const std::string bytes = readBytes(dir.path() / name);
                ASSERT_TRUE(bytes == aFiles.at(name) || bytes == bFiles.at(name))
                    << name << " is half written (" << bytes.size() << " bytes), round " << round;
                generations.insert(bytes == aFiles.at(name) ? 'a' : 'b');
            }
            mixed += generations.size() == 2;
        });
    std::cout << "[ info     ] saves killed between two of their files: " << mixed << " of 15\n";

    ASSERT_TRUE(b.save(dir.path()).empty());
    EXPECT_EQ(snapshot(dir.path()), bFiles); // no temporary left
}
