// When a program is done taking a paste, from the reads it makes: the read
// patterns below are those logged from real programs at a paste
// (QT_LOGGING_RULES=tapfill.paste.debug=true), times in ms after the paste
// keys reached the program.

#include "engine/PasteSettling.h"

#include <gtest/gtest.h>

#include <vector>

namespace tapfill::test {
namespace {

using engine::PasteSettling;
using State = PasteSettling::State;
using Ms = std::chrono::milliseconds;

constexpr long Target = 4242;
constexpr long ClipboardManager = 777;

struct Read {
    int atMs;
    bool content = true;
    long process = Target;
};

struct Watch {
    PasteSettling settling;
    PasteSettling::Clock::time_point keysIn{std::chrono::seconds(1000)};

    explicit Watch(const std::vector<Read>& reads, long program = Target)
    {
        settling.start(program);
        settling.keysIn(keysIn);
        for (const Read& read : reads)
            settling.onRead(at(read.atMs), platform::ClipboardRead{read.process, read.content});
    }
    PasteSettling::Clock::time_point at(int ms) const { return keysIn + Ms(ms); }
    State stateAt(int ms) const { return settling.state(at(ms)); }
    int decidedMs() const
    {
        return static_cast<int>(std::chrono::duration_cast<Ms>(settling.decidedAt() - keysIn).count());
    }
};

TEST(PasteSettling, DoneOnlyAfterTheLastReadOfEveryKnownProgramsBurst)
{
    const int quiet = static_cast<int>(PasteSettling::QuietAfterRead.count());
    struct Program {
        const char* name;
        std::vector<Read> reads;
    };
    const Program programs[] = {
        {"Tk, GTK, Qt", {{2, false}, {3}}},
        {"xfce4-terminal", {{8}, {8}}},
        {"Chromium, text read again 5..15 ms later amid lists of formats",
         {{3, false}, {4}, {5, false}, {6, false}, {8, false}, {9}, {10, false}, {15, false}, {16, false}}},
        {"LibreOffice Calc, text read twice 100 ms apart", {{9}, {110}}},
        {"Emacs, pasting for the first time", {{161}}},
        {"a large text handed over in parts", {{1, false}, {40}, {80}, {120}, {160}}},
    };
    for (const Program& program : programs) {
        const Watch watch(program.reads);
        const int last = program.reads.back().atMs;
        EXPECT_EQ(watch.stateAt(last), State::Waiting) << program.name;
        EXPECT_EQ(watch.stateAt(last + quiet - 1), State::Waiting) << program.name;
        EXPECT_EQ(watch.stateAt(last + quiet), State::Done) << program.name;
        EXPECT_EQ(watch.decidedMs(), last + quiet) << program.name;
    }
}

TEST(PasteSettling, NotTakenWithoutAReadOfTheTextByTheFocusedProcess)
{
    const int within = static_cast<int>(PasteSettling::TakeWithin.count());
    // Nothing at all; a clipboard manager's copy; only the list of formats.
    for (const auto& reads : {std::vector<Read>{}, std::vector<Read>{{5, true, ClipboardManager}},
                              std::vector<Read>{{5, false}}}) {
        const Watch watch(reads);
        EXPECT_EQ(watch.stateAt(within - 1), State::Waiting);
        EXPECT_EQ(watch.stateAt(within), State::NotTaken);
    }
    // A program still asking for the formats at the end of the wait is
    // given the quiet time to ask for the text.
    Watch late({{within - 10, false}});
    EXPECT_EQ(late.stateAt(within), State::Waiting);
    late.settling.onRead(late.at(within + 50), platform::ClipboardRead{Target, true});
    EXPECT_EQ(late.stateAt(within + 50 + static_cast<int>(PasteSettling::QuietAfterRead.count())), State::Done);
}

TEST(PasteSettling, ReadsOfOtherProcessesNeitherTakeNorDelayTheirPaste)
{
    const int quiet = static_cast<int>(PasteSettling::QuietAfterRead.count());
    const Watch watch({{3}, {200, true, ClipboardManager}});
    EXPECT_EQ(watch.stateAt(3 + quiet), State::Done);

    // Where the focused process cannot be told, any read counts.
    const Watch unknown({{5, true, ClipboardManager}}, 0);
    EXPECT_EQ(unknown.stateAt(5 + quiet), State::Done);
}

TEST(PasteSettling, AProgramThatNeverStopsAskingIsDoneAtTheLongestWait)
{
    Watch watch(std::vector<Read>{{1}});
    const int longest = static_cast<int>(PasteSettling::Longest.count());
    for (int ms = 50; ms < longest + 1000; ms += 50)
        watch.settling.onRead(watch.at(ms), platform::ClipboardRead{Target, false});
    EXPECT_EQ(watch.stateAt(longest - 1), State::Waiting);
    EXPECT_EQ(watch.stateAt(longest), State::Done);
}

TEST(PasteSettling, AReadHeardOfBeforeTheKeysCountsFromTheirArrival)
{
    // The program's read can reach Tapfill before the news that its keys
    // are in: it is not missed, and the quiet time runs from the keys on.
    PasteSettling settling;
    settling.start(Target);
    const auto keysIn = PasteSettling::Clock::time_point(std::chrono::seconds(1000));
    settling.onRead(keysIn - Ms(1), platform::ClipboardRead{Target, true});
    EXPECT_EQ(settling.state(keysIn + Ms(5000)), State::Waiting) << "nothing is decided before the keys are in";
    settling.keysIn(keysIn);
    EXPECT_EQ(settling.state(keysIn + PasteSettling::QuietAfterRead - Ms(1)), State::Waiting);
    EXPECT_EQ(settling.state(keysIn + PasteSettling::QuietAfterRead), State::Done);
}

TEST(PasteSettling, AReadAfterTheDecisionChangesNothing)
{
    const int within = static_cast<int>(PasteSettling::TakeWithin.count());
    Watch watch(std::vector<Read>{});
    watch.settling.onRead(watch.at(within + 5), platform::ClipboardRead{Target, true});
    EXPECT_EQ(watch.stateAt(within + 5), State::NotTaken) << "the delivery has stopped by then";
}

} // namespace
} // namespace tapfill::test
