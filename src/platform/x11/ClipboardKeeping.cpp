// Keeping what another program has on the clipboard, before Tapfill's text
// takes its place: first the list of formats it offers, then each format in
// turn (large ones come in parts), all within a time bound and a size budget.

#include "platform/x11/ClipboardServer.h"

#include <QMetaObject>

#include <algorithm>
#include <cstdlib>

namespace tapfill::platform::x11 {
namespace {

void post(ClipboardOwner& owner, std::function<void()> ready)
{
    if (ready)
        QMetaObject::invokeMethod(&owner, std::move(ready), Qt::QueuedConnection);
}

} // namespace

void ClipboardOwner::Server::startKeeping(std::function<void()> ready)
{
    if (keeping)
        endKeeping(false);
    xcb_get_selection_owner_reply_t* reply =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atoms.clipboard), nullptr);
    const xcb_window_t current = reply ? reply->owner : XCB_NONE;
    std::free(reply);
    // Tapfill's text (or nothing) is there from an earlier delivery: what
    // it replaced is still kept.
    if ((serving == Serving::Text && current == window) || (serving == Serving::Emptied && current == XCB_NONE)) {
        post(owner, std::move(ready));
        return;
    }
    if (serving == Serving::Kept && current == window) {
        kept = served;
        post(owner, std::move(ready));
        return;
    }
    if (current == XCB_NONE) {
        kept = ClipboardContent{}; // empty, and empty again afterwards
        post(owner, std::move(ready));
        return;
    }
    kept.reset();
    keeping = Keeping{};
    keeping->ready = std::move(ready);
    keeping->deadline = Clock::now() + std::chrono::milliseconds(KeepMs);
    xcb_delete_property(connection, window, atoms.keepProperty);
    xcb_convert_selection(connection, window, atoms.clipboard, atoms.targets, atoms.keepProperty,
                          XCB_CURRENT_TIME);
}

void ClipboardOwner::Server::endKeeping(bool complete)
{
    Keeping done = std::move(*keeping);
    keeping.reset();
    if (complete)
        kept = std::move(done.content);
    else
        kept.reset();
    post(owner, std::move(done.ready));
}

void ClipboardOwner::Server::onKeepNotify(const xcb_selection_notify_event_t& notify)
{
    if (!keeping || notify.requestor != window || notify.selection != atoms.clipboard || keeping->incremental)
        return;
    if (!keeping->haveFormats) {
        if (notify.target != atoms.targets)
            return;
        if (notify.property == XCB_NONE) {
            endKeeping(false); // an owner that will not say what it has
            return;
        }
        ClipboardItem list;
        bool incremental = false;
        if (!readKeepProperty(list, incremental) || incremental || list.format != 32) {
            endKeeping(false);
            return;
        }
        const auto* atom = reinterpret_cast<const xcb_atom_t*>(list.data.data());
        // What only makes sense while the owner holds it is left out.
        const xcb_atom_t meta[] = {atoms.targets, atoms.multiple, atoms.timestamp, atoms.saveTargets,
                                   atoms.deleteTarget, atoms.insertSelection, atoms.insertProperty, XCB_NONE};
        for (std::size_t i = 0; i < list.data.size() / sizeof(xcb_atom_t); ++i) {
            if (std::find(std::begin(meta), std::end(meta), atom[i]) == std::end(meta)
                && std::find(keeping->formats.begin(), keeping->formats.end(), atom[i]) == keeping->formats.end())
                keeping->formats.push_back(atom[i]);
        }
        keeping->haveFormats = true;
        askForNextFormat();
        return;
    }
    if (keeping->next >= keeping->formats.size() || notify.target != keeping->formats[keeping->next])
        return;
    if (notify.property != XCB_NONE) {
        ClipboardItem item;
        bool incremental = false;
        if (!readKeepProperty(item, incremental)) {
            endKeeping(false);
            return;
        }
        item.target = notify.target;
        if (incremental) {
            keeping->incremental = std::move(item); // the parts come as new values of the property
            return;
        }
        keeping->content.push_back(std::move(item));
    }
    // A format the owner offered but then refused is simply left out.
    ++keeping->next;
    askForNextFormat();
}

void ClipboardOwner::Server::onKeepPart()
{
    ClipboardItem part;
    bool incremental = false;
    if (!readKeepProperty(part, incremental) || incremental) {
        endKeeping(false);
        return;
    }
    ClipboardItem& item = *keeping->incremental;
    if (!part.data.empty()) {
        item.type = part.type;
        item.format = part.format;
        item.data.insert(item.data.end(), part.data.begin(), part.data.end());
        return;
    }
    keeping->content.push_back(std::move(item));
    keeping->incremental.reset();
    ++keeping->next;
    askForNextFormat();
}

void ClipboardOwner::Server::askForNextFormat()
{
    if (keeping->next >= keeping->formats.size()) {
        endKeeping(true);
        return;
    }
    xcb_convert_selection(connection, window, atoms.clipboard, keeping->formats[keeping->next],
                          atoms.keepProperty, XCB_CURRENT_TIME);
}

bool ClipboardOwner::Server::readKeepProperty(ClipboardItem& item, bool& incremental)
{
    // Reading with delete tells an owner sending parts to send the next.
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 1, window, atoms.keepProperty, XCB_GET_PROPERTY_TYPE_ANY, 0,
                         static_cast<std::uint32_t>(KeepBudgetBytes / 4 + 1)),
        nullptr);
    if (!reply)
        return false;
    incremental = reply->type == atoms.incr;
    const auto length = static_cast<std::size_t>(xcb_get_property_value_length(reply));
    const bool fits = reply->bytes_after == 0 && keeping->bytes + length <= KeepBudgetBytes;
    if (fits && !incremental) {
        const auto* value = static_cast<const std::uint8_t*>(xcb_get_property_value(reply));
        item.type = reply->type;
        item.format = reply->format != 0 ? reply->format : 8;
        item.data.assign(value, value + length);
        keeping->bytes += length;
    }
    std::free(reply);
    return fits;
}

} // namespace tapfill::platform::x11
