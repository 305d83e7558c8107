#pragma once
// Synthetic keystrokes on X11, typed with XTest into whichever window has
// the keyboard focus, as if they came from the keyboard.
//
// Sequences are typed one after another: a sequence asked for while another
// is still waiting to be processed waits its turn, so nothing typed later
// can overtake it.

#include "platform/KeySender.h"
#include "platform/x11/KeyNotation.h"

#include <QObject>

#include <deque>
#include <memory>
#include <optional>

namespace tapfill::platform::x11 {

class X11Connection;
class PasteFetchWatcher;

class X11KeySender : public QObject, public KeySender {
    Q_OBJECT
public:
    explicit X11KeySender(std::shared_ptr<X11Connection> connection);
    ~X11KeySender() override;

    void send(const std::string& keys, std::function<void(bool typed)> done) override;

private:
    struct Job {
        std::vector<keys::KeyStroke> strokes;
        std::function<void(bool)> done;
    };
    /// A keystroke resolved to keys of the current keyboard map.
    struct PlannedKey {
        std::vector<int> modifiers; // keycodes, pressed in order, released in reverse
        int keycode = 0;
    };

    void startNext();
    void finish(bool typed);
    std::optional<std::vector<PlannedKey>> plan(const std::vector<keys::KeyStroke>& strokes);
    void type(const std::vector<PlannedKey>& keys);
    /// The window that will fetch a paste, or nothing when no one will ask
    /// Tapfill for the clipboard (it does not own it, or pastes into itself).
    std::optional<unsigned long> pasteFetcher();

    std::shared_ptr<X11Connection> connection_;
    std::unique_ptr<PasteFetchWatcher> watcher_;
    std::deque<Job> queue_;
    bool busy_ = false;
};

} // namespace tapfill::platform::x11
