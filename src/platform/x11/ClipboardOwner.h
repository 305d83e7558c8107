#pragma once
// The CLIPBOARD selection as Tapfill holds it. Tapfill's text is served from
// a window of its own, on a connection and a thread of its own, for three
// reasons:
// - it is offered exactly as wanted: the text formats and the hint that
//   keeps it out of clipboard histories, and no SAVE_TARGETS, so nothing
//   asks a clipboard manager to keep a field;
// - what the user had copied before can be kept in every format the owner
//   offered and served back byte for byte;
// - Tapfill's own windows read the clipboard with a call that blocks their
//   thread until the owner answers, so the owner must not share that thread.
//
// The owner also tells which process asked for Tapfill's text and when,
// which is how a delivery knows that the paste happened and is over.

#include "platform/Clipboard.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <string>

namespace tapfill::platform::x11 {

class ClipboardOwner : public QObject {
    Q_OBJECT
public:
    /// Connects to `displayName` (DISPLAY when empty) and starts serving.
    /// Nothing and an explanation in `error` when it cannot.
    static std::unique_ptr<ClipboardOwner> open(const std::string& displayName, std::string& error);
    ~ClipboardOwner() override;

    /// The longest wait for the old content, and the most of it kept.
    static constexpr int KeepMs = 200;
    static constexpr std::size_t KeepBudgetBytes = 64u << 20;
    /// The longest a clipboard manager may take, at exit, to copy the
    /// user's content that Tapfill holds after giving it back.
    static constexpr int HandOverMs = 1000;

    /// Puts UTF-8 text on the clipboard. False when the server gave the
    /// selection to someone else meanwhile.
    bool setText(const std::string& utf8);
    /// Leaves the clipboard without an owner.
    void clear();
    /// See platform::Clipboard::keep() and giveBack(). `ready` runs on this
    /// object's thread.
    void keep(std::function<void()> ready);
    void giveBack();

    /// Whether Tapfill's text is on the clipboard now.
    bool holdsText() const { return holdsText_; }
    /// The window that owns the clipboard for Tapfill.
    unsigned long window() const { return window_; }

    /// Runs on this object's thread each time a program has asked for
    /// Tapfill's text: its list of formats, the text, each part of a large
    /// one. By then the answer is with the server, so any key typed
    /// afterwards reaches the program after the text.
    std::function<void(const ClipboardRead&)> onTextRead;

    struct Server;

private:
    ClipboardOwner() = default;
    void reportRead(const ClipboardRead& read);

    std::unique_ptr<Server> server_;
    std::atomic<bool> holdsText_{false};
    unsigned long window_ = 0;
    friend struct Server;
};

} // namespace tapfill::platform::x11
