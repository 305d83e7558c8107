#include "ui/win32/MainWindow.h"

#include "model/ModelFiles.h"
#include "platform/windows/WindowsDialogs.h"
#include "platform/windows/WindowsTrayIcon.h"
#include "ui/layout/Texts.h"
#include "ui/layout/WindowPosition.h"

#include <algorithm>
#include <cmath>

namespace tapfill::ui::win32 {

using layout::indexedName;
using model::FieldSet;

namespace {

/// Edit boxes break lines with CR LF; the model with LF.
std::string withCrLf(const std::string& text)
{
    return model::toFileLineBreaks(text);
}

/// One-line texts never hold a line break: each line of the data files
/// holds one text. A break that comes in becomes one blank.
std::string onOneLine(const std::string& text)
{
    std::string single;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        single += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
    }
    return single;
}

template <typename Array>
int indexOf(const Array& controls, HWND control)
{
    const auto found = std::find(controls.begin(), controls.end(), control);
    return found == controls.end() ? -1 : static_cast<int>(found - controls.begin());
}

} // namespace

MainWindow::MainWindow(model::AppModel& model, engine::PasteEngine& engine, std::filesystem::path dataDir)
    : LayoutWindow(layout::mainWindowLayout()), model_(model), engine_(engine), dataDir_(std::move(dataDir)),
      window_(window())
{
    for (int i = 0; i < model::OneLineFieldCount; ++i) {
        oneLineButtons_[i] = built_.get(indexedName("O1", i));
        oneLineEdits_[i] = built_.get(indexedName("I", i));
    }
    for (int i = 0; i < model::PersonalFieldCount; ++i)
        personalButtons_[i] = built_.get(indexedName("PERS", i));
    for (int k = 0; k < model::MultiLineFieldCount; ++k) {
        multiLineButtons_[k] = built_.get("Option" + std::to_string(k + 1));
        multiLineEdits_[k] = built_.get(indexedName("ML", k));
    }

    connections_.push_back(engine_.showWindowRequested.connect([this] { show(); }));
    connections_.push_back(engine_.raiseWindowRequested.connect([this] { bringToTop(); }));
    connections_.push_back(engine_.hideWindowRequested.connect([this] { hide(); }));
    connections_.push_back(
        model_.fieldSelected.connect([this](FieldSet set, int index) { showSelection(set, index); }));
    connections_.push_back(model_.textChanged.connect([this](FieldSet set, int index) { showText(set, index); }));
    connections_.push_back(model_.descriptionChanged.connect([this](int index) { showDescription(index); }));
    connections_.push_back(model_.lookChanged.connect([this] { showLook(); }));
}

MainWindow::~MainWindow()
{
    connections_.clear();
}

void MainWindow::show()
{
    const bool wasVisible = IsWindowVisible(window_);
    ShowWindow(window_, IsIconic(window_) ? SW_SHOWNOACTIVATE : SW_SHOWNA);
    if (wasVisible)
        return;
    // Every time the window comes back (start, HIDE, the description prompt,
    // the personal data window, the tray) counts as an activation.
    model_.select(FieldSet::OneLine, 0);
    model_.setPages(static_cast<model::Page>(built_.currentPage("SSTab1")), built_.currentPage("SSTab2"));
}

void MainWindow::hide()
{
    ShowWindow(window_, SW_HIDE);
}

void MainWindow::bringToTop()
{
    platform::windows::makeTopmost(window_);
}

void MainWindow::showModel()
{
    for (int i = 0; i < model::OneLineFieldCount; ++i)
        showText(FieldSet::OneLine, i);
    for (int k = 0; k < model::MultiLineFieldCount; ++k) {
        showText(FieldSet::MultiLine, k);
        showDescription(k);
    }
}

void MainWindow::showText(FieldSet set, int index)
{
    HWND edit = set == FieldSet::OneLine ? oneLineEdits_[index]
                : set == FieldSet::MultiLine ? multiLineEdits_[index]
                                             : nullptr;
    if (!edit)
        return;
    const std::string text = set == FieldSet::MultiLine ? withCrLf(model_.text(set, index)) : model_.text(set, index);
    if (windowText(edit) == text)
        return;
    showing_ = true;
    setWindowText(edit, text);
    showing_ = false;
}

void MainWindow::showDescription(int index)
{
    if (index >= model::MultiLineFieldCount)
        return; // kept in the file, never shown
    // Captions treat "&" as a shortcut marker; descriptions are plain text.
    std::string caption;
    for (char c : model_.description(index))
        caption += c == '&' ? std::string("&&") : std::string(1, c);
    setWindowText(multiLineButtons_[index], caption);
}

void MainWindow::showSelection(FieldSet set, int index)
{
    // One group for the one-line and personal buttons, one for the multi-line.
    auto check = [](auto& buttons, int chosen) {
        for (int i = 0; i < static_cast<int>(buttons.size()); ++i)
            SendMessageW(buttons[i], BM_SETCHECK, i == chosen ? BST_CHECKED : BST_UNCHECKED, 0);
    };
    if (set == FieldSet::MultiLine) {
        check(multiLineButtons_, index);
    } else {
        check(oneLineButtons_, set == FieldSet::OneLine ? index : -1);
        check(personalButtons_, set == FieldSet::Personal ? index : -1);
    }
}

void MainWindow::showLook()
{
    ShowWindow(built_.get("Image2"), model_.showsActivePicture() ? SW_SHOWNA : SW_HIDE);
    ShowWindow(built_.get("Image1"), model_.showsActivePicture() ? SW_HIDE : SW_SHOWNA);
    ShowWindow(built_.get("Label1"), model_.showsPasteInstructions() ? SW_SHOWNA : SW_HIDE);
}

