#pragma once
// Tells when the program that was sent the paste keys has been handed
// Tapfill's text. Keys typed before that can overtake the paste: Tk, for
// one, waits for the text in a nested loop that handles the keys already
// queued, so an Enter typed right after Ctrl+V lands before the text.
//
// The clipboard owner reports each handing over once the answer is with
// the server. Only requests from the client that owns the focused window
// count (a clipboard manager asks too). A short quiet time after the last
// one covers targets that ask for several formats or insert the text a
// moment later. A program that never asks ends the wait with a fallback
// timer: it did not take the paste.

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

namespace tapfill::platform::x11 {

class ClipboardOwner;

class PasteFetchWatcher : public QObject {
    Q_OBJECT
public:
    explicit PasteFetchWatcher(std::shared_ptr<ClipboardOwner> clipboard);
    ~PasteFetchWatcher() override;

    /// Quiet time after the text was handed over, and the longest wait.
    static constexpr int SettleMs = 10;
    static constexpr int FallbackMs = 400;

    /// Starts waiting. Only requests from windows of the client that owns
    /// `focusWindow` count; 0 accepts any. `finished` runs once, from the
    /// event loop, with whether the text was handed over.
    void start(unsigned long focusWindow, std::function<void(bool fetched)> finished);

private:
    void onTextFetched(unsigned long requestor);
    void finish(bool fetched);

    std::shared_ptr<ClipboardOwner> clipboard_;
    unsigned long focusClient_ = 0;
    bool fetched_ = false;
    std::function<void(bool)> finished_;
    QTimer settle_;
    QTimer fallback_;
};

} // namespace tapfill::platform::x11
