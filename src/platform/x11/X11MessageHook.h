#pragma once
// The system-wide message hook on X11: reports button presses and releases
// and one key pressed anywhere on the desktop, taking nothing from the
// program that receives them. It listens to XInput 2 raw events, which the
// server sends to any client that asks, grabs or not.

#include "platform/MessageHook.h"

#include <memory>

namespace tapfill::platform::x11 {

class X11Connection;
struct RawInput;

class X11MessageHook : public MessageHook {
public:
    explicit X11MessageHook(std::shared_ptr<X11Connection> connection);
    ~X11MessageHook() override;

    void watch(std::vector<MouseMessage> messages, WatchedKey key) override;
    void setPasteModeKey(const KeyChord& key) override;

private:
    void onRawInput(const RawInput& input);
    bool watches(MouseMessage message) const;

    std::shared_ptr<X11Connection> connection_;
    int listenerId_ = 0;
    std::vector<MouseMessage> messages_;
    WatchedKey key_ = WatchedKey::None;
    unsigned long pasteModeKeysym_ = 0xffc9; // F12
    unsigned pasteModeModifiers_ = 0;        // X modifier mask
    bool keyDown_ = false;
};

} // namespace tapfill::platform::x11
