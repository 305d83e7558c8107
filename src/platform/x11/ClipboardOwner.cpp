#include "platform/x11/ClipboardOwner.h"

#include "platform/x11/ClipboardServer.h"
#include "platform/x11/PasteLog.h"
#include "storage/Utf8.h"

#include <QMetaObject>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace tapfill::platform::x11 {
namespace {

/// Tapfill's text in ISO Latin-1, for programs that ask for STRING; what
/// Latin-1 lacks becomes '?'.
std::string latin1(const std::string& utf8)
{
    std::string out;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = storage::nextCodePoint(utf8, pos);
        out += c <= 0xFF ? static_cast<char>(c) : '?';
    }
    return out;
}

ClipboardItem item(xcb_atom_t target, xcb_atom_t type, const std::string& bytes)
{
    return ClipboardItem{target, type, 8, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

} // namespace

std::unique_ptr<ClipboardOwner> ClipboardOwner::open(const std::string& displayName, std::string& error)
{
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(displayName.empty() ? nullptr : displayName.c_str(), &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        error = "the X display cannot be reached for the clipboard";
        return nullptr;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 1; ++i)
        xcb_screen_next(&screens);
    const xcb_window_t window = xcb_generate_id(connection);
    const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screens.data->root, -1, -1, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    const char name[] = "Tapfill clipboard";
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        sizeof name - 1, name);

    std::unique_ptr<ClipboardOwner> owner(new ClipboardOwner);
    owner->window_ = window;
    owner->server_ = std::make_unique<Server>(*owner, connection, window);
    return owner;
}

ClipboardOwner::~ClipboardOwner() = default;

bool ClipboardOwner::setText(const std::string& utf8)
{
    return server_->call([&] {
        // Too late to keep what was there: taking the clipboard ends it.
        if (server_->keeping)
            server_->endKeeping(false);
        const auto& a = server_->atoms;
        ClipboardContent text{
            item(a.utf8String, a.utf8String, utf8),
            item(a.textPlainUtf8, a.textPlainUtf8, utf8),
            item(a.textPlain, a.textPlain, utf8),
            item(a.string, a.string, latin1(utf8)),
            item(a.text, a.utf8String, utf8),
            item(a.passwordHint, a.passwordHint, "secret"),
        };
        const bool taken = server_->take(std::move(text), true);
        qCDebug(pasteLog, "%.1f ms: field on the clipboard%s", pasteLogNow(), taken ? "" : " failed");
        return taken;
    });
}

void ClipboardOwner::clear()
{
    server_->call([&] {
        server_->disown();
        server_->serving = Server::Serving::Emptied;
    });
}

void ClipboardOwner::keep(std::function<void()> ready)
{
    server_->call([&] { server_->startKeeping(std::move(ready)); });
}

void ClipboardOwner::giveBack()
{
    server_->call([&] {
        Server& server = *server_;
        if (server.keeping)
            server.endKeeping(false);
        std::optional<ClipboardContent> kept = std::move(server.kept);
        server.kept.reset();
        if (server.serving != Server::Serving::Text && server.serving != Server::Serving::Emptied)
            return; // someone else's content came meanwhile
        // Asked of the server, not taken from our last SelectionClear: one
        // may be on its way.
        xcb_get_selection_owner_reply_t* reply = xcb_get_selection_owner_reply(
            server.connection, xcb_get_selection_owner(server.connection, server.atoms.clipboard), nullptr);
        const xcb_window_t left = server.serving == Server::Serving::Text ? server.window : XCB_NONE;
        const bool stillOurs = reply && reply->owner == left;
        std::free(reply);
        if (!stillOurs) {
            qCDebug(pasteLog, "%.1f ms: someone else's content stays", pasteLogNow());
            return;
        }
        if (kept && !kept->empty())
            server.take(std::move(*kept), false);
        else
            server.disown();
        qCDebug(pasteLog, "%.1f ms: the user's content given back", pasteLogNow());
    });
}

void ClipboardOwner::reportRead(const ClipboardRead& read)
{
    QMetaObject::invokeMethod(
        this, [this, read] { if (onTextRead) onTextRead(read); }, Qt::QueuedConnection);
}

