#pragma once
// The window in which the ten personal data texts are typed. SAVE
// writes them to "TF.dat" and keeps the window open; BACK keeps them in
// memory, closes the window and shows the main window again.

#include "model/AppModel.h"
#include "platform/Dialogs.h"

#include <QWidget>

#include <array>
#include <filesystem>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tapfill::ui {

class PersonalDataWindow : public QWidget {
    Q_OBJECT
public:
    /// Created at each opening, owned by the main window (`owner`), and
    /// destroyed by BACK.
    PersonalDataWindow(model::AppModel& model, platform::Dialogs& dialogs, std::filesystem::path dataDir,
                       QWidget* owner);

    QFrame* frame = nullptr;
    std::array<QLabel*, model::PersonalFieldCount> fieldLabels{};
    std::array<QLineEdit*, model::PersonalFieldCount> fieldEdits{};
    QPushButton* saveButton = nullptr;
    QPushButton* backButton = nullptr;

    /// SAVE: the texts to "TF.dat", and into use once they are there.
    void onSaveClicked();
    /// BACK: the texts into use, the main window back.
    void onBackClicked();

private:
    std::array<std::string, model::PersonalFieldCount> typedTexts() const;

    model::AppModel& model_;
    platform::Dialogs& dialogs_;
    std::filesystem::path dataDir_;
    QWidget* owner_;
};

} // namespace tapfill::ui
