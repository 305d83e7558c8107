#pragma once
// The clipboard on Windows.
//
// Tapfill's text is offered by delayed rendering: the clipboard is told
// that Tapfill has text (SetClipboardData with no data), and Windows asks
// Tapfill's window for it (WM_RENDERFORMAT) when the first program reads it.
// That is how Tapfill learns who took the paste (onTextRead): the program
// that has the clipboard open then is the one asking. Windows renders a
// format once: later reads get the same data and are not seen, and asking
// which formats there are is never seen (every report has content set).
//
// With the text go three formats that keep it out of Windows' clipboard
// history, its cloud clipboard and clipboard managers, as Windows documents
// them: "ExcludeClipboardContentFromMonitorProcessing" (any data),
// "CanIncludeInClipboardHistory" and "CanUploadToCloudClipboard" (a DWORD 0).
//
// What the user had copied is read on a thread of its own, so that an owner
// slow to render its formats cannot hold up the UI thread, and put back by
// Tapfill's window, which then owns it until someone copies something else.

#include "platform/Clipboard.h"
#include "platform/windows/ClipboardSnapshot.h"
#include "platform/windows/UiThread.h"

#include <functional>
#include <memory>
#include <string>

namespace tapfill::platform::windows {

class WindowsClipboard : public Clipboard {
public:
    explicit WindowsClipboard(UiThread& ui);
    ~WindowsClipboard() override;

    /// The longest wait for the old content, and the most of it kept.
    static constexpr unsigned KeepMs = 200;
    static constexpr std::size_t KeepBudgetBytes = 64u << 20;

    bool clear() override;
    bool setText(const std::string& utf8) override;
    void keep(std::function<void()> ready) override;
    void giveBack() override;

    /// Whether Tapfill's text is on the clipboard now.
    bool holdsText() const { return holdsText_; }

private:
    struct KeepJob;
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void render();
    bool open();
    void putBack(int attemptsLeft);

    UiThread& ui_;
    HWND window_ = nullptr;
    std::wstring text_;
    bool holdsText_ = false;
    std::shared_ptr<KeepJob> keeping_;
    std::unique_ptr<ClipboardSnapshot> kept_; ///< null: nothing could be kept
    std::shared_ptr<int> alive_ = std::make_shared<int>(); // for work posted to the UI thread
};

} // namespace tapfill::platform::windows
