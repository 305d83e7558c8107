// The main window's own behaviour: tray double clicks, tab pages,
// descriptions, HIDE and activation.

#include "support/AppFixture.h"

#include "ui/personal/PersonalDataWindow.h"

namespace tapfill::test {
namespace {

using platform::TrayMouse::LeftDoubleClick;

struct MainWindowBehaviour : AppFixture {
    MainWindowBehaviour() { app.Form_Load(); }
};

TEST_F(MainWindowBehaviour, TrayDoubleClickSwitchesPasteModeBothWays)
{
    switchClickAcceptanceOn();
    fake.subClass1().setTargetWindow(0x77);

    fake.tray().injectMouse(LeftDoubleClick);
    EXPECT_EQ(state.ActiveFlag, 1);
    EXPECT_TRUE(fake.subClass1().armed);
    EXPECT_EQ(fake.subClass1().targetWindow(), 0u);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(fake.placement().topmostCalls.size(), 1u);
    EXPECT_EQ(fake.tray().shownTip(), "Tapfill is Active!! Double Click to De-activate.");
    // Showing the window activates it, and its selection of the first line
    // pauses click acceptance like any other selection.
    EXPECT_EQ(state.ReadyFlag, 0);
    EXPECT_TRUE(form.Timer2.enabled());
    engine.Timer2_Timer();

    fake.tray().injectMouse(LeftDoubleClick);
    EXPECT_EQ(state.ActiveFlag, 0);
    EXPECT_EQ(state.ReadyFlag, 0);
    EXPECT_FALSE(fake.subClass1().armed);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.Image1->isVisibleTo(&form));
    EXPECT_FALSE(form.Image2->isVisibleTo(&form));
    EXPECT_EQ(fake.tray().shownTip(), "Double Click To Start Tapfill");
}

TEST_F(MainWindowBehaviour, OtherTrayMouseMessagesDoNothing)
{
    const auto requests = fake.tray().requests.size();
    for (int message : {platform::TrayMouse::Move, platform::TrayMouse::LeftDown, platform::TrayMouse::LeftUp,
                        platform::TrayMouse::RightUp, platform::TrayMouse::MiddleUp})
        fake.tray().injectMouse(message);
    EXPECT_EQ(state.ActiveFlag, 0);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(fake.tray().requests.size(), requests);
}

TEST_F(MainWindowBehaviour, ActivationAndPageTurnsSelectTheFirstButtonOfThePage)
{
    form.show();
    EXPECT_EQ(state.CurrentTab, 1) << "the window opens on PERS";
    EXPECT_EQ(selectedIndex(form.O1), 0) << "yet the first activation selects the first line";
    EXPECT_EQ(selectedIndex(form.PERS), -1);
    EXPECT_EQ(selectedIndex(form.OptionButtons), -1);

    ui::MainWindow::select(form.PERS[4]);
    turnOuter(0);
    EXPECT_EQ(selectedIndex(form.O1), 0);
    EXPECT_EQ(selectedIndex(form.PERS), -1);
    EXPECT_EQ(selectedIndex(form.OptionButtons), 0);
    EXPECT_FALSE(form.Timer2.enabled()) << "no pause while click acceptance is off";

    turnOuter(1);
    EXPECT_EQ(selectedIndex(form.PERS), 0);
    turnOuter(2); // MULTI keeps the line-and-personal choice
    EXPECT_EQ(selectedIndex(form.PERS), 0);
    ui::MainWindow::select(form.Option(11));
    switchClickAcceptanceOn();
    form.SSTab2->setCurrentIndex(2); // the user turns the inner strip
    form.SSTab2_Click();
    EXPECT_EQ(selectedIndex(form.OptionButtons), 8) << "Option9, whatever was selected";
    EXPECT_EQ(state.CurrentTab, 2);
    EXPECT_EQ(state.CurrentSubTab, 2);
    EXPECT_EQ(state.ReadyFlag, 0) << "a page turn pauses click acceptance";
    EXPECT_TRUE(form.Timer2.enabled());

    turnOuter(3);
    EXPECT_EQ(selectedIndex(form.OptionButtons), 8);
    EXPECT_EQ(selectedIndex(form.PERS), 0);
}

TEST_F(MainWindowBehaviour, DescriptionPromptConfirmCancelAndEmpty)
{
    form.show();
    form.setDescription(5, "Old text");
    bool hiddenWhilePrompting = false;
    fake.dialogs().onShow = [&] { hiddenWhilePrompting = !form.isVisible(); };

    fake.dialogs().typed = {"New text"};
    form.Option_DblClick(5);
    EXPECT_EQ(form.description(5), "New text");
    EXPECT_TRUE(hiddenWhilePrompting);
    EXPECT_TRUE(form.isVisible());
    const auto& asked = fake.dialogs().inputs.back();
    EXPECT_EQ(asked.text, "Enter a Description for this field.");
    EXPECT_EQ(asked.title, "ENTER INFORMATION");
    EXPECT_EQ(asked.defaultText, "Old text");

    fake.dialogs().typed = {""}; // cancelled, or confirmed empty
    form.Option_DblClick(5);
    EXPECT_EQ(form.description(5), "New text");
    EXPECT_EQ(state.OldDescription, "New text");
    EXPECT_EQ(state.NewDescription, "New text");
    EXPECT_EQ(state.Descriptions[4], "") << "only SAVE refreshes the stored descriptions";
}

TEST_F(MainWindowBehaviour, HideKeepsPasteModeAndTheNextShowActivatesAgain)
{
    form.show();
    switchClickAcceptanceOn();
    fake.winHook1().injectKey();
    turnOuter(0);
    ui::MainWindow::select(form.O1[6]);
    form.I[6]->setText("kept");

    form.Command1->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(state.ReadyFlag, 0);
    EXPECT_EQ(state.ActiveFlag, 1);
    EXPECT_EQ(fake.tray().shownTip(), "Tapfill is Active!! Double Click to De-activate.");

    form.show();
    EXPECT_EQ(selectedIndex(form.O1), 0) << "each activation selects the first line";
    EXPECT_EQ(form.SSTab1->currentIndex(), 0);
    EXPECT_EQ(form.I[6]->text(), "kept");
}

TEST_F(MainWindowBehaviour, PersonalDataWindowOpensInsteadOfTheMainWindowAndBackReturns)
{
    form.show();
    switchClickAcceptanceOn();
    state.PersonalData[0] = "Jane";
    form.C4->click();
    ui::PersonalDataWindow* personal = form.TFDATA();
    ASSERT_NE(personal, nullptr);
    EXPECT_TRUE(personal->isVisible());
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(state.ReadyFlag, 1);
    EXPECT_EQ(personal->LL[0]->text(), "Jane");

    personal->Command2->click(); // BACK
    EXPECT_TRUE(form.isVisible());
}

} // namespace
} // namespace tapfill::test
