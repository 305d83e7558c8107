#pragma once
// Tells when the program that was sent Ctrl+V has been given the clipboard's
// text. Keys typed before that can overtake the paste: Tk, for one, waits
// for the text in a nested loop that handles the keys already queued, so an
// Enter typed right after Ctrl+V lands before the text.
//
// Tapfill owns the clipboard through Qt's connection, so the target's
// SelectionRequest arrives there and a native event filter sees it before Qt
// answers. Qt answers by writing the text into a property of the
// requestor's window and then sending it SelectionNotify. So the filter
// starts watching that window's properties on Tapfill's own connection, and
// once Qt has handled the request, a round trip on Qt's connection proves
// that the server has passed the answer on: from then on, any key typed
// reaches the target after the answer. Whether the answer carried the text
// shows in the property: a request Qt refuses (GTK first asks for a format
// Qt does not offer, then for another) leaves it untouched, and the wait
// goes on for the next request. A short quiet time after the last change of
// the property covers large texts sent in parts (INCR) and targets that
// insert the text a moment later. Requests for the list of TARGETS do not
// count; a target that never asks ends the wait with a fallback timer, and
// is reported as not having fetched the paste.

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

namespace tapfill::platform::x11 {

class X11Connection;
struct PropertyChange;

class PasteFetchWatcher : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit PasteFetchWatcher(std::shared_ptr<X11Connection> connection);
    ~PasteFetchWatcher() override;

    /// Quiet time after the text was handed over, and the longest wait.
    static constexpr int SettleMs = 10;
    static constexpr int FallbackMs = 400;

    /// Starts waiting. Only requests from windows of the client that owns
    /// `focusWindow` count (a clipboard manager asks too); 0 accepts any.
    /// `finished` runs once, from the event loop; `fetched` is false when
    /// the longest wait ran out before any answer was handed over.
    void start(unsigned long focusWindow, std::function<void(bool fetched)> finished);

    /// Whether two windows were made by the same client (false when that
    /// cannot be told).
    bool sameClient(unsigned long a, unsigned long b) const;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void checkAnswer();
    void onPropertyChange(const PropertyChange& change);
    void stopWatchingRequestor();
    void finish(bool fetched);

    std::shared_ptr<X11Connection> connection_;
    int listenerId_ = 0;
    unsigned clipboardAtom_ = 0, targetsAtom_ = 0, multipleAtom_ = 0, timestampAtom_ = 0;
    unsigned long resourceMask_ = 0;
    unsigned long focusClient_ = 0;
    unsigned long requestor_ = 0; // the window the text goes to, once asked
    unsigned long property_ = 0;  // the property it comes in
    bool answered_ = false;       // Qt wrote the property
    bool handedOver_ = false;     // some answer of this wait carried the text
    bool checking_ = false;       // checkAnswer() is queued
    std::function<void(bool)> finished_;
    QTimer settle_;
    QTimer fallback_;
};

} // namespace tapfill::platform::x11
