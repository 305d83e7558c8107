#include "engine/PasteSettling.h"

#include <algorithm>

namespace tapfill::engine {

void PasteSettling::start(Clock::time_point keysIn, long program)
{
    state_ = State::Waiting;
    program_ = program;
    keysIn_ = keysIn;
    anyRead_ = taken_ = false;
}

void PasteSettling::onRead(Clock::time_point at, const platform::ClipboardRead& read)
{
    if (state_ != State::Waiting)
        return;
    if (program_ != 0 && read.processId != program_)
        return; // another program: a clipboard manager, most likely
    if (state(at) != State::Waiting)
        return; // decided already, whether or not anyone has looked
    anyRead_ = true;
    lastRead_ = std::max(lastRead_, at);
    taken_ = taken_ || read.content;
}

PasteSettling::Clock::time_point PasteSettling::decidedAt() const
{
    // Asking for the formats shows a program at work on the paste, so
    // any read puts off the end of the wait.
    const Clock::time_point quiet = anyRead_ ? lastRead_ + QuietAfterRead : keysIn_;
    const Clock::time_point end = taken_ ? quiet : std::max(keysIn_ + TakeWithin, quiet);
    return std::min(end, keysIn_ + Longest);
}

PasteSettling::State PasteSettling::state(Clock::time_point now) const
{
    if (state_ != State::Waiting || now < decidedAt())
        return state_;
    return taken_ ? State::Done : State::NotTaken;
}

} // namespace tapfill::engine
