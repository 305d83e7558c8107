#pragma once
// Synthetic keystrokes on Windows with SendInput, into whichever window has
// the keyboard focus. Sequences go out one after another; long ones in
// paced chunks, so that a slow program's input queue keeps up. The
// modifiers the user holds (Shift would make Ctrl+V Ctrl+Shift+V, Alt
// would make Tab Alt+Tab) are released for the sequence and pressed again
// afterwards, if the user still holds them then.
//
// `done` runs once the keys went out: whether a paste has been taken is
// learnt from the clipboard, where the program asks for the text.

#include "platform/KeySender.h"
#include "platform/windows/LowLevelInput.h"
#include "platform/windows/UiThread.h"

#include <deque>
#include <memory>
#include <vector>

namespace tapfill::platform::windows {

class WindowsKeySender : public KeySender {
public:
    WindowsKeySender(UiThread& ui, std::shared_ptr<LowLevelInput> input);
    ~WindowsKeySender() override;

    void send(const std::string& keys, Done done) override;
    void typeText(const std::string& text, Done done) override;
    ProgramName focusedProgram() override;

    /// Long sequences go out this many events at a time, this far apart.
    static constexpr std::size_t ChunkEvents = 64;
    static constexpr unsigned ChunkMs = 8;

private:
    struct Job {
        std::vector<INPUT> inputs;
        Done done;
        std::size_t next = 0;
        std::vector<unsigned short> released; // the user's modifiers, to press again
    };

    void enqueue(std::vector<INPUT> inputs, Done done);
    void startNext();
    void sendChunk();
    void finish(SendResult result);
    /// Why nothing may be typed into the focused window now; "" when it may.
    std::string refusal();

    UiThread& ui_;
    std::shared_ptr<LowLevelInput> input_;
    std::deque<Job> queue_;
    bool busy_ = false;
    unsigned timer_ = 0;
    std::shared_ptr<int> alive_ = std::make_shared<int>(); // for work posted to the UI thread
};

} // namespace tapfill::platform::windows
