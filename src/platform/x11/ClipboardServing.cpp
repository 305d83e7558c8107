// Answering the programs that ask for what Tapfill holds on the clipboard:
// the list of formats, the time it was taken, each format, several at once
// (MULTIPLE), and large ones in parts (INCR).

#include "platform/x11/ClipboardServer.h"

#include "platform/x11/ClientProcess.h"
#include "platform/x11/PasteLog.h"

#include <algorithm>
#include <cstdlib>

namespace tapfill::platform::x11 {
namespace {
constexpr auto TransferTimeout = std::chrono::seconds(5);
} // namespace

void ClipboardOwner::Server::sync()
{
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

void ClipboardOwner::Server::answer(const xcb_selection_request_event_t& request)
{
    xcb_selection_notify_event_t notify{};
    notify.response_type = XCB_SELECTION_NOTIFY;
    notify.time = request.time;
    notify.requestor = request.requestor;
    notify.selection = request.selection;
    notify.target = request.target;
    notify.property = XCB_NONE; // refused, unless converted below

    bool handedText = false;
    const bool servingText = serving == Serving::Text;
    const bool ours = request.selection == atoms.clipboard && request.owner == window;
    if (ours && serving == Serving::Kept && request.target == atoms.targets)
        toldFormatsOfKept.insert(request.requestor);
    if (ours && serving != Serving::Nothing && !staleCopy(request)) {
        if (request.target == atoms.multiple) {
            if (request.property != XCB_NONE && convertMultiple(request.requestor, request.property, handedText))
                notify.property = request.property;
        } else {
            // Programs of old name no property: the answer goes into one
            // named like the target.
            const xcb_atom_t property = request.property != XCB_NONE ? request.property : request.target;
            if (convert(request.requestor, request.target, property, handedText))
                notify.property = property;
        }
    }
    xcb_send_event(connection, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&notify));
    if (servingText && request.selection == atoms.clipboard)
        reportRead(request.requestor, request.target, handedText);
    else if (ours && serving == Serving::Kept && pasteLog().isDebugEnabled())
        logRequest(request.requestor, request.target, notify.property != XCB_NONE ? " (the user's content)"
                                                                                   : " (the user's content, refused)");
}

void ClipboardOwner::Server::logRequest(xcb_window_t requestor, xcb_atom_t target, const char* what)
{
    xcb_get_atom_name_reply_t* name =
        xcb_get_atom_name_reply(connection, xcb_get_atom_name(connection, target), nullptr);
    const QByteArray targetName =
        name ? QByteArray(xcb_get_atom_name_name(name), xcb_get_atom_name_name_length(name)) : QByteArray("?");
    std::free(name);
    qCDebug(pasteLog, "%.1f ms: process %ld (window 0x%x) read %s%s", pasteLogNow(), readerProcess(requestor),
            requestor, targetName.constData(), what);
}

void ClipboardOwner::Server::reportRead(xcb_window_t requestor, xcb_atom_t target, bool content)
{
    sync(); // the answer is with the server before anyone hears of it
    const long process = readerProcess(requestor);
    if (pasteLog().isDebugEnabled())
        logRequest(requestor, target, content ? "" : " (no text)");
    owner.reportRead(ClipboardRead{process, content});
}

bool ClipboardOwner::Server::staleCopy(const xcb_selection_request_event_t& request)
{
    if (serving != Serving::Text || !toldFormatsBeforeText.count(request.requestor))
        return false;
    toldFormatsBeforeText.erase(request.requestor); // once: from now on it knows
    if (request.target == atoms.targets || request.target == atoms.timestamp)
        return false;
    // The program being pasted into may well have asked before the paste.
    xcb_get_input_focus_reply_t* focus =
        xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr);
    const xcb_window_t focused = focus ? focus->focus : XCB_NONE;
    std::free(focus);
    const long reader = readerProcess(request.requestor);
    const bool stale = focused == XCB_NONE || reader == 0 || reader != processOfClient(connection, focused);
    if (stale)
        qCDebug(pasteLog, "%.1f ms: process %ld refused the field: it asked for the formats of what was there before",
                pasteLogNow(), reader);
    return stale;
}

long ClipboardOwner::Server::readerProcess(xcb_window_t requestor)
{
    const std::uint32_t client = requestor & ~resourceMask;
    auto known = readers.find(client);
    if (known == readers.end())
        known = readers.emplace(client, processOfClient(connection, requestor)).first;
    return known->second;
}

