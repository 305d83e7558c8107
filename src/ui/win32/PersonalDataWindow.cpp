#include "ui/win32/PersonalDataWindow.h"

#include "model/ModelFiles.h"

namespace tapfill::ui::win32 {

PersonalDataWindow::PersonalDataWindow(model::AppModel& model, std::filesystem::path dataDir)
    : LayoutWindow(layout::personalDataWindowLayout()), model_(model), dataDir_(std::move(dataDir))
{
    for (int i = 0; i < model::PersonalFieldCount; ++i)
        setWindowText(built_.get(layout::indexedName("LL", i)), model_.text(model::FieldSet::Personal, i));
}

std::array<std::string, model::PersonalFieldCount> PersonalDataWindow::typedTexts() const
{
    std::array<std::string, model::PersonalFieldCount> texts;
    for (int i = 0; i < model::PersonalFieldCount; ++i)
        texts[i] = windowText(built_.get(layout::indexedName("LL", i)));
    return texts;
}

void PersonalDataWindow::save()
{
    // A file that cannot be written keeps its old content, and the texts in
    // use stay as they were: what was saved and what is pasted stay the same.
    if (auto failure = model::savePersonalData(dataDir_, model_, typedTexts()); failure && tell) {
        const std::u8string path = (dataDir_ / failure->file).u8string();
        tell("The personal data could not be saved to \"" + std::string(path.begin(), path.end())
             + "\": " + failure->reason);
    }
}

void PersonalDataWindow::back()
{
    const auto texts = typedTexts();
    for (int i = 0; i < model::PersonalFieldCount; ++i)
        model_.setText(model::FieldSet::Personal, i, texts[i]);
    ShowWindow(window(), SW_HIDE);
    if (onBack)
        onBack();
}

void PersonalDataWindow::onCommand(HWND control, int code)
{
    if (code != BN_CLICKED)
        return;
    if (control == built_.get("Command1"))
        save();
    else if (control == built_.get("Command2"))
        back();
}

void PersonalDataWindow::onClose()
{
    ShowWindow(window(), SW_HIDE); // as BACK, but the typed texts are dropped
}

} // namespace tapfill::ui::win32
