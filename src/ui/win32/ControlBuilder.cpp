#include "ui/win32/ControlBuilder.h"

#include "ResourceIds.h"
#include "platform/windows/Processes.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace tapfill::ui::win32 {

using layout::Kind;
using platform::windows::narrowed;
using platform::windows::widened;

namespace {

constexpr wchar_t ContainerClass[] = L"TapfillContainer";

/// Frames and pages pass what their controls tell them on to the top-level
/// window, which knows what the controls are for, and paint their own
/// background.
LRESULT CALLBACK containerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
        return SendMessageW(GetAncestor(window, GA_ROOT), message, wParam, lParam);
    case WM_LBUTTONDOWN: // a click on the frame's own surface, told as a button's
        SendMessageW(GetAncestor(window, GA_ROOT), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                     reinterpret_cast<LPARAM>(window));
        return 0;
    case WM_ERASEBKGND: {
        auto* built = reinterpret_cast<BuiltControls*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        HBRUSH brush = built ? built->colour(window, reinterpret_cast<HDC>(wParam)) : nullptr;
        RECT area;
        GetClientRect(window, &area);
        FillRect(reinterpret_cast<HDC>(wParam), &area, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void registerContainer()
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = containerProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = ContainerClass;
    RegisterClassW(&windowClass); // fails harmlessly when registered already
}

COLORREF colourRef(const layout::Colour& colour)
{
    return colour.buttonFace ? GetSysColor(COLOR_BTNFACE) : RGB(colour.red, colour.green, colour.blue);
}

int pictureIcon(layout::Picture picture)
{
    switch (picture) {
    case layout::Picture::IdleIcon: return TAPFILL_ICON_IDLE;
    case layout::Picture::ActiveIcon: return TAPFILL_ICON_ACTIVE;
    case layout::Picture::Logo: return TAPFILL_ICON_LOGO;
    case layout::Picture::None: break;
    }
    return 0;
}

/// The size an icon resource was drawn at.
SIZE ownSize(int icon)
{
    SIZE size{0, 0};
    HICON loaded = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(icon), IMAGE_ICON, 0, 0, 0));
    ICONINFO info{};
    if (loaded && GetIconInfo(loaded, &info)) {
        BITMAP bitmap{};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        size = {bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    if (loaded)
        DestroyIcon(loaded);
    return size;
}

struct Made {
    const wchar_t* windowClass;
    DWORD style;
    DWORD extendedStyle = 0;
};

Made kindOf(const layout::Control& control)
{
    const DWORD child = WS_CHILD | (control.visible ? WS_VISIBLE : 0);
    const DWORD stop = control.tabIndex >= 0 ? WS_TABSTOP : 0;
    switch (control.kind) {
    case Kind::Frame: return {ContainerClass, child | WS_BORDER, WS_EX_CONTROLPARENT};
    case Kind::TabStrip: return {WC_TABCONTROLW, child | WS_CLIPSIBLINGS | stop | TCS_FIXEDWIDTH};
    // The option buttons of a container exclude each other across its
    // pages, which are windows of their own: the window checks them.
    case Kind::OptionButton: return {L"BUTTON", child | stop | BS_RADIOBUTTON | BS_NOTIFY};
    case Kind::CheckBox:
        return {L"BUTTON", child | stop | BS_AUTOCHECKBOX | (control.wordWrap ? BS_MULTILINE : 0)};
    case Kind::TextBox: return {L"EDIT", child | stop | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case Kind::MultiLineTextBox:
        return {L"EDIT",
                child | stop | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN
                    | (control.scrollBars ? WS_VSCROLL | WS_HSCROLL : 0),
                WS_EX_CLIENTEDGE};
    case Kind::Button: return {L"BUTTON", child | stop | BS_PUSHBUTTON};
    case Kind::Image: return {L"STATIC", child | SS_ICON | SS_REALSIZECONTROL | SS_NOTIFY};
    case Kind::Label: break;
    }
    DWORD align = control.align == layout::Align::MiddleRight ? SS_RIGHT
                  : control.wordWrap                          ? SS_LEFT
                                                              : SS_LEFTNOWORDWRAP;
    if (control.align != layout::Align::TopLeft && !control.wordWrap)
        align |= SS_CENTERIMAGE; // centred vertically
    return {L"STATIC", child | align | SS_NOPREFIX | SS_NOTIFY};
}

HFONT makeFont(const layout::Font& font, HWND window)
{
    const UINT dpi = GetDpiForWindow(window);
    const std::wstring face =
        font.family == layout::DialogFontFamily ? std::wstring(L"MS Shell Dlg") : widened(font.family);
    return CreateFontW(-static_cast<int>(font.points * dpi / 72.0 + 0.5), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                       FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

/// The size of `text` in `font`, on one line or broken at `width`.
SIZE captionSize(HWND control, HFONT font, const std::string& text, int width)
{
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, font);
    RECT area{0, 0, width, 0};
    std::wstring wide = widened(text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &area,
              DT_CALCRECT | DT_NOPREFIX | (width > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {area.right - area.left, area.bottom - area.top};
}

/// A label as large as its caption, keeping the edge the description fixes;
/// a label that breaks lines grows downwards when its face needs more room.
void fitCaption(HWND label, HFONT font, const layout::Control& control, int left, int top, int width, int height)
{
    if (control.sizedToCaption) {
        const SIZE size = captionSize(label, font, control.caption, 0);
        const int x = control.align == layout::Align::MiddleRight ? left + width - size.cx : left;
        MoveWindow(label, x, top, size.cx, size.cy, FALSE);
    } else if (control.wordWrap) {
        const SIZE size = captionSize(label, font, control.caption, width);
        if (size.cy > height)
            MoveWindow(label, left, top, width, size.cy, FALSE);
    }
}

/// The tabs share the strip's width, as they were laid out, and the pages
/// cover the strip below its row of tabs.
void placePages(HWND strip, const layout::Control& control, const std::vector<HWND>& pages, int left, int top,
                int width, int height)
{
    if (TabCtrl_GetItemCount(strip) == 0) {
        for (std::size_t i = 0; i < control.pages.size(); ++i) {
            std::wstring caption = widened(control.pages[i]);
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = caption.data();
            TabCtrl_InsertItem(strip, static_cast<int>(i), &item);
        }
    }
    // The row's height follows the font (a height of 0 lets the control
    // measure it), not the size set for the last DPI.
    TabCtrl_SetItemSize(strip, 0, 0);
    RECT first{};
    TabCtrl_GetItemRect(strip, 0, &first);
    TabCtrl_SetItemSize(strip, (width - 4) / static_cast<int>(pages.size()), first.bottom - first.top);
    RECT area{0, 0, width, height};
    TabCtrl_AdjustRect(strip, FALSE, &area);
    const int below = area.top - 2;
    for (HWND page : pages)
        MoveWindow(page, left + 2, top + below, width - 4, height - below - 2, FALSE);
}

} // namespace

BuiltControls::~BuiltControls()
{
    for (HBRUSH brush : brushes_)
        DeleteObject(brush);
    for (HFONT font : fonts_)
        DeleteObject(font);
    for (HICON icon : icons_)
        DestroyIcon(icon);
}

HWND BuiltControls::get(const std::string& name) const
{
    const auto found = controls_.find(name);
    if (found == controls_.end()) {
        std::fprintf(stderr, "tapfill: the window description has no control \"%s\"\n", name.c_str());
        std::abort();
    }
    return found->second;
}

const std::vector<HWND>& BuiltControls::pages(const std::string& strip) const
{
    return pages_.at(strip);
}

void BuiltControls::showPage(const std::string& strip, int index)
{
    const std::vector<HWND>& all = pages(strip);
    TabCtrl_SetCurSel(get(strip), index);
    for (std::size_t i = 0; i < all.size(); ++i)
        ShowWindow(all[i], static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
}

int BuiltControls::currentPage(const std::string& strip) const
{
    return TabCtrl_GetCurSel(get(strip));
}

std::string BuiltControls::nameOf(HWND control) const
{
    const auto found = names_.find(control);
    return found == names_.end() ? std::string() : found->second;
}

HBRUSH BuiltControls::colour(HWND control, HDC dc, bool inherit) const
{
    // A control without colours of its own takes its container's background.
    for (HWND window = control; window && (window == control || inherit); window = GetParent(window)) {
        const auto found = looks_.find(window);
        if (found == looks_.end())
            continue;
        if (window == control && found->second.text)
            SetTextColor(dc, *found->second.text);
        if (found->second.background) {
            LOGBRUSH brush{};
            GetObjectW(found->second.background, sizeof brush, &brush);
            SetBkColor(dc, brush.lbColor);
            return found->second.background;
        }
    }
    return nullptr;
}

int twipsToPixels(HWND window, int twips)
{
    return MulDiv(twips, static_cast<int>(GetDpiForWindow(window)), 1440);
}

std::string windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return narrowed(text);
}

void setWindowText(HWND window, const std::string& text)
{
    SetWindowTextW(window, widened(text).c_str());
}

void buildControls(const layout::WindowLayout& layout, HWND window, BuiltControls& built)
{
    registerContainer();
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    setWindowText(window, layout.caption);
    auto brush = [&built](const layout::Colour& colour) {
        built.brushes_.push_back(CreateSolidBrush(colourRef(colour)));
        return built.brushes_.back();
    };
    if (layout.background)
        built.looks_[window].background = brush(*layout.background);

    int id = 100;
    for (const layout::Control& control : layout.controls) {
        HWND parent = window;
        if (!control.container.empty()) {
            const auto strip = built.pages_.find(control.container);
            parent = strip != built.pages_.end() ? strip->second.at(static_cast<std::size_t>(control.page))
                                                 : built.get(control.container);
        }
        const Made made = kindOf(control);
        HWND made_window = CreateWindowExW(made.extendedStyle, made.windowClass, widened(control.caption).c_str(),
                                           made.style, 0, 0, 0, 0, parent,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr);
        BuiltControls::Look& look = built.looks_[made_window];
        if (control.textColour)
            look.text = colourRef(*control.textColour);
        if (control.background)
            look.background = brush(*control.background);
        if (control.kind == Kind::Frame)
            SetWindowLongPtrW(made_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&built));
        built.controls_[control.name] = made_window;
        built.names_[made_window] = control.name;
        if (control.kind != Kind::TabStrip)
            continue;
        // The pages are siblings above the strip (a new child window goes
        // to the bottom of the stack), placed with the strip.
        std::vector<HWND>& pages = built.pages_[control.name];
        for (std::size_t i = 0; i < control.pages.size(); ++i) {
            HWND page = CreateWindowExW(WS_EX_CONTROLPARENT, ContainerClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0,
                                        0, 0, parent, nullptr, instance, nullptr);
            SetWindowLongPtrW(page, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&built));
            SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            if (control.background)
                built.looks_[page].background = look.background;
            pages.push_back(page);
        }
    }
    placeControls(layout, window, built);
    for (const layout::Control& control : layout.controls)
        if (control.kind == Kind::TabStrip)
            built.showPage(control.name, control.startPage);
}

void placeControls(const layout::WindowLayout& layout, HWND window, BuiltControls& built)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    auto px = [window](int twips) { return twipsToPixels(window, twips); };
    RECT outer{0, 0, px(layout.width), px(layout.height)};
    AdjustWindowRectExForDpi(&outer, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)), GetDpiForWindow(window));
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    // Fonts and pictures are made for one DPI; the old ones go once the
    // controls hold the new.
    std::vector<HFONT> oldFonts = std::exchange(built.fonts_, {});
    std::vector<HICON> oldIcons = std::exchange(built.icons_, {});
    if (const int icon = pictureIcon(layout.icon)) {
        built.icons_.push_back(static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(icon), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
        SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(built.icons_.back()));
        SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(built.icons_.back()));
    }
    HFONT windowFont = makeFont(layout.font.value_or(layout::Font{}), window);
    built.fonts_.push_back(windowFont);

    for (const layout::Control& control : layout.controls) {
        HWND made = built.get(control.name);
        // Where the parent's client area starts within the description's
        // coordinates: a page starts below its strip's row of tabs.
        int offsetLeft = 0, offsetTop = 0;
        if (const auto strip = built.pages_.find(control.container); strip != built.pages_.end()) {
            RECT page, whole;
            GetWindowRect(strip->second.at(static_cast<std::size_t>(control.page)), &page);
            GetWindowRect(built.get(control.container), &whole);
            offsetLeft = page.left - whole.left;
            offsetTop = page.top - whole.top;
        }
        const layout::Rect& place = control.place;
        const int left = px(place.left) - offsetLeft, top = px(place.top) - offsetTop;
        MoveWindow(made, left, top, px(place.width), px(place.height), FALSE);
        HFONT font = windowFont;
        if (control.font) {
            font = makeFont(*control.font, window);
            built.fonts_.push_back(font);
        }
        SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (control.kind == Kind::Label)
            fitCaption(made, font, control, left, top, px(place.width), px(place.height));
        if (control.kind == Kind::Image && control.picture != layout::Picture::None) {
            int width = px(place.width), height = px(place.height);
            if (control.picture == layout::Picture::Logo) {
                // Drawn at its own size, not stretched to the box: at the
                // box's left, in the middle of its height.
                const SIZE own = ownSize(TAPFILL_ICON_LOGO);
                const int dpi = static_cast<int>(GetDpiForWindow(window));
                width = MulDiv(own.cx, dpi, 96);
                const int logoHeight = MulDiv(own.cy, dpi, 96);
                MoveWindow(made, left, top + (height - logoHeight) / 2, width, logoHeight, FALSE);
                height = logoHeight;
            }
            built.icons_.push_back(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(pictureIcon(control.picture)),
                                                                 IMAGE_ICON, width, height, 0)));
            SendMessageW(made, STM_SETICON, reinterpret_cast<WPARAM>(built.icons_.back()), 0);
        }
        if (control.kind == Kind::TabStrip)
            placePages(made, control, built.pages_[control.name], left, top, px(place.width), px(place.height));
    }
    for (HFONT font : oldFonts)
        DeleteObject(font);
    for (HICON icon : oldIcons)
        DestroyIcon(icon);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

} // namespace tapfill::ui::win32
