// The main window as a view of the model: tab pages, descriptions,
// activation and the personal data window. The tray's double click, typing
// into the fields and HIDE are met in the e2e tests.

#include "support/AppFixture.h"
#include "support/InputEvents.h"

#include "ui/personal/PersonalDataWindow.h"

namespace tapfill::test {
namespace {

using model::FieldSet;

struct MainWindowBehaviour : AppFixture {
    MainWindowBehaviour() { app.start(); }
};

TEST_F(MainWindowBehaviour, ActivationAndPageTurnsSelectTheFirstButtonOfThePage)
{
    form.show();
    EXPECT_EQ(model.page(), model::Page::Personal) << "the window opens on PERS";
    EXPECT_EQ(selectedIndex(form.oneLineButtons), 0) << "yet the first activation selects the first line";
    EXPECT_EQ(selectedIndex(form.personalButtons), -1);
    EXPECT_EQ(selectedIndex(form.multiLineButtons), -1);

    form.personalButtons[4]->click();
    EXPECT_EQ(model.lineOrPersonalSelection(), (model::Selection{FieldSet::Personal, 4}));
    turnOuter(0);
    EXPECT_EQ(selectedIndex(form.oneLineButtons), 0);
    EXPECT_EQ(selectedIndex(form.personalButtons), -1);
    EXPECT_EQ(selectedIndex(form.multiLineButtons), 0);
    EXPECT_FALSE(engine.acceptanceTimer.isActive()) << "no pause while click acceptance is off";

    turnOuter(1);
    EXPECT_EQ(selectedIndex(form.personalButtons), 0);
    turnOuter(2); // MULTI keeps the line-and-personal choice
    EXPECT_EQ(selectedIndex(form.personalButtons), 0);
    form.multiLineButtons[10]->click();
    acceptClicks();
    form.multiLinePages->setCurrentIndex(2); // the user turns the inner strip
    form.onMultiLinePageChanged();
    EXPECT_EQ(selectedIndex(form.multiLineButtons), 8) << "the page's first field, whatever was selected";
    EXPECT_EQ(model.multiLineSelection(), 8);
    EXPECT_EQ(model.page(), model::Page::MultiLine);
    EXPECT_EQ(model.multiLinePage(), 2);
    EXPECT_FALSE(model.clickAcceptance()) << "a page turn pauses click acceptance";
    EXPECT_TRUE(engine.acceptanceTimer.isActive());

    turnOuter(3);
    EXPECT_EQ(selectedIndex(form.multiLineButtons), 8);
    EXPECT_EQ(selectedIndex(form.personalButtons), 0);
}

TEST_F(MainWindowBehaviour, DescriptionPromptConfirmCancelAndEmpty)
{
    form.show();
    model.setDescription(4, "Old & text");
    EXPECT_EQ(form.multiLineButtons[4]->text(), "Old && text") << "an ampersand is no shortcut";
    bool hiddenWhilePrompting = false;
    fake.dialogs().onShow = [&] { hiddenWhilePrompting = !form.isVisible(); };

    fake.dialogs().typed = {"New text"};
    doubleClick(form.multiLineButtons[4]);
    EXPECT_EQ(model.description(4), "New text");
    EXPECT_TRUE(hiddenWhilePrompting);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(fake.dialogs().inputs.back().defaultText, "Old & text");

    fake.dialogs().typed = {""}; // cancelled, or confirmed empty
    form.describeMultiLineField(4);
    EXPECT_EQ(model.description(4), "New text");
}

TEST_F(MainWindowBehaviour, RightClickInPasteModeBringsBackAHiddenWindowWithoutAStep)
{
    acceptClicks();
    model.setPasteMode(true);
    form.show();
    form.oneLineButtons[4]->click();
    form.hideButton->click();
    acceptClicks();

    for (auto message : {platform::MouseMessage::RightButtonDown, platform::MouseMessage::RightButtonUp}) {
        fake.rightClickHook().injectMessage(message);
        fake.rightClickInterceptor().injectMessage(message);
    }
    EXPECT_TRUE(form.isVisible());
    // Coming back is an activation: it selects the first line and pauses
    // click acceptance, so this click does not advance.
    EXPECT_EQ(selectedIndex(form.oneLineButtons), 0);
    EXPECT_FALSE(model.clickAcceptance());
}

TEST_F(MainWindowBehaviour, PersonalDataWindowOpensInsteadOfTheMainWindowAndBackReturns)
{
    form.show();
    acceptClicks();
    model.setText(FieldSet::Personal, 0, "Jane");
    form.personalDataButton->click();
    ui::PersonalDataWindow* personal = form.personalDataWindow();
    ASSERT_NE(personal, nullptr);
    EXPECT_TRUE(personal->isVisible());
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(model.clickAcceptance());
    EXPECT_EQ(personal->fieldEdits[0]->text(), "Jane");

    personal->backButton->click();
    EXPECT_TRUE(form.isVisible());
}

} // namespace
} // namespace tapfill::test
