#include "platform/x11/X11KeySender.h"

#include "platform/x11/ClientProcess.h"
#include "platform/x11/PasteLog.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11ErrorTrap.h"
#include "text/Utf8.h"

#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <set>
#include <tuple>

#include <X11/Xlib-xcb.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace tapfill::platform::x11 {
namespace {

std::string describe(const keys::KeyStroke& stroke)
{
    if (stroke.named)
        return "that key";
    std::string utf8;
    text::appendUtf8(utf8, stroke.character);
    return "\u201C" + utf8 + "\u201D";
}

// The order modifiers are pressed in: the chord's own first, then those
// that choose the level (Shift, AltGr ...).
constexpr unsigned ModifierOrder[] = {ControlMask, Mod1Mask, Mod4Mask, ShiftMask,
                                      Mod5Mask, Mod3Mask, Mod2Mask};

} // namespace

X11KeySender::X11KeySender(std::shared_ptr<X11Connection> connection)
    : connection_(std::move(connection)),
      modifiers_(connection_->display(), connection_->keyboard()),
      lent_(connection_->display())
{
}

X11KeySender::~X11KeySender() = default;

void X11KeySender::send(const std::string& keys, Done done)
{
    auto strokes = keys::parseKeyNotation(keys);
    if (!strokes) {
        if (done)
            done(SendResult{SendResult::Outcome::NotTyped, {}});
        return;
    }
    enqueue(std::move(*strokes), std::move(done));
}

void X11KeySender::typeText(const std::string& text, Done done)
{
    auto strokes = keys::textKeyStrokes(text);
    if (!strokes) {
        if (done)
            done(SendResult{SendResult::Outcome::NotTyped,
                            "the text holds a control character or broken UTF-8; nothing was typed"});
        return;
    }
    enqueue(std::move(*strokes), std::move(done));
}

void X11KeySender::enqueue(std::vector<keys::KeyStroke> strokes, Done done)
{
    Job job;
    job.strokes = std::move(strokes);
    job.done = std::move(done);
    queue_.push_back(std::move(job));
    startNext();
}

void X11KeySender::startNext()
{
    if (busy_ || queue_.empty())
        return;
    busy_ = true;
    begin();
}

void X11KeySender::begin()
{
    Job& job = queue_.front();
    // Take in every map, layout and group change announced so far.
    connection_->sync();
    // A modifier still held from before the click: most users let go
    // within moments.
    if (job.waitedMs < HeldWaitMs && modifiers_.held() != 0) {
        job.waitedMs += HeldPollMs;
        QTimer::singleShot(HeldPollMs, this, [this, run = run_] {
            if (run == run_)
                begin();
        });
        return;
    }
    std::string why;
    if (!modifiers_.clear(why)) {
        finish(SendResult{SendResult::Outcome::NotTyped, why});
        return;
    }
    if (!plan(job, why)) {
        modifiers_.restore();
        finish(SendResult{SendResult::Outcome::NotTyped, why});
        return;
    }
    startBatch();
}

void X11KeySender::startBatch()
{
    Job& job = queue_.front();
    const Batch& batch = job.batches[job.batch];
    if (batch.lend.empty()) {
        typeChunk();
        return;
    }
    lent_.lend(batch.lend);
    QTimer::singleShot(LentKeys::SettleMs, this, [this, run = run_] {
        if (run == run_)
            typeChunk();
    });
}

void X11KeySender::typeChunk()
{
    Job& job = queue_.front();
    const Batch& batch = job.batches[job.batch];
    // Between chunks, and once keys are lent, the map may have changed
    // under us: a new layout chosen, another group locked.
    if (job.next > 0 || job.batch > 0 || !batch.lend.empty()) {
        connection_->sync();
        if (!planStillHolds(batch)) {
            fail("the keyboard layout changed while typing, so typing stopped");
            return;
        }
    }
    const std::size_t end = std::min(batch.keys.size(), job.next + ChunkKeys);
    for (std::size_t i = job.next; i < end; ++i)
        type(batch.keys[i]);
    XFlush(connection_->display());
    job.next = end;
    if (job.next < batch.keys.size()) {
        QTimer::singleShot(ChunkMs, this, [this, run = run_] {
            if (run == run_)
                typeChunk();
        });
        return;
    }
    if (job.batch + 1 < job.batches.size()) {
        // The lent keys get other symbols: only once the target has
        // handled the keys typed with them.
        QTimer::singleShot(LentKeys::HandledMs, this, [this, run = run_] {
            if (run != run_)
                return;
            Job& job = queue_.front();
            ++job.batch;
            job.next = 0;
            startBatch();
        });
        return;
    }
    endTyping();
}

void X11KeySender::endTyping()
{
    auto complete = [this] {
        lent_.giveBack();
        modifiers_.restore();
        // Once the server has taken the keys they are in the focused
        // program's queue, in order, ahead of anything typed later.
        XSync(connection_->display(), False);
        qCDebug(pasteLog, "%.1f ms: keys in the focused program's queue", pasteLogNow());
        QTimer::singleShot(0, this, [this, run = run_] {
            if (run == run_)
                finish(SendResult{});
        });
    };
    if (!lent_.lending()) {
        complete();
        return;
    }
    QTimer::singleShot(LentKeys::HandledMs, this, [this, run = run_, complete] {
        if (run == run_)
            complete();
    });
}

