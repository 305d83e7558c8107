#pragma once
// Synthetic keystrokes on X11, typed with XTest into whichever window has
// the keyboard focus, as if they came from the keyboard.
//
// Sequences are typed one after another: a sequence asked for while another
// is still waiting to be processed waits its turn, so nothing typed later
// can overtake it. Each one is planned against the keyboard map and group
// in effect when it starts, typed with the user's modifiers out of the way
// (HeldModifiers), symbols missing from the layout typed through lent keys
// (LentKeys), and long texts in paced chunks so that the target keeps up.

#include "platform/KeySender.h"
#include "platform/x11/HeldModifiers.h"
#include "platform/x11/KeyNotation.h"
#include "platform/x11/LentKeys.h"

#include <QObject>

#include <deque>
#include <map>
#include <memory>
#include <optional>

namespace tapfill::platform::x11 {

class X11Connection;

class X11KeySender : public QObject, public KeySender {
    Q_OBJECT
public:
    explicit X11KeySender(std::shared_ptr<X11Connection> connection);
    ~X11KeySender() override;

    void send(const std::string& keys, Done done) override;
    void typeText(const std::string& text, Done done) override;
    ProgramName focusedProgram() override;

    /// How long a delivery waits for the user to let go of held modifiers
    /// before it releases them itself.
    static constexpr int HeldWaitMs = 500;
    static constexpr int HeldPollMs = 20;
    /// Long sequences go out this many keys at a time, this far apart:
    /// about 300 keys a second, which every target tried keeps up with.
    static constexpr std::size_t ChunkKeys = 8;
    static constexpr int ChunkMs = 25;

private:
    /// A keystroke resolved to keys of the current keyboard map.
    struct PlannedKey {
        std::vector<int> modifiers; // keycodes, pressed in order, released in reverse
        int keycode = 0;
        unsigned levelModifiers = 0; // the modifiers that choose the symbol's level
        unsigned long keysym = 0;
    };
    /// Keys typed while one set of keys is lent.
    struct Batch {
        std::map<int, unsigned long> lend;
        std::vector<PlannedKey> keys;
    };
    struct Job {
        std::vector<keys::KeyStroke> strokes;
        Done done;
        int waitedMs = 0;
        std::vector<Batch> batches;
        std::size_t batch = 0, next = 0; // progress
        unsigned generation = 0;         // of the keyboard map the plan holds for
    };

    void enqueue(std::vector<keys::KeyStroke> strokes, Done done);
    void startNext();
    void begin();
    void startBatch();
    void typeChunk();
    void endTyping();
    void fail(std::string reason);
    void finish(SendResult result);
    bool plan(Job& job, std::string& why);
    bool planStillHolds(const Batch& batch);
    void type(const PlannedKey& key);
    /// The program that made `window` (or the window it sits in).
    ProgramName programOf(unsigned long window);

    std::shared_ptr<X11Connection> connection_;
    HeldModifiers modifiers_;
    LentKeys lent_;
    std::deque<Job> queue_;
    bool busy_ = false;
    unsigned run_ = 0; // tells the timers of an ended job to do nothing
};

} // namespace tapfill::platform::x11