// ---- the window's position -------------------------------------------------

// The position kept in "F3.dat" is the window's outer top-left corner, so
// that save and restart never creep by the title bar.

double MainWindow::leftTwips() const
{
    RECT frame;
    GetWindowRect(window_, &frame);
    return std::round(frame.left * 1440.0 / GetDpiForWindow(window_));
}

double MainWindow::topTwips() const
{
    RECT frame;
    GetWindowRect(window_, &frame);
    return std::round(frame.top * 1440.0 / GetDpiForWindow(window_));
}

void MainWindow::moveToTwips(double left, double top)
{
    // A damaged "F3.dat" may hold any number; keep the window within reach
    // of the pixel arithmetic.
    constexpr double Limit = 1.0e7;
    const double dpi = GetDpiForWindow(window_);
    RECT frame;
    GetWindowRect(window_, &frame);
    const LONG width = frame.right - frame.left, height = frame.bottom - frame.top;
    const LONG x = std::lround(std::clamp(left, -Limit, Limit) * dpi / 1440.0);
    const LONG y = std::lround(std::clamp(top, -Limit, Limit) * dpi / 1440.0);
    std::vector<PixelRect> monitors;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM list) -> BOOL {
            MONITORINFO info{};
            info.cbSize = sizeof info;
            if (GetMonitorInfoW(monitor, &info)) {
                const RECT& work = info.rcWork;
                reinterpret_cast<std::vector<PixelRect>*>(list)->push_back(
                    {work.left, work.top, work.right - work.left, work.bottom - work.top});
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&monitors));
    const PixelPoint at = reachableFramePosition(
        {static_cast<int>(x), static_cast<int>(y), static_cast<int>(width), static_cast<int>(height)}, monitors);
    SetWindowPos(window_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::save()
{
    model_.windowLeft = leftTwips();
    model_.windowTop = topTwips();
    const auto failures = model::saveMainWindowData(dataDir_, model_);
    if (failures.empty())
        return; // success stays silent
    std::string text = "These files were not saved and keep their old content:\n";
    for (const auto& failure : failures)
        text += "\n" + failure.file + ": " + failure.reason;
    const std::u8string folder = dataDir_.u8string();
    text += "\n\nFolder: " + std::string(folder.begin(), folder.end());
    tell(text);
}

// ---- the user's doings -----------------------------------------------------

void MainWindow::describeMultiLineField(int index)
{
    const std::string old = model_.description(index);
    hide();
    const std::string typed =
        onOneLine(platform::windows::inputBox(window_, texts::DescriptionPrompt, texts::DescriptionTitle, old));
    model_.setDescription(index, typed.empty() ? old : typed);
    show();
}

void MainWindow::onPageChanged(const std::string& strip)
{
    built_.showPage(strip, built_.currentPage(strip));
    engine_.pauseClickAcceptance();
    model_.setPages(static_cast<model::Page>(built_.currentPage("SSTab1")), built_.currentPage("SSTab2"));
    // Each inner page starts at its first field.
    model_.select(FieldSet::MultiLine, model::MultiLineFieldsPerPage * model_.multiLinePage());
    if (strip != "SSTab1")
        return;
    if (model_.page() == model::Page::OneLine)
        model_.select(FieldSet::OneLine, 0);
    else if (model_.page() == model::Page::Personal)
        model_.select(FieldSet::Personal, 0);
}

void MainWindow::onCommand(HWND control, int code)
{
    if (int i = indexOf(oneLineButtons_, control); i >= 0 && code == BN_CLICKED)
        return model_.select(FieldSet::OneLine, i);
    if (int i = indexOf(personalButtons_, control); i >= 0 && code == BN_CLICKED)
        return model_.select(FieldSet::Personal, i);
    if (int k = indexOf(multiLineButtons_, control); k >= 0) {
        if (code == BN_CLICKED)
            model_.select(FieldSet::MultiLine, k);
        else if (code == BN_DOUBLECLICKED)
            describeMultiLineField(k);
        return;
    }
    if (code == EN_CHANGE && !showing_) {
        if (int i = indexOf(oneLineEdits_, control); i >= 0) {
            const std::string text = windowText(control);
            const std::string single = onOneLine(text);
            if (single != text) {
                showing_ = true;
                setWindowText(control, single);
                showing_ = false;
            }
            return model_.setText(FieldSet::OneLine, i, single);
        }
        if (int k = indexOf(multiLineEdits_, control); k >= 0)
            return model_.setText(FieldSet::MultiLine, k, model::fromFileLineBreaks(windowText(control)));
    }
    if (code != BN_CLICKED)
        return;
    const std::string name = built_.nameOf(control);
    const bool checked = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (name == "AUT")
        model_.autoTab = checked;
    else if (name == "AUT2")
        model_.autoEnter = checked;
    else if (name == "AUT3")
        model_.autoAdvance = checked;
    else if (name == "Command1")
        engine_.hideWindow();
    else if (name == "Command2")
        engine_.togglePaste();
    else if (name == "Command3")
        save();
    else if (name == "Command4")
        engine_.suspend();
    else if (name == "Command5" && onExit)
        onExit();
    else if (name == "C4")
        openPersonalData();
}

void MainWindow::onClose()
{
    if (onExit)
        onExit(); // as when the system closes the main window
}

void MainWindow::openPersonalData()
{
    // A new window at each opening starts from the model; the last one is
    // done by now.
    personal_ = std::make_unique<PersonalDataWindow>(model_, dataDir_);
    personal_->onBack = [this] { show(); };
    personal_->tell = tell;
    ShowWindow(personal_->window(), SW_SHOW);
    hide();
}

} // namespace tapfill::ui::win32
