#pragma once
// TFDATA: the window in which the ten personal data texts are typed. SAVE
// writes them to "TF.dat" and keeps the window open; BACK keeps them in
// memory, closes the window and shows the main window again.

#include "app/SharedState.h"
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
    PersonalDataWindow(SharedState& state, platform::Dialogs& dialogs, std::filesystem::path dataDir,
                       QWidget* owner);

    QFrame* Frame1 = nullptr;
    std::array<QLabel*, 10> LB{};
    std::array<QLineEdit*, 10> LL{};
    QPushButton* Command1 = nullptr; ///< "SAVE"
    QPushButton* Command2 = nullptr; ///< "BACK"

    void Form_Load();
    void Command1_Click();
    void Command2_Click();

private:
    SharedState& state_;
    platform::Dialogs& dialogs_;
    std::filesystem::path dataDir_;
    QWidget* owner_;
};

} // namespace tapfill::ui
