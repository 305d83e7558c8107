#pragma once
// The main window: every field beside the button that selects it, the paste
// options and the commands. It shows the model and changes it; the commands
// that switch pasting go to the paste engine.

#include "engine/PasteEngine.h"
#include "model/AppModel.h"
#include "platform/Platform.h"
#include "ui/main/TabStrip.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <filesystem>

class QButtonGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace tapfill::ui {

class PersonalDataWindow;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(model::AppModel& model, engine::PasteEngine& engine, platform::Platform& platform,
               std::filesystem::path dataDir, QWidget* parent = nullptr);
    ~MainWindow() override;

    // ---- controls -------------------------------------------------------
    QFrame* frame = nullptr;
    TabStrip* pages = nullptr;          ///< "1 LINE", "PERS", "MULTI", "OPT."
    TabStrip* multiLinePages = nullptr; ///< "MULTI 1", "MULTI 2", "MULTI 3"
    std::array<QRadioButton*, model::OneLineFieldCount> oneLineButtons{};
    std::array<QLineEdit*, model::OneLineFieldCount> oneLineEdits{};
    std::array<QRadioButton*, model::PersonalFieldCount> personalButtons{};
    std::array<QLabel*, model::PersonalFieldCount> personalLabels{};
    std::array<QRadioButton*, model::MultiLineFieldCount> multiLineButtons{}; ///< captions: the descriptions
    std::array<QPlainTextEdit*, model::MultiLineFieldCount> multiLineEdits{};
    QCheckBox* autoTabBox = nullptr;
    QCheckBox* autoEnterBox = nullptr;
    QCheckBox* autoAdvanceBox = nullptr;
    QPushButton* hideButton = nullptr;
    QPushButton* pasteButton = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* suspendButton = nullptr;
    QPushButton* exitButton = nullptr;
    QPushButton* personalDataButton = nullptr; ///< "CLICK HERE FOR DATA "
    QLabel* idlePicture = nullptr;             ///< click acceptance off
    QLabel* activePicture = nullptr;           ///< click acceptance on
    QLabel* pasteInstructions = nullptr;
    QLabel* autoTabHelp = nullptr;
    QLabel* autoEnterHelp = nullptr;
    QLabel* autoAdvanceHelp = nullptr;
    QButtonGroup* lineAndPersonalGroup = nullptr; ///< one group across two pages
    QButtonGroup* multiLineGroup = nullptr;       ///< one group across three inner pages

    /// Puts every text and description of the model into the controls.
    void showModel();

    /// The window's left and top edges in twips, and placing it there.
    double leftTwips() const;
    double topTwips() const;
    void moveToTwips(double left, double top);

    /// Twips to pixels for this screen: 15 twips a pixel at 96 dpi.
    int toPixels(int twips) const;

    /// Puts the window into the topmost band without taking the focus.
    void bringToTop();

    /// Asks for a new description of multi-line field `index` (a double click
    /// on its button); an empty answer keeps the old one.
    void describeMultiLineField(int index);
    /// The user turned the outer or the inner tab strip.
    void onPageChanged();
    void onMultiLinePageChanged();
    /// "CLICK HERE FOR DATA ": the personal data window instead of this one.
    void openPersonalData();
    /// SAVE: window position, one-line and multi-line fields, descriptions.
    void onSaveClicked();

    /// The personal data window while it is open.
    PersonalDataWindow* personalDataWindow() const;

signals:
    /// The window is being closed by other means than EXIT.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout(); // MainWindowLayout.cpp
    void connectControls();
    void connectModel();
    void onActivated();
    void showLook();
    void showSelection(model::FieldSet set, int index);
    void showText(model::FieldSet set, int index);
    void showDescription(int index);
    /// Chooses a field as a click on its button does.
    void select(model::FieldSet set, int index);

    model::AppModel& model_;
    engine::PasteEngine& engine_;
    platform::Platform& platform_;
    std::filesystem::path dataDir_;
    QPointer<PersonalDataWindow> personal_;
    QPoint askedPosition_;         ///< where the data files put the frame
    bool keepFrameInside_ = false; ///< it had to be moved onto a screen
};

} // namespace tapfill::ui
