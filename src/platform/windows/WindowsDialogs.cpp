#include "platform/windows/WindowsDialogs.h"

#include "platform/windows/Processes.h"

#include <vector>

namespace tapfill::platform::windows {
namespace {

constexpr WORD PromptId = 100, TextId = 101;

/// A dialog template in memory: DLGTEMPLATE, then its items, each
/// DWORD-aligned, sizes in dialog units.
class DialogTemplate {
public:
    DialogTemplate(const std::wstring& title, short width, short height, WORD items)
    {
        DLGTEMPLATE dialog{};
        dialog.style = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        dialog.cdit = items;
        dialog.cx = width;
        dialog.cy = height;
        append(&dialog, sizeof dialog);
        word(0); // no menu
        word(0); // the standard dialog class
        text(title);
        word(8); // the font: MS Shell Dlg, 8 points
        text(L"MS Shell Dlg");
    }

    void item(DWORD style, short x, short y, short width, short height, WORD id, WORD windowClass,
              const std::wstring& caption)
    {
        while (bytes_.size() % 4)
            bytes_.push_back(0);
        DLGITEMTEMPLATE item{};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = width;
        item.cy = height;
        item.id = id;
        append(&item, sizeof item);
        word(0xFFFF); // a predefined class by its atom
        word(windowClass);
        text(caption);
        word(0); // no creation data
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

private:
    void append(const void* data, std::size_t size)
    {
        const auto* p = static_cast<const char*>(data);
        bytes_.insert(bytes_.end(), p, p + size);
    }
    void word(WORD value) { append(&value, sizeof value); }
    void text(const std::wstring& value) { append(value.c_str(), (value.size() + 1) * sizeof(wchar_t)); }

    std::vector<char> bytes_; // new[] memory: aligned for the DWORDs of the template

};

constexpr WORD ButtonClass = 0x0080, EditClass = 0x0081, StaticClass = 0x0082;

struct InputState {
    std::wstring prompt, text;
};

INT_PTR CALLBACK inputProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<InputState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        state = reinterpret_cast<InputState*>(lParam);
        SetDlgItemTextW(dialog, PromptId, state->prompt.c_str());
        SetDlgItemTextW(dialog, TextId, state->text.c_str());
        SendDlgItemMessageW(dialog, TextId, EM_SETSEL, 0, -1);
        SetFocus(GetDlgItem(dialog, TextId));
        return FALSE; // the focus is set
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            const int length = GetWindowTextLengthW(GetDlgItem(dialog, TextId));
            std::wstring typed(static_cast<std::size_t>(length) + 1, L'\0');
            GetDlgItemTextW(dialog, TextId, typed.data(), length + 1);
            typed.resize(static_cast<std::size_t>(length));
            state->text = typed;
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

} // namespace

int messageBox(HWND owner, const std::string& text, const std::string& title, int style)
{
    return MessageBoxW(owner, widened(text).c_str(), widened(title).c_str(),
                       static_cast<UINT>(style) | MB_SETFOREGROUND);
}

std::string inputBox(HWND owner, const std::string& prompt, const std::string& title,
                     const std::string& defaultText)
{
    DialogTemplate box(widened(title), 240, 90, 4);
    box.item(SS_LEFT, 8, 8, 168, 48, PromptId, StaticClass, L"");
    box.item(BS_DEFPUSHBUTTON | WS_TABSTOP, 184, 8, 48, 14, IDOK, ButtonClass, L"OK");
    box.item(BS_PUSHBUTTON | WS_TABSTOP, 184, 26, 48, 14, IDCANCEL, ButtonClass, L"Cancel");
    box.item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 8, 68, 224, 13, TextId, EditClass, L"");
    InputState state{widened(prompt), widened(defaultText)};
    const INT_PTR answer = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), box.get(), owner, inputProcedure,
                                                   reinterpret_cast<LPARAM>(&state));
    return answer == IDOK ? narrowed(state.text) : std::string();
}

} // namespace tapfill::platform::windows
