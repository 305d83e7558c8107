#include "platform/windows/WindowsClipboard.h"

#include "platform/windows/HiddenWindow.h"
#include "platform/windows/Processes.h"

#include <cstring>
#include <mutex>
#include <optional>
#include <thread>

namespace tapfill::platform::windows {
namespace {

constexpr wchar_t ClassName[] = L"TapfillClipboard";
// Another program may hold the clipboard open for a moment.
constexpr int OpenAttempts = 10;
constexpr DWORD OpenRetryMs = 5;

HGLOBAL globalCopy(const void* bytes, std::size_t size)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (block) {
        std::memcpy(GlobalLock(block), bytes, size);
        GlobalUnlock(block);
    }
    return block;
}

void putDword(const wchar_t* formatName, DWORD value)
{
    if (UINT format = RegisterClipboardFormatW(formatName))
        if (HGLOBAL block = globalCopy(&value, sizeof value); block && !SetClipboardData(format, block))
            GlobalFree(block);
}

bool openClipboard(HWND owner)
{
    for (int attempt = 0; attempt < OpenAttempts; ++attempt) {
        if (OpenClipboard(owner))
            return true;
        Sleep(OpenRetryMs);
    }
    return false;
}

} // namespace

/// One reading of the user's content, shared by the reading thread and
/// the UI thread; whichever comes second finds `settled` set.
struct WindowsClipboard::KeepJob {
    std::mutex mutex;
    bool settled = false;
    std::optional<ClipboardSnapshot> snapshot;
    std::function<void()> ready;
    unsigned timer = 0;
};

WindowsClipboard::WindowsClipboard(UiThread& ui) : ui_(ui)
{
    window_ = createHiddenWindow(ClassName, &WindowsClipboard::procedure, this, HiddenKind::MessageOnly);
}

WindowsClipboard::~WindowsClipboard()
{
    // The field leaves with Tapfill (it is never rendered at exit), and the
    // user's content, if a delivery was cut short, comes back.
    if (holdsText_)
        putBack(0);
    if (keeping_) {
        std::lock_guard lock(keeping_->mutex);
        keeping_->settled = true;
    }
    destroyHiddenWindow(window_);
}

bool WindowsClipboard::open()
{
    return openClipboard(window_);
}

bool WindowsClipboard::clear()
{
    if (!open())
        return false;
    const bool emptied = EmptyClipboard();
    CloseClipboard();
    return emptied;
}

bool WindowsClipboard::setText(const std::string& utf8)
{
    if (!open())
        return false;
    const bool taken = EmptyClipboard();
    if (taken) {
        text_ = widened(utf8);
        SetClipboardData(CF_UNICODETEXT, nullptr);
        if (UINT exclude = RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"))
            if (HGLOBAL block = globalCopy("", 1); block && !SetClipboardData(exclude, block))
                GlobalFree(block);
        putDword(L"CanIncludeInClipboardHistory", 0);
        putDword(L"CanUploadToCloudClipboard", 0);
        holdsText_ = true;
    }
    CloseClipboard();
    return taken;
}

void WindowsClipboard::render()
{
    // The program asking has the clipboard open; Tapfill only hands over.
    HWND asker = GetOpenClipboardWindow();
    DWORD processId = 0;
    if (asker)
        GetWindowThreadProcessId(asker, &processId);
    const std::size_t bytes = (text_.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL block = globalCopy(text_.c_str(), bytes); block && !SetClipboardData(CF_UNICODETEXT, block))
        GlobalFree(block);
    // Told after the asker has its text, not while it waits for it.
    ui_.post([this, alive = std::weak_ptr<int>(alive_), processId] {
        if (alive.lock() && onTextRead)
            onTextRead(ClipboardRead{static_cast<long>(processId), true});
    });
}

void WindowsClipboard::keep(std::function<void()> ready)
{
    if (holdsText_ || keeping_) {
        // What was kept for the text on the clipboard stays kept; a reading
        // under way will be ready when it is.
        if (keeping_) {
            auto previous = std::move(keeping_->ready);
            keeping_->ready = [previous, ready] {
                if (previous)
                    previous();
                ready();
            };
        } else {
            ui_.post(std::move(ready));
        }
        return;
    }
    kept_.reset();
    auto job = std::make_shared<KeepJob>();
    job->ready = std::move(ready);
    keeping_ = job;
    auto settle = [this, job, alive = std::weak_ptr<int>(alive_)](bool inTime) {
        if (!alive.lock() || keeping_ != job)
            return;
        if (inTime && job->snapshot)
            kept_ = std::make_unique<ClipboardSnapshot>(std::move(*job->snapshot));
        ui_.cancel(job->timer);
        keeping_.reset();
        if (job->ready)
            job->ready();
    };
    job->timer = ui_.after(KeepMs, [job, settle] {
        {
            std::lock_guard lock(job->mutex);
            if (job->settled)
                return;
            job->settled = true;
        }
        settle(false);
    });
    UiThread* ui = &ui_;
    std::thread([job, ui, settle] {
        std::optional<ClipboardSnapshot> snapshot;
        if (openClipboard(nullptr)) {
            snapshot = ClipboardSnapshot::read(KeepBudgetBytes);
            CloseClipboard();
        }
        std::lock_guard lock(job->mutex);
        if (job->settled)
            return; // too late: the delivery went on without it
        job->settled = true;
        job->snapshot = std::move(snapshot);
        ui->post([settle] { settle(true); });
    }).detach();
}

void WindowsClipboard::giveBack()
{
    if (!holdsText_ || GetClipboardOwner() != window_) {
        // Someone copied something since: that stays.
        kept_.reset();
        return;
    }
    putBack(OpenAttempts);
}

void WindowsClipboard::putBack(int attemptsLeft)
{
    if (!OpenClipboard(window_)) {
        // A program is still reading the text; try again in a moment.
        if (attemptsLeft > 0)
            ui_.after(10, [this, alive = std::weak_ptr<int>(alive_), attemptsLeft] {
                if (alive.lock() && holdsText_ && GetClipboardOwner() == window_)
                    putBack(attemptsLeft - 1);
            });
        return;
    }
    EmptyClipboard();
    holdsText_ = false;
    if (kept_)
        kept_->put();
    CloseClipboard();
    kept_.reset();
    text_.clear();
}

LRESULT CALLBACK WindowsClipboard::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = hiddenWindowOwner<WindowsClipboard>(window);
    if (self) {
        switch (message) {
        case WM_RENDERFORMAT:
            if (wParam == CF_UNICODETEXT && self->holdsText_)
                self->render();
            return 0;
        case WM_RENDERALLFORMATS:
            return 0; // the field is not left behind
        case WM_DESTROYCLIPBOARD:
            self->holdsText_ = false; // emptied, by someone else or for the next content
            return 0;
        default:
            break;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace tapfill::platform::windows
