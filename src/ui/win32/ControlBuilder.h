#pragma once
// Native Win32 controls for a window described in ui/layout: every control
// made, named, placed (twips to pixels by the window's DPI), coloured and
// shown or hidden as its description says. Tab strips are tab controls
// with one child window per page; frames are child windows too. Messages
// of controls inside them (commands, notifications, colours) reach the
// top-level window's procedure as if its own.

#include "ui/layout/WindowLayout.h"

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tapfill::ui::win32 {

class BuiltControls {
public:
    BuiltControls() = default;
    ~BuiltControls();
    BuiltControls(const BuiltControls&) = delete;
    BuiltControls& operator=(const BuiltControls&) = delete;

    /// The control of that name; a name the description lacks is a fault
    /// of the program and ends it.
    HWND get(const std::string& name) const;
    /// The page windows of a tab strip, and showing one of them.
    const std::vector<HWND>& pages(const std::string& strip) const;
    void showPage(const std::string& strip, int index);
    int currentPage(const std::string& strip) const;
    /// The name of a control, empty for none of these.
    std::string nameOf(HWND control) const;

    /// Colours for WM_CTLCOLOR*: the brush for `control`'s background, with
    /// `dc` set up for its text; null for the system's own. Without
    /// `inherit` (edit boxes) only a background of the control's own counts.
    HBRUSH colour(HWND control, HDC dc, bool inherit = true) const;

private:
    friend void buildControls(const layout::WindowLayout&, HWND, BuiltControls&);
    friend void placeControls(const layout::WindowLayout&, HWND, BuiltControls&);
    struct Look {
        std::optional<COLORREF> text;
        HBRUSH background = nullptr;
    };
    std::map<std::string, HWND> controls_;
    std::map<HWND, std::string> names_;
    std::map<std::string, std::vector<HWND>> pages_;
    std::map<HWND, Look> looks_;
    std::vector<HBRUSH> brushes_;
    std::vector<HFONT> fonts_;
    std::vector<HICON> icons_;
};

/// Pixels at the window's DPI.
int twipsToPixels(HWND window, int twips);

/// Makes the controls of `layout` in `window`, sizing its client area to the
/// description. Call once, on a window that exists.
void buildControls(const layout::WindowLayout& layout, HWND window, BuiltControls& built);

/// Places, sizes, and gives fonts and pictures to the controls (and the
/// window) at the window's DPI: at building, and when the DPI changes.
void placeControls(const layout::WindowLayout& layout, HWND window, BuiltControls& built);

/// UTF-8 text of a window, and setting it.
std::string windowText(HWND window);
void setWindowText(HWND window, const std::string& text);

} // namespace tapfill::ui::win32
