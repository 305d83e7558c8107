#include "platform/x11/PasteFetchWatcher.h"

#include "platform/x11/X11Connection.h"

#include <QGuiApplication>

#include <cstdlib>

#include <xcb/xcb.h>

#include <X11/Xlib.h>

namespace tapfill::platform::x11 {
namespace {

xcb_connection_t* qtConnection()
{
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        return x11->connection();
    return nullptr;
}

} // namespace

PasteFetchWatcher::PasteFetchWatcher(std::shared_ptr<X11Connection> connection)
    : connection_(std::move(connection))
{
    Display* display = connection_->display();
    clipboardAtom_ = static_cast<unsigned>(XInternAtom(display, "CLIPBOARD", False));
    targetsAtom_ = static_cast<unsigned>(XInternAtom(display, "TARGETS", False));
    multipleAtom_ = static_cast<unsigned>(XInternAtom(display, "MULTIPLE", False));
    timestampAtom_ = static_cast<unsigned>(XInternAtom(display, "TIMESTAMP", False));
    // A window id is its client's base ORed with a number within the mask;
    // the mask is the same for every client of a server.
    if (xcb_connection_t* qt = qtConnection())
        resourceMask_ = xcb_get_setup(qt)->resource_id_mask;

    settle_.setSingleShot(true);
    settle_.setInterval(SettleMs);
    fallback_.setSingleShot(true);
    fallback_.setInterval(FallbackMs);
    connect(&settle_, &QTimer::timeout, this, [this] { finish(true); });
    // An answer already handed over counts even when the quiet time after
    // it has not come yet (a large text still going out in parts).
    connect(&fallback_, &QTimer::timeout, this, [this] { finish(handedOver_); });
    listenerId_ = connection_->addPropertyListener(
        [this](const PropertyChange& change) { onPropertyChange(change); });
    QCoreApplication::instance()->installNativeEventFilter(this);
}

PasteFetchWatcher::~PasteFetchWatcher()
{
    if (auto* app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
    stopWatchingRequestor();
    connection_->removeListener(listenerId_);
}

bool PasteFetchWatcher::sameClient(unsigned long a, unsigned long b) const
{
    return resourceMask_ != 0 && (a & ~resourceMask_) == (b & ~resourceMask_);
}

void PasteFetchWatcher::start(unsigned long focusWindow, std::function<void(bool)> finished)
{
    stopWatchingRequestor();
    handedOver_ = false;
    focusClient_ = resourceMask_ != 0 ? focusWindow & ~resourceMask_ : 0;
    finished_ = std::move(finished);
    settle_.stop();
    fallback_.start();
}

void PasteFetchWatcher::stopWatchingRequestor()
{
    if (requestor_ != 0)
        connection_->watchProperties(requestor_, false);
    requestor_ = 0;
    property_ = 0;
    answered_ = false;
}

void PasteFetchWatcher::finish(bool fetched)
{
    settle_.stop();
    fallback_.stop();
    stopWatchingRequestor();
    auto finished = std::move(finished_);
    finished_ = nullptr;
    if (finished)
        finished(fetched);
}

bool PasteFetchWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    // Never consumes an event: Qt still answers every request itself.
    if (!finished_ || eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_SELECTION_REQUEST)
        return false;
    const auto* request = reinterpret_cast<const xcb_selection_request_event_t*>(event);
    if (request->selection != clipboardAtom_ || request->target == targetsAtom_
        || request->target == multipleAtom_ || request->target == timestampAtom_)
        return false;
    if (focusClient_ != 0 && (request->requestor & ~resourceMask_) != focusClient_)
        return false;

    if (request->requestor != requestor_) {
        stopWatchingRequestor();
        // Returns after the server took it: before Qt writes the answer.
        if (!connection_->watchProperties(request->requestor, true))
            return false; // gone already; the fallback ends the wait
        requestor_ = request->requestor;
    }
    // Obsolete requestors name no property: the answer then goes into one
    // named like the target.
    property_ = request->property != XCB_NONE ? request->property : request->target;
    answered_ = false;
    settle_.stop();
    if (!checking_) {
        checking_ = true;
        // Runs once Qt has handled this request (and written its answer).
        QTimer::singleShot(0, this, &PasteFetchWatcher::checkAnswer);
    }
    return false;
}

void PasteFetchWatcher::checkAnswer()
{
    checking_ = false;
    if (!finished_ || requestor_ == 0)
        return;
    // A round trip on Qt's connection: when its reply is back, the server has
    // handled Qt's answer and queued the SelectionNotify for the target.
    if (xcb_connection_t* qt = qtConnection())
        std::free(xcb_get_input_focus_reply(qt, xcb_get_input_focus(qt), nullptr));
    // The property change that the answer made is now on its way to our own
    // connection; take it in before deciding.
    connection_->sync();
    if (finished_ && answered_)
        settle_.start();
}

void PasteFetchWatcher::onPropertyChange(const PropertyChange& change)
{
    if (!finished_ || change.window != requestor_ || change.property != property_)
        return;
    if (!change.deleted)
        answered_ = handedOver_ = true;
    // Each part of a large text, and the target taking it, puts the end off.
    if (answered_ && !checking_)
        settle_.start();
}

} // namespace tapfill::platform::x11
