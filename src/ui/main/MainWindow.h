#pragma once
// The main window TFPRO: every field beside the option button that selects
// it, the paste options and the commands. Controls are public and named as
// in the rest of the program, so each behaviour can be traced to its control.

#include "app/SharedState.h"
#include "platform/Platform.h"
#include "ui/main/IntervalTimer.h"
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
    MainWindow(SharedState& state, platform::Platform& platform, std::filesystem::path dataDir,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // ---- controls -------------------------------------------------------
    QFrame* Frame1 = nullptr;
    TabStrip* SSTab1 = nullptr; ///< "1 LINE", "PERS", "MULTI", "OPT."
    TabStrip* SSTab2 = nullptr; ///< "MULTI 1", "MULTI 2", "MULTI 3"
    std::array<QRadioButton*, 12> O1{};
    std::array<QLineEdit*, 12> I{};
    std::array<QRadioButton*, 10> PERS{};
    std::array<QLabel*, 10> LL{};
    std::array<QRadioButton*, 12> OptionButtons{}; ///< Option1 .. Option12; see Option(n)
    std::array<QPlainTextEdit*, 12> ML{};
    QCheckBox* AUT = nullptr;  ///< "Auto Tab"
    QCheckBox* AUT2 = nullptr; ///< "Auto Carriage Return (ENTER)"
    QCheckBox* AUT3 = nullptr; ///< "Auto Advance"
    QPushButton* Command1 = nullptr; ///< "HIDE"
    QPushButton* Command2 = nullptr; ///< "PASTE"
    QPushButton* Command3 = nullptr; ///< "SAVE"
    QPushButton* Command4 = nullptr; ///< "SUSPEND"
    QPushButton* Command5 = nullptr; ///< "EXIT"
    QPushButton* C4 = nullptr;       ///< "CLICK HERE FOR DATA "
    QLabel* Image1 = nullptr;        ///< idle picture
    QLabel* Image2 = nullptr;        ///< active picture
    QLabel* Label1 = nullptr;        ///< paste instructions
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QButtonGroup* lineAndPersonalGroup = nullptr; ///< O1 and PERS: one group across two pages
    QButtonGroup* multiLineGroup = nullptr;       ///< Option1..Option12 across three pages
    IntervalTimer Timer1{100}; ///< paste delivery
    IntervalTimer Timer2{120}; ///< re-arms click acceptance

    /// Option(1) is Option1, .. Option(12) is Option12.
    QRadioButton* Option(int n) const { return OptionButtons.at(n - 1); }

    /// Selects a button from code, running its click handler as a user's click does.
    static void select(QRadioButton* button);

    /// The window's left and top edges in twips, and placing it there.
    double leftTwips() const;
    double topTwips() const;
    void moveToTwips(double left, double top);

    /// Twips to pixels for this screen: 15 twips a pixel at 96 dpi.
    int toPixels(int twips) const;

    /// The description shown by Option(n), as plain text.
    QString description(int n) const;
    void setDescription(int n, const QString& text);

    /// Switches paste mode; interception of right clicks follows it.
    void setActiveFlag(std::int16_t value);

    // ---- shared procedures ----------------------------------------------
    void TraySetIdle();
    void TraySetActive();
    /// Fills the tray record with the idle look and adds the icon.
    void TrayAdd();
    void TrayDelete();
    void MakeTopmost();
    void PromptDescription();

    // ---- handlers -------------------------------------------------------
    void FieldButton_Click();           ///< O1_Click, PERS_Click, Option1_Click .. Option12_Click
    void Option_DblClick(int n);         ///< double click on Option(n)
    void SSTab1_Click();
    void SSTab2_Click();
    void C4_Click();                     ///< "CLICK HERE FOR DATA "
    void Command1_Click();               ///< "HIDE"
    void Command3_Click();               ///< "SAVE"
    void Form_Activate();
    void Form_MouseMove(int x);          ///< the tray icon's notifications arrive here

    /// The personal data window while it is open.
    PersonalDataWindow* TFDATA() const;

signals:
    /// The window is being closed by other means than EXIT.
    void unloading();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout(); // MainWindowLayout.cpp
    void connectHandlers();
    void fillTrayRecord(bool active);
    void pauseClickAcceptance();

    SharedState& state_;
    platform::Platform& platform_;
    std::filesystem::path dataDir_;
    QPointer<PersonalDataWindow> personal_;
};

} // namespace tapfill::ui
