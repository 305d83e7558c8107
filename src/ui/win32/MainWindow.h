#pragma once
// The main window on Windows, made from the shared description: every field
// beside the button that selects it, the paste options and the commands. It
// shows the model and changes it; the commands that switch pasting go to
// the paste engine.

#include "engine/PasteEngine.h"
#include "model/AppModel.h"
#include "ui/win32/LayoutWindow.h"
#include "ui/win32/PersonalDataWindow.h"

#include <windows.h>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace tapfill::ui::win32 {

class MainWindow : public LayoutWindow {
public:
    MainWindow(model::AppModel& model, engine::PasteEngine& engine, std::filesystem::path dataDir);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    /// EXIT, and closing the window by other means.
    std::function<void()> onExit;
    /// A message for the user.
    std::function<void(const std::string& text)> tell;

    /// Shows the window without taking the keyboard focus from the form the
    /// user is filling; every showing counts as an activation.
    void show();
    void hide();
    /// Puts the window into the topmost band without taking the focus.
    void bringToTop();

    /// Puts every text and description of the model into the controls.
    void showModel();
    /// The window's outer left and top edges in twips, and placing it there.
    double leftTwips() const;
    double topTwips() const;
    void moveToTwips(double left, double top);
    /// SAVE: window position, one-line and multi-line fields, descriptions.
    void save();
    /// "CLICK HERE FOR DATA ": the personal data window instead of this one.
    void openPersonalData();
    PersonalDataWindow* personalDataWindow() const { return personal_.get(); }

private:
    void onCommand(HWND control, int code) override;
    void onPageChanged(const std::string& strip) override;
    void onClose() override;
    void describeMultiLineField(int index);
    void showSelection(model::FieldSet set, int index);
    void showText(model::FieldSet set, int index);
    void showDescription(int index);
    void showLook();

    model::AppModel& model_;
    engine::PasteEngine& engine_;
    std::filesystem::path dataDir_;
    HWND window_;
    std::unique_ptr<PersonalDataWindow> personal_;
    std::array<HWND, model::OneLineFieldCount> oneLineButtons_{}, oneLineEdits_{};
    std::array<HWND, model::PersonalFieldCount> personalButtons_{};
    std::array<HWND, model::MultiLineFieldCount> multiLineButtons_{}, multiLineEdits_{};
    /// Texts put into the controls from the model are no user's edits.
    bool showing_ = false;
    std::vector<model::Connection> connections_;
};

} // namespace tapfill::ui::win32
