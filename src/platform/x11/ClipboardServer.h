#pragma once
// The thread behind ClipboardOwner: its connection, what it serves, what it
// keeps. Everything here runs on that thread, except call(), which hands
// a job over from the user-interface thread and waits for its result.

#include "platform/x11/ClipboardOwner.h"

#include <xcb/xcb.h>

#include <chrono>
#include <deque>
#include <functional>
#include <future>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <vector>

namespace tapfill::platform::x11 {

using Clock = std::chrono::steady_clock;

/// One format of a clipboard's content, as the owner sent it.
struct ClipboardItem {
    xcb_atom_t target = XCB_NONE;
    xcb_atom_t type = XCB_NONE;
    std::uint8_t format = 8;     ///< 8, 16 or 32 bits per unit
    std::vector<std::uint8_t> data;
};
using ClipboardContent = std::vector<ClipboardItem>;

struct ClipboardOwner::Server {
    Server(ClipboardOwner& owner, xcb_connection_t* connection, xcb_window_t window);
    ~Server();

    /// Runs `job` on the server's thread and returns its result.
    template <typename Job>
    auto call(Job job) -> decltype(job())
    {
        std::packaged_task<decltype(job())()> task(std::move(job));
        auto result = task.get_future();
        {
            std::lock_guard lock(jobsMutex);
            jobs.emplace_back([&task] { task(); });
        }
        wake();
        return result.get();
    }

    // On the server's thread.
    void run();
    void wake();
    void handle(xcb_generic_event_t* event);
    void checkDeadlines();
    int msToNextDeadline() const;
    xcb_timestamp_t serverTime();
    bool take(ClipboardContent content, bool isText);
    void disown();
    void handOverAtExit();

    // Serving what Tapfill holds.
    void answer(const xcb_selection_request_event_t& request);
    bool convert(xcb_window_t requestor, xcb_atom_t target, xcb_atom_t property, bool& handedText);
    bool convertMultiple(xcb_window_t requestor, xcb_atom_t property, bool& handedText);
    void put(xcb_window_t requestor, xcb_atom_t property, const ClipboardItem& item, bool& handedText);
    void continueTransfer(xcb_window_t window, xcb_atom_t property);
    void sync();
    /// Tells the owner's user that `requestor` asked for Tapfill's text.
    void reportRead(xcb_window_t requestor, xcb_atom_t target, bool content);
    void logRequest(xcb_window_t requestor, xcb_atom_t target, const char* what);
    /// The process behind `requestor`'s client, looked up once per client.
    long readerProcess(xcb_window_t requestor);
    /// Whether a request for the text comes from a copy begun before the
    /// text was there, by another program than the one with the focus.
    bool staleCopy(const xcb_selection_request_event_t& request);

    // Keeping what another owner holds.
    void startKeeping(std::function<void()> ready);
    void onKeepNotify(const xcb_selection_notify_event_t& notify);
    void onKeepPart();
    void askForNextFormat();
    void endKeeping(bool kept);
    bool readKeepProperty(ClipboardItem& item, bool& incremental);

    xcb_atom_t atom(const char* name);

    ClipboardOwner& owner;
    xcb_connection_t* connection;
    xcb_window_t window;
    std::thread thread;
    int wakeFd = -1;
    bool quit = false;
    std::mutex jobsMutex;
    std::deque<std::function<void()>> jobs;
    std::deque<xcb_generic_event_t*> stashed; ///< events that came in while waiting for one

    struct {
        xcb_atom_t clipboard, targets, multiple, timestamp, saveTargets, incr, atomPair, integer,
            utf8String, string, text, textPlain, textPlainUtf8, passwordHint, keepProperty,
            deleteTarget, insertSelection, insertProperty;
    } atoms{};
    xcb_atom_t timeProperty = XCB_NONE;
    std::size_t chunkBytes = 0;
    std::uint32_t resourceMask = 0;      ///< the bits of an id that differ within one client
    std::map<std::uint32_t, long> readers; ///< client id base -> process, for the text served now
    /// Programs that asked which formats the user's content has, while
    /// Tapfill served it back; and, once a field is on the clipboard
    /// again, those of them that have not asked anew. A clipboard manager
    /// copying the user's content when a paste takes the clipboard would
    /// get the field under the formats of the user's content, without the
    /// hint that keeps it out of its history: it gets nothing instead.
    std::set<xcb_window_t> toldFormatsOfKept;
    std::set<xcb_window_t> toldFormatsBeforeText;

    // What Tapfill serves, and since when.
    /// Emptied: Tapfill left the clipboard without an owner for a paste of
    /// nothing; what was there before is given back like after a text.
    enum class Serving { Nothing, Text, Kept, Emptied } serving = Serving::Nothing;
    ClipboardContent served;
    xcb_timestamp_t ownedSince = 0;

    /// Large answers go out in parts, one each time the requestor has
    /// taken the last.
    struct Transfer {
        xcb_window_t requestor;
        xcb_atom_t property;
        ClipboardItem item;
        std::size_t offset = 0;
        bool text = false;
        Clock::time_point deadline;
    };
    std::vector<Transfer> transfers;

    /// What was there before Tapfill's text; empty content for an
    /// unowned clipboard, nothing when it could not be kept.
    std::optional<ClipboardContent> kept;
    struct Keeping {
        std::function<void()> ready;
        Clock::time_point deadline;
        bool haveFormats = false; ///< the answer to TARGETS is in
        std::vector<xcb_atom_t> formats;
        std::size_t next = 0;
        ClipboardContent content;
        std::size_t bytes = 0;
        std::optional<ClipboardItem> incremental; ///< a format coming in parts
    };
    std::optional<Keeping> keeping;
};

} // namespace tapfill::platform::x11
