#include "platform/windows/LowLevelInput.h"

#include <iterator>
#include <mutex>

namespace tapfill::platform::windows {
namespace {

constexpr unsigned CtrlBit = 1u << 16, AltBit = 1u << 17, ShiftBit = 1u << 18, WinBit = 1u << 19;

constexpr unsigned short ModifierKeys[] = {VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL,
                                           VK_LMENU, VK_RMENU, VK_LWIN, VK_RWIN};

// The hook procedures get no pointer of ours; they run on the hook thread
// only, which has exactly one LowLevelInput.
thread_local LowLevelInput* hookOwner = nullptr;

bool down(int virtualKey)
{
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

/// The modifiers held now, as the bits above.
unsigned heldModifiers()
{
    unsigned held = 0;
    if (down(VK_CONTROL))
        held |= CtrlBit;
    if (down(VK_MENU))
        held |= AltBit;
    if (down(VK_SHIFT))
        held |= ShiftBit;
    if (down(VK_LWIN) || down(VK_RWIN))
        held |= WinBit;
    return held;
}

std::string lastErrorText(const char* what)
{
    return std::string(what) + " failed (error " + std::to_string(GetLastError()) + ")";
}

} // namespace

struct LowLevelInput::Receivers {
    std::mutex mutex; // subscribe() may meet a report being handed out
    std::map<int, std::function<void(const InputReport&)>> byId;
    int nextId = 1;
};

LowLevelInput::LowLevelInput(UiThread& ui) : ui_(ui), receivers_(std::make_shared<Receivers>())
{
    std::promise<void> started;
    auto ready = started.get_future();
    thread_ = std::thread([this, &started] { run(&started); });
    ready.wait();
}

LowLevelInput::~LowLevelInput()
{
    if (thread_.joinable()) {
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
}

void LowLevelInput::run(std::promise<void>* started)
{
    hookOwner = this;
    threadId_ = GetCurrentThreadId();
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE); // the thread's queue, for WM_QUIT
    const HINSTANCE module = GetModuleHandleW(nullptr);
    HHOOK mouse = SetWindowsHookExW(WH_MOUSE_LL, &LowLevelInput::mouseProcedure, module, 0);
    if (!mouse)
        error_ = lastErrorText("SetWindowsHookEx(WH_MOUSE_LL)");
    HHOOK keyboard = mouse ? SetWindowsHookExW(WH_KEYBOARD_LL, &LowLevelInput::keyboardProcedure, module, 0) : nullptr;
    if (mouse && !keyboard)
        error_ = lastErrorText("SetWindowsHookEx(WH_KEYBOARD_LL)");
    installed_ = mouse && keyboard;
    started->set_value();
    if (installed_) {
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (keyboard)
        UnhookWindowsHookEx(keyboard);
    if (mouse)
        UnhookWindowsHookEx(mouse);
    hookOwner = nullptr;
}

int LowLevelInput::subscribe(std::function<void(const InputReport&)> receiver)
{
    std::lock_guard lock(receivers_->mutex);
    const int id = receivers_->nextId++;
    receivers_->byId[id] = std::move(receiver);
    return id;
}

void LowLevelInput::unsubscribe(int id)
{
    std::lock_guard lock(receivers_->mutex);
    receivers_->byId.erase(id);
}

void LowLevelInput::setIntercepted(bool rightDown, bool rightUp)
{
    interceptDown_ = rightDown;
    interceptUp_ = rightUp;
}

void LowLevelInput::setPasteModeKey(unsigned short virtualKey, bool ctrl, bool alt, bool shift, bool win)
{
    pasteModeKey_ = virtualKey | (ctrl ? CtrlBit : 0) | (alt ? AltBit : 0) | (shift ? ShiftBit : 0)
        | (win ? WinBit : 0);
}

void LowLevelInput::report(const InputReport& report)
{
    // The receivers may be gone by the time the UI thread gets to it.
    std::weak_ptr<Receivers> weak = receivers_;
    ui_.post([weak, report] {
        auto receivers = weak.lock();
        if (!receivers)
            return;
        std::map<int, std::function<void(const InputReport&)>> copy;
        {
            std::lock_guard lock(receivers->mutex);
            copy = receivers->byId;
        }
        for (auto& receiver : copy)
            receiver.second(report);
    });
}

bool LowLevelInput::onMouse(WPARAM message, const MSLLHOOKSTRUCT& info)
{
    InputReport r;
    switch (message) {
    case WM_LBUTTONUP:
        r.mouse.message = MouseMessage::LeftButtonUp;
        break;
    case WM_RBUTTONDOWN:
        r.mouse.message = MouseMessage::RightButtonDown;
        r.kept = rightPressKept_ = armed_ && interceptDown_;
        break;
    case WM_RBUTTONUP:
        r.mouse.message = MouseMessage::RightButtonUp;
        r.kept = rightPressKept_ || (armed_ && interceptUp_);
        rightPressKept_ = false;
        break;
    default:
        return false;
    }
    // WindowFromPoint asks no other thread anything: quick enough here.
    HWND top = GetAncestor(WindowFromPoint(info.pt), GA_ROOT);
    DWORD process = 0;
    if (top)
        GetWindowThreadProcessId(top, &process);
    r.mouse.window = reinterpret_cast<WindowId>(top);
    r.mouse.ownWindow = process == GetCurrentProcessId();
    report(r);
    return r.kept;
}

std::vector<unsigned short> LowLevelInput::physicallyHeldModifiers() const
{
    std::vector<unsigned short> held;
    const unsigned bits = heldModifiers_;
    for (unsigned i = 0; i < std::size(ModifierKeys); ++i)
        if (bits & (1u << i))
            held.push_back(ModifierKeys[i]);
    return held;
}

void LowLevelInput::onKey(WPARAM message, const KBDLLHOOKSTRUCT& info)
{
    const bool release = message == WM_KEYUP || message == WM_SYSKEYUP;
    for (unsigned i = 0; i < std::size(ModifierKeys); ++i)
        if (info.vkCode == ModifierKeys[i]) {
            if (release)
                heldModifiers_ &= ~(1u << i);
            else
                heldModifiers_ |= 1u << i;
        }
    const unsigned key = pasteModeKey_;
    if (info.vkCode != (key & 0xFFFF))
        return;
    if (release) {
        pasteModeKeyDown_ = false;
        return;
    }
    // A held key repeats its key-down: one press, one report.
    if (pasteModeKeyDown_)
        return;
    pasteModeKeyDown_ = true;
    if (heldModifiers() == (key & ~0xFFFFu))
        report(InputReport{InputReport::Kind::PasteModeKey, {}, false});
}

LRESULT CALLBACK LowLevelInput::mouseProcedure(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && hookOwner) {
        const auto& info = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        if (!(info.flags & LLMHF_INJECTED) && hookOwner->onMouse(wParam, info))
            return 1; // kept from its window
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK LowLevelInput::keyboardProcedure(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && hookOwner) {
        const auto& info = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        if (!(info.flags & LLKHF_INJECTED))
            hookOwner->onKey(wParam, info);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace tapfill::platform::windows
