#include "engine/PasteSettling.h"

#include <algorithm>

namespace tapfill::engine {

void PasteSettling::start(long program)
{
    state_ = State::Waiting;
    program_ = program;
    anyRead_ = taken_ = keysTyped_ = false;
}

void PasteSettling::keysIn(Clock::time_point at)
{
    keysIn_ = at;
    keysTyped_ = true;
    if (anyRead_)
        lastRead_ = std::max(lastRead_, at); // read before we heard the keys were in
}

void PasteSettling::onRead(Clock::time_point at, const platform::ClipboardRead& read)
{
    if (state_ == State::Idle || state_ == State::NotTaken)
        return;
    if (program_ != 0 && read.processId != program_)
        return; // another program: a clipboard manager, most likely
    if (state_ == State::Done) {
        lastRead_ = std::max(lastRead_, at); // still at the paste
        return;
    }
    if (state(at) != State::Waiting)
        return; // decided already, whether or not anyone has looked
    lastRead_ = anyRead_ ? std::max(lastRead_, at) : at;
    anyRead_ = true;
    taken_ = taken_ || read.content;
}

PasteSettling::Clock::time_point PasteSettling::decidedAt() const
{
    if (!keysTyped_)
        return Clock::time_point::max();
    // Asking for the formats shows a program at work on the paste, so
    // any read puts off the end of the wait.
    const Clock::time_point quiet = anyRead_ ? lastRead_ + QuietAfterRead : keysIn_;
    const Clock::time_point end = taken_ ? quiet : std::max(keysIn_ + TakeWithin, quiet);
    return std::min(end, keysIn_ + Longest);
}

PasteSettling::Clock::time_point PasteSettling::clipboardFreeAt() const
{
    return std::min(lastRead_ + QuietBeforeChange, keysIn_ + Longest);
}

PasteSettling::State PasteSettling::state(Clock::time_point now) const
{
    if (state_ != State::Waiting || !keysTyped_ || now < decidedAt())
        return state_;
    return taken_ ? State::Done : State::NotTaken;
}

} // namespace tapfill::engine