void X11KeySender::fail(std::string reason)
{
    // Part of the sequence may be out: the lent keys stay until it is handled.
    QTimer::singleShot(lent_.lending() ? LentKeys::HandledMs : 0, this,
                       [this, run = run_, reason = std::move(reason)] {
                           if (run != run_)
                               return;
                           lent_.giveBack();
                           modifiers_.restore();
                           finish(SendResult{SendResult::Outcome::NotTyped, reason});
                       });
}

void X11KeySender::finish(SendResult result)
{
    busy_ = false;
    ++run_;
    Job job = std::move(queue_.front());
    queue_.pop_front();
    QPointer<X11KeySender> alive(this);
    if (job.done)
        job.done(result);
    if (alive)
        startNext();
}

bool X11KeySender::plan(Job& job, std::string& why)
{
    KeyboardMap& map = connection_->keyboard();
    if (!map.usable()) {
        why = "the X server lacks the XKB extension, so Tapfill cannot tell which key types what";
        return false;
    }
    job.generation = map.generation();
    job.batches.clear();
    const std::vector<int> spare = map.spareKeycodes();
    Batch current;
    std::map<unsigned long, int> lentNow; // keysym -> keycode, in this batch

    for (const auto& stroke : job.strokes) {
        std::vector<unsigned long> candidates;
        if (stroke.named)
            candidates.push_back(keys::keysymOf(stroke.key));
        else
            candidates = KeyboardMap::keysymsForCharacter(stroke.character);
        if (candidates.empty()) {
            why = "no key types " + describe(stroke) + "; nothing was typed";
            return false;
        }
        std::optional<KeyPosition> position;
        unsigned long keysym = candidates.front();
        for (unsigned long candidate : candidates) {
            if ((position = map.find(candidate))) {
                keysym = candidate;
                break;
            }
        }
        if (!position) {
            auto lent = lentNow.find(keysym);
            if (lent == lentNow.end()) {
                if (spare.empty()) {
                    why = "no key of the keyboard layout types " + describe(stroke)
                          + ", and the keyboard has no unused key to lend it; nothing was typed";
                    return false;
                }
                if (lentNow.size() == spare.size()) {
                    job.batches.push_back(std::move(current));
                    current = Batch{};
                    lentNow.clear();
                }
                const int keycode = spare[lentNow.size()];
                current.lend[keycode] = keysym;
                lent = lentNow.emplace(keysym, keycode).first;
            }
            position = KeyPosition{lent->second, 0};
        }

        unsigned chord = 0;
        if (stroke.modifiers & keys::ModControl)
            chord |= ControlMask;
        if (stroke.modifiers & keys::ModAlt)
            chord |= Mod1Mask;
        if (stroke.modifiers & keys::ModShift)
            chord |= ShiftMask;
        PlannedKey key;
        key.keycode = position->keycode;
        key.levelModifiers = position->modifiers;
        key.keysym = keysym;
        const unsigned all = chord | position->modifiers;
        for (unsigned bit : ModifierOrder) {
            if (!(all & bit))
                continue;
            const int keycode = map.modifierKey(bit);
            if (keycode == 0) {
                why = "no key of the keyboard sets a modifier that " + describe(stroke)
                      + " needs; nothing was typed";
                return false;
            }
            key.modifiers.push_back(keycode);
        }
        current.keys.push_back(std::move(key));
    }
    job.batches.push_back(std::move(current));
    return true;
}

bool X11KeySender::planStillHolds(const Batch& batch)
{
    KeyboardMap& map = connection_->keyboard();
    Job& job = queue_.front();
    if (map.generation() == job.generation)
        return true;
    std::set<std::tuple<int, unsigned, unsigned long>> checked;
    for (const auto& key : batch.keys) {
        if (!checked.emplace(key.keycode, key.levelModifiers, key.keysym).second)
            continue;
        if (!map.produces(key.keycode, key.levelModifiers, key.keysym))
            return false;
    }
    job.generation = map.generation();
    return true;
}

void X11KeySender::type(const PlannedKey& key)
{
    Display* display = connection_->display();
    auto fake = [display](int keycode, bool press) {
        XTestFakeKeyEvent(display, static_cast<unsigned>(keycode), press ? True : False, CurrentTime);
    };
    for (int modifier : key.modifiers)
        fake(modifier, true);
    fake(key.keycode, true);
    fake(key.keycode, false);
    for (auto it = key.modifiers.rbegin(); it != key.modifiers.rend(); ++it)
        fake(*it, false);
}

ProgramName X11KeySender::focusedProgram()
{
    Display* display = connection_->display();
    Window window = None;
    int revertTo = 0;
    XGetInputFocus(display, &window, &revertTo);
    ProgramName program = programOf(window);
    if (window != None && window != PointerRoot)
        program.processId = processOfClient(XGetXCBConnection(display), static_cast<std::uint32_t>(window));
    return program;
}

ProgramName X11KeySender::programOf(unsigned long focus)
{
    Display* display = connection_->display();
    X11ErrorTrap trap(display); // the window may go away while we look
    Window window = focus;
    const Window root = DefaultRootWindow(display);
    // The focus may sit on a child of the program's top-level, which
    // carries WM_CLASS.
    while (window != None && window != PointerRoot && window != root) {
        XClassHint hint{};
        if (XGetClassHint(display, window, &hint)) {
            ProgramName name{hint.res_name ? hint.res_name : "", hint.res_class ? hint.res_class : ""};
            XFree(hint.res_name);
            XFree(hint.res_class);
            return name;
        }
        Window rootReturn = None, parent = None;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, window, &rootReturn, &parent, &children, &count))
            break;
        if (children)
            XFree(children);
        window = parent;
    }
    return {};
}

} // namespace tapfill::platform::x11
