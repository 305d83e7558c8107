// A save killed at any moment leaves each file wholly old or wholly new.
#include "StorageTestSupport.h"
#include "storage/AtomicFile.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    return reference.snapshot();
}

} // namespace

TEST(InterruptedSave, EverySavedFileIsWhollyOldOrWhollyNew)
{
    // Texts large enough that a kill often lands inside a write; a child
    // saves over and over and is killed after a random pause.
    TempDir dir;
    const SaveSet a("a☃", 100000), b("b", 100000);
    const auto aFiles = savedBytes(a), bFiles = savedBytes(b);
    ASSERT_EQ(aFiles.size(), 14u);
    ASSERT_TRUE(a.save(dir.path()).empty());

    std::mt19937 random(std::random_device{}());
    int mixed = 0;
    for (int round = 0; round < 20; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                b.save(dir.path());
                a.save(dir.path());
            }
        }
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 40000)(random));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);

        std::set<char> generations;
        for (const auto& name : dir.entries()) {
            if (std::ranges::any_of(aFiles, [&](const auto& file) { return isTemporaryFor(name, file.first); }))
                continue; // never read; removed by the next save of its file
            ASSERT_TRUE(aFiles.contains(name)) << "unexpected file " << name;
            const std::string bytes = dir.read(name);
            ASSERT_TRUE(bytes == aFiles.at(name) || bytes == bFiles.at(name))
                << name << " is half written (" << bytes.size() << " bytes), round " << round;
            generations.insert(bytes == aFiles.at(name) ? 'a' : 'b');
        }
        mixed += generations.size() == 2;
    }
    std::cout << "[ info     ] saves killed between two of their files: " << mixed << " of 20\n";

    ASSERT_TRUE(b.save(dir.path()).empty());
    EXPECT_EQ(dir.snapshot(), bFiles); // no temporary left
}