ClipboardOwner::Server::Server(ClipboardOwner& owner, xcb_connection_t* connection, xcb_window_t window)
    : owner(owner), connection(connection), window(window)
{
    atoms = {atom("CLIPBOARD"), atom("TARGETS"), atom("MULTIPLE"), atom("TIMESTAMP"),
             atom("SAVE_TARGETS"), atom("INCR"), atom("ATOM_PAIR"), XCB_ATOM_INTEGER,
             atom("UTF8_STRING"), XCB_ATOM_STRING, atom("TEXT"), atom("text/plain"),
             atom("text/plain;charset=utf-8"), atom("x-kde-passwordManagerHint"),
             atom("_TAPFILL_KEPT"), atom("DELETE"), atom("INSERT_SELECTION"), atom("INSERT_PROPERTY")};
    timeProperty = atom("_TAPFILL_TIME");
    resourceMask = xcb_get_setup(connection)->resource_id_mask;
    // Parts of a large answer stay well below the largest request.
    const std::size_t largest = std::size_t(xcb_get_maximum_request_length(connection)) * 4;
    chunkBytes = std::min<std::size_t>(256 * 1024, largest - 1024);
    wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    thread = std::thread([this] { run(); });
}

ClipboardOwner::Server::~Server()
{
    call([this] { quit = true; });
    thread.join();
    for (xcb_generic_event_t* event : stashed)
        std::free(event);
    // Closing the connection gives up the clipboard: Tapfill's text goes
    // with Tapfill, and nothing asks a clipboard manager to keep it.
    // The user's own content given back after a paste was handed to the
    // clipboard manager, if there is one, before the thread ended.
    xcb_disconnect(connection);
    ::close(wakeFd);
}

xcb_atom_t ClipboardOwner::Server::atom(const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t value = reply ? reply->atom : XCB_NONE;
    std::free(reply);
    return value;
}

void ClipboardOwner::Server::wake()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] ssize_t written = ::write(wakeFd, &one, sizeof one);
}

void ClipboardOwner::Server::run()
{
    while (!quit) {
        std::deque<std::function<void()>> todo;
        {
            std::lock_guard lock(jobsMutex);
            todo.swap(jobs);
        }
        for (auto& job : todo)
            job();
        checkDeadlines();
        while (!stashed.empty()) {
            xcb_generic_event_t* event = stashed.front();
            stashed.pop_front();
            handle(event);
            std::free(event);
        }
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            handle(event);
            std::free(event);
        }
        xcb_flush(connection);
        if (quit) {
            handOverAtExit();
            break;
        }
        // A broken connection (the server went away) only waits for jobs.
        const bool broken = xcb_connection_has_error(connection) != 0;
        pollfd fds[2] = {{wakeFd, POLLIN, 0}, {xcb_get_file_descriptor(connection), POLLIN, 0}};
        ::poll(fds, broken ? 1 : 2, broken ? -1 : msToNextDeadline());
        std::uint64_t count;
        [[maybe_unused]] ssize_t got = ::read(wakeFd, &count, sizeof count);
    }
}

void ClipboardOwner::Server::handle(xcb_generic_event_t* event)
{
    switch (event->response_type & 0x7F) {
    case XCB_SELECTION_REQUEST:
        answer(*reinterpret_cast<xcb_selection_request_event_t*>(event));
        break;
    case XCB_SELECTION_CLEAR:
        if (reinterpret_cast<xcb_selection_clear_event_t*>(event)->selection == atoms.clipboard) {
            serving = Serving::Nothing;
            served.clear();
            owner.holdsText_ = false;
        }
        break;
    case XCB_SELECTION_NOTIFY:
        onKeepNotify(*reinterpret_cast<xcb_selection_notify_event_t*>(event));
        break;
    case XCB_PROPERTY_NOTIFY: {
        const auto& change = *reinterpret_cast<xcb_property_notify_event_t*>(event);
        if (change.window == window) {
            if (change.atom == atoms.keepProperty && change.state == XCB_PROPERTY_NEW_VALUE && keeping
                && keeping->incremental)
                onKeepPart();
        } else if (change.state == XCB_PROPERTY_DELETE) {
            continueTransfer(change.window, change.atom);
        }
        break;
    }
    default:
        break; // errors of requests about vanished windows, and the like
    }
}