bool ClipboardOwner::Server::convert(xcb_window_t requestor, xcb_atom_t target, xcb_atom_t property,
                                     bool& handedText)
{
    if (target == atoms.targets) {
        std::vector<xcb_atom_t> list{atoms.targets, atoms.timestamp, atoms.multiple};
        for (const ClipboardItem& item : served)
            list.push_back(item.target);
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, requestor, property, XCB_ATOM_ATOM, 32,
                            static_cast<std::uint32_t>(list.size()), list.data());
        return true;
    }
    if (target == atoms.timestamp) {
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, requestor, property, XCB_ATOM_INTEGER, 32, 1,
                            &ownedSince);
        return true;
    }
    auto found = std::find_if(served.begin(), served.end(),
                              [target](const ClipboardItem& item) { return item.target == target; });
    if (found == served.end())
        return false;
    put(requestor, property, *found, handedText);
    return true;
}

bool ClipboardOwner::Server::convertMultiple(xcb_window_t requestor, xcb_atom_t property, bool& handedText)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, requestor, property, atoms.atomPair, 0, 1 << 16), nullptr);
    if (!reply)
        return false;
    const auto* start = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
    std::vector<xcb_atom_t> pairs(start, start + xcb_get_property_value_length(reply) / sizeof(xcb_atom_t));
    std::free(reply);
    pairs.resize(pairs.size() & ~std::size_t(1));
    for (std::size_t i = 0; i < pairs.size(); i += 2) {
        // A pair that cannot be converted says so with no property.
        if (pairs[i] == atoms.multiple || !convert(requestor, pairs[i], pairs[i + 1], handedText))
            pairs[i + 1] = XCB_NONE;
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, requestor, property, atoms.atomPair, 32,
                        static_cast<std::uint32_t>(pairs.size()), pairs.data());
    return true;
}

void ClipboardOwner::Server::put(xcb_window_t requestor, xcb_atom_t property, const ClipboardItem& item,
                                 bool& handedText)
{
    const bool text = serving == Serving::Text;
    const std::uint32_t unit = item.format / 8;
    if (item.data.size() <= chunkBytes) {
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, requestor, property, item.type, item.format,
                            static_cast<std::uint32_t>(item.data.size() / unit), item.data.data());
        handedText = handedText || text;
        return;
    }
    // Too large for one request: announce the size, then a part each time
    // the requestor deletes the property.
    const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(connection, requestor, XCB_CW_EVENT_MASK, &events);
    const auto size = static_cast<std::uint32_t>(item.data.size());
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, requestor, property, atoms.incr, 32, 1, &size);
    transfers.push_back(Transfer{requestor, property, item, 0, text, Clock::now() + TransferTimeout});
}

void ClipboardOwner::Server::continueTransfer(xcb_window_t requestor, xcb_atom_t property)
{
    auto transfer = std::find_if(transfers.begin(), transfers.end(), [&](const Transfer& t) {
        return t.requestor == requestor && t.property == property;
    });
    if (transfer == transfers.end())
        return;
    const ClipboardItem& item = transfer->item;
    const xcb_atom_t target = item.target;
    const std::size_t unit = item.format / 8;
    std::size_t part = std::min(item.data.size() - transfer->offset, chunkBytes);
    part -= part % unit;
    // The part after the last is empty: that ends the transfer.
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, requestor, property, item.type, item.format,
                        static_cast<std::uint32_t>(part / unit), item.data.data() + transfer->offset);
    transfer->offset += part;
    transfer->deadline = Clock::now() + TransferTimeout;
    const bool text = transfer->text;
    if (part > 0) {
        // Each part is news for whoever waits for the paste: it puts off
        // the end of the wait, and shows that the program is taking it.
        if (text)
            reportRead(requestor, item.target, true);
        return;
    }
    transfers.erase(transfer);
    const bool stillTransferring = std::any_of(transfers.begin(), transfers.end(),
                                               [&](const Transfer& t) { return t.requestor == requestor; });
    if (!stillTransferring) {
        const std::uint32_t none = XCB_EVENT_MASK_NO_EVENT;
        xcb_change_window_attributes(connection, requestor, XCB_CW_EVENT_MASK, &none);
    }
    if (text)
        reportRead(requestor, target, true);
}

} // namespace tapfill::platform::x11
