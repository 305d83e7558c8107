#pragma once
// The window in which the ten personal data texts are typed. SAVE writes
// them to "TF.dat" and keeps the window open; BACK keeps them in memory,
// hides the window and shows the main window again.

#include "model/AppModel.h"
#include "ui/win32/LayoutWindow.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string>

namespace tapfill::ui::win32 {

class PersonalDataWindow : public LayoutWindow {
public:
    PersonalDataWindow(model::AppModel& model, std::filesystem::path dataDir);

    /// BACK: the main window wants to be shown.
    std::function<void()> onBack;
    /// A message for the user.
    std::function<void(const std::string& text)> tell;

    /// SAVE: the texts to "TF.dat", and into use once they are there.
    void save();
    /// BACK: the texts into use, the main window back.
    void back();

private:
    void onCommand(HWND control, int code) override;
    void onClose() override;
    std::array<std::string, model::PersonalFieldCount> typedTexts() const;

    model::AppModel& model_;
    std::filesystem::path dataDir_;
};

} // namespace tapfill::ui::win32