int ClipboardOwner::Server::msToNextDeadline() const
{
    std::optional<Clock::time_point> next;
    if (keeping)
        next = keeping->deadline;
    for (const Transfer& transfer : transfers)
        if (!next || transfer.deadline < *next)
            next = transfer.deadline;
    if (!next)
        return -1;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(*next - Clock::now()).count();
    return static_cast<int>(std::max<long long>(left, 0));
}

void ClipboardOwner::Server::checkDeadlines()
{
    const auto now = Clock::now();
    if (keeping && now >= keeping->deadline)
        endKeeping(false); // a slow or dead owner: the paste goes on without its content
    for (auto it = transfers.begin(); it != transfers.end();) {
        if (now >= it->deadline)
            it = transfers.erase(it); // the requestor stopped taking parts
        else
            ++it;
    }
}

xcb_timestamp_t ClipboardOwner::Server::serverTime()
{
    // Appending nothing to a property of our own window changes nothing but
    // brings an event that carries the server's time.
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, window, timeProperty, XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(connection);
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const auto* change = reinterpret_cast<xcb_property_notify_event_t*>(event);
        if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY && change->window == window
            && change->atom == timeProperty) {
            const xcb_timestamp_t time = change->time;
            std::free(event);
            return time;
        }
        stashed.push_back(event);
    }
    return XCB_CURRENT_TIME;
}

bool ClipboardOwner::Server::take(ClipboardContent content, bool isText)
{
    ownedSince = serverTime();
    readers.clear(); // client ids are handed out again once their client left
    toldFormatsBeforeText.clear();
    if (isText)
        toldFormatsBeforeText.swap(toldFormatsOfKept);
    toldFormatsOfKept.clear();
    xcb_set_selection_owner(connection, window, atoms.clipboard, ownedSince);
    xcb_get_selection_owner_reply_t* reply =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atoms.clipboard), nullptr);
    const bool owned = reply && reply->owner == window;
    std::free(reply);
    serving = owned ? (isText ? Serving::Text : Serving::Kept) : Serving::Nothing;
    served = owned ? std::move(content) : ClipboardContent{};
    owner.holdsText_ = owned && isText;
    return owned;
}

void ClipboardOwner::Server::disown()
{
    xcb_set_selection_owner(connection, XCB_NONE, atoms.clipboard, XCB_CURRENT_TIME);
    xcb_get_input_focus_reply_t* reply =
        xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr);
    std::free(reply); // the server has taken it
    serving = Serving::Nothing;
    served.clear();
    owner.holdsText_ = false;
}

} // namespace tapfill::platform::x11

namespace tapfill::platform::x11 {

void ClipboardOwner::Server::handOverAtExit()
{
    // Only the user's own content: a field never outlives Tapfill.
    if (serving != Serving::Kept || xcb_connection_has_error(connection))
        return;
    const xcb_atom_t manager = atom("CLIPBOARD_MANAGER");
    xcb_get_selection_owner_reply_t* reply =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, manager), nullptr);
    const bool managed = reply && reply->owner != XCB_NONE;
    std::free(reply);
    if (!managed)
        return;
    // The manager asks for the formats named in the property, then answers.
    std::vector<xcb_atom_t> formats;
    for (const ClipboardItem& item : served)
        formats.push_back(item.target);
    const xcb_atom_t property = atom("_TAPFILL_SAVE");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, property, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(formats.size()), formats.data());
    xcb_convert_selection(connection, window, manager, atoms.saveTargets, property, XCB_CURRENT_TIME);
    xcb_flush(connection);
    const auto deadline = Clock::now() + std::chrono::milliseconds(HandOverMs);
    while (Clock::now() < deadline && !xcb_connection_has_error(connection)) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const bool done = (event->response_type & 0x7F) == XCB_SELECTION_NOTIFY
                              && reinterpret_cast<xcb_selection_notify_event_t*>(event)->selection == manager;
            if (!done)
                handle(event);
            std::free(event);
            if (done)
                return;
        }
        xcb_flush(connection);
        pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        ::poll(&fd, 1, static_cast<int>(std::max<long long>(left, 0)));
    }
}

} // namespace tapfill::platform::x11
