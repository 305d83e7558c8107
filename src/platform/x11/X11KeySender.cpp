#include "platform/x11/X11KeySender.h"

#include "platform/x11/PasteFetchWatcher.h"
#include "platform/x11/X11Connection.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>

#include <algorithm>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace tapfill::platform::x11 {
namespace {

KeySym keysymOf(keys::NamedKey key)
{
    using keys::NamedKey;
    switch (key) {
    case NamedKey::Tab: return XK_Tab;
    case NamedKey::Enter: return XK_Return;
    case NamedKey::Escape: return XK_Escape;
    case NamedKey::Backspace: return XK_BackSpace;
    case NamedKey::Delete: return XK_Delete;
    case NamedKey::Insert: return XK_Insert;
    case NamedKey::Home: return XK_Home;
    case NamedKey::End: return XK_End;
    case NamedKey::PageUp: return XK_Prior;
    case NamedKey::PageDown: return XK_Next;
    case NamedKey::Up: return XK_Up;
    case NamedKey::Down: return XK_Down;
    case NamedKey::Left: return XK_Left;
    case NamedKey::Right: return XK_Right;
    case NamedKey::Break: return XK_Break;
    case NamedKey::CapsLock: return XK_Caps_Lock;
    case NamedKey::NumLock: return XK_Num_Lock;
    case NamedKey::ScrollLock: return XK_Scroll_Lock;
    case NamedKey::PrintScreen: return XK_Print;
    case NamedKey::Help: return XK_Help;
    case NamedKey::Add: return XK_KP_Add;
    case NamedKey::Subtract: return XK_KP_Subtract;
    case NamedKey::Multiply: return XK_KP_Multiply;
    case NamedKey::Divide: return XK_KP_Divide;
    default:
        // F1 .. F16 follow each other in the keysym table as in the enum.
        return XK_F1 + (static_cast<int>(key) - static_cast<int>(NamedKey::F1));
    }
}

} // namespace

X11KeySender::X11KeySender(std::shared_ptr<X11Connection> connection)
    : connection_(std::move(connection))
{
    watcher_ = std::make_unique<PasteFetchWatcher>(connection_);
}

X11KeySender::~X11KeySender() = default;

void X11KeySender::send(const std::string& keys, std::function<void(bool)> done)
{
    auto strokes = keys::parseKeyNotation(keys);
    if (!strokes) {
        if (done)
            done(false);
        return;
    }
    queue_.push_back(Job{std::move(*strokes), std::move(done)});
    startNext();
}

void X11KeySender::startNext()
{
    QPointer<X11KeySender> alive(this);
    while (!busy_ && !queue_.empty()) {
        Job& job = queue_.front();
        auto planned = plan(job.strokes);
        if (!planned) {
            // Nothing of it is typed: a half-typed sequence helps no one.
            auto done = std::move(job.done);
            queue_.pop_front();
            if (done)
                done(false);
            if (!alive)
                return;
            continue;
        }
        busy_ = true;
        const bool paste = std::any_of(job.strokes.begin(), job.strokes.end(), keys::isPasteStroke);
        std::optional<unsigned long> fetcher = paste ? pasteFetcher() : std::nullopt;
        if (fetcher)
            watcher_->start(*fetcher, [this] { finish(true); });
        type(*planned);
        if (!fetcher) {
            // Once the server has taken the keys they are in the focused
            // program's queue, in order, ahead of anything typed later.
            XSync(connection_->display(), False);
            QTimer::singleShot(0, this, [this] { finish(true); });
        }
    }
}

void X11KeySender::finish(bool typed)
{
    busy_ = false;
    Job job = std::move(queue_.front());
    queue_.pop_front();
    QPointer<X11KeySender> alive(this);
    if (job.done)
        job.done(typed);
    if (alive)
        startNext();
}

std::optional<std::vector<X11KeySender::PlannedKey>>
X11KeySender::plan(const std::vector<keys::KeyStroke>& strokes)
{
    KeyboardMap& map = connection_->keyboard();
    auto modifierKey = [&map](KeySym left, KeySym right) {
        auto position = map.find(left);
        if (!position)
            position = map.find(right);
        return position ? position->keycode : 0;
    };

    std::vector<PlannedKey> planned;
    for (const auto& stroke : strokes) {
        std::optional<KeyPosition> position;
        if (stroke.named) {
            position = map.find(keysymOf(stroke.key));
        } else {
            for (unsigned long keysym : KeyboardMap::keysymsForCharacter(stroke.character))
                if ((position = map.find(keysym)))
                    break;
        }
        if (!position)
            return std::nullopt;

        bool shift = (stroke.modifiers & keys::ModShift) != 0;
        const bool chord = (stroke.modifiers & (keys::ModControl | keys::ModAlt)) != 0;
        if (position->column == 1)
            shift = true;
        else if (position->column > 1 && !stroke.named && !chord)
            // Only another group or AltGr level gives this character: typing
            // the bare key would give a different one. A shortcut (Ctrl+x)
            // is matched by its key, so it may still use that key.
            return std::nullopt;

        PlannedKey key;
        key.keycode = position->keycode;
        const std::pair<bool, int> wanted[] = {
            {(stroke.modifiers & keys::ModControl) != 0, modifierKey(XK_Control_L, XK_Control_R)},
            {shift, modifierKey(XK_Shift_L, XK_Shift_R)},
            {(stroke.modifiers & keys::ModAlt) != 0, modifierKey(XK_Alt_L, XK_Alt_R)},
        };
        for (const auto& [use, keycode] : wanted) {
            if (!use)
                continue;
            if (keycode == 0)
                return std::nullopt;
            key.modifiers.push_back(keycode);
        }
        planned.push_back(std::move(key));
    }
    return planned;
}

void X11KeySender::type(const std::vector<PlannedKey>& keys)
{
    Display* display = connection_->display();
    auto fake = [display](int keycode, bool press) {
        XTestFakeKeyEvent(display, static_cast<unsigned>(keycode), press ? True : False, CurrentTime);
    };
    for (const auto& key : keys) {
        for (int modifier : key.modifiers)
            fake(modifier, true);
        fake(key.keycode, true);
        fake(key.keycode, false);
        for (auto it = key.modifiers.rbegin(); it != key.modifiers.rend(); ++it)
            fake(*it, false);
    }
    XFlush(display);
}

std::optional<unsigned long> X11KeySender::pasteFetcher()
{
    // Nobody asks Tapfill for a clipboard it does not hold.
    if (!QGuiApplication::clipboard()->ownsClipboard())
        return std::nullopt;
    Display* display = connection_->display();
    const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
    const Window owner = XGetSelectionOwner(display, clipboard);
    if (owner == None)
        return std::nullopt;
    Window focus = None;
    int revertTo = 0;
    XGetInputFocus(display, &focus, &revertTo);
    if (focus == None || focus == PointerRoot)
        return 0UL; // no telling who will ask: any request counts
    if (watcher_->sameClient(focus, owner))
        return std::nullopt; // Tapfill pastes into itself: Qt reads its own data
    return static_cast<unsigned long>(focus);
}

} // namespace tapfill::platform::x11
