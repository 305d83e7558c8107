// The personal data window: its form, SAVE to "TF.dat", BACK to the main
// window, and a SAVE that cannot write.

#include "support/QtTestApp.h"
#include "support/TempDir.h"

#include "platform/fake/FakePlatform.h"
#include "storage/DataFiles.h"
#include "ui/main/Twips.h"
#include "ui/personal/PersonalDataWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace tapfill::test {
namespace {

using ui::PersonalDataWindow;

struct PersonalDataWindowTest : QtTest {
    SharedState state;
    platform::fake::FakeDialogs dialogs;
    TempDir dir;
    QWidget owner; ///< stands for the main window, hidden while the form is open
    QPointer<PersonalDataWindow> form;

    PersonalDataWindowTest()
    {
        for (int i = 0; i < PersonalSlots; ++i)
            state.PersonalData[i] = "old " + std::to_string(i);
        form = new PersonalDataWindow(state, dialogs, dir.path(), &owner);
        form->show();
    }
    int px(int twips) const { return ui::twipsToPixels(*form, twips); }
};

TEST_F(PersonalDataWindowTest, FormShowsTheSlotsInOrder)
{
    const QStringList labels{"FIRST NAME:", "LAST NAME:", "COMPANY NAME:", "ADDRESS 1:",     "ADDRESS 2:",
                             "CITY:",       "STATE:",     "ZIP CODE:",     "EMAIL ADDRESS:", "PHONE NUMBER:"};
    EXPECT_EQ(form->windowTitle(), "DATA INPUT FORM");
    EXPECT_TRUE(form->isWindow() && form->parentWidget() == &owner);
    EXPECT_EQ(form->size(), QSize(px(7245), px(4965)));
    for (int i = 0; i < PersonalSlots; ++i) {
        const int top = px(360 + 360 * i);
        EXPECT_EQ(form->LB[i]->text(), labels[i]);
        EXPECT_EQ(form->LB[i]->geometry(), QRect(px(360), top, px(1695), px(255)));
        EXPECT_EQ(form->LL[i]->geometry(), QRect(px(2160), top, px(4335), px(285)));
        EXPECT_EQ(form->LL[i]->text().toStdString(), "old " + std::to_string(i)) << "loaded from PersonalData";
    }
    EXPECT_EQ(form->Command1->text(), "SAVE");
    EXPECT_EQ(form->Command2->text(), "BACK");

    std::vector<QWidget*> chain, expected(form->LL.begin(), form->LL.end());
    expected.insert(expected.end(), {form->Command1, form->Command2});
    for (QWidget* w = form->nextInFocusChain(); w != form; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            chain.push_back(w);
    EXPECT_EQ(chain, expected);
}

TEST_F(PersonalDataWindowTest, SaveWritesTheFileAndKeepsTheFormOpen)
{
    form->LL[0]->setText("Anna");
    form->LL[3]->setText("Hauptstraße 5");
    form->LL[9]->setText("");
    form->Command1->click();

    std::array<std::string, 11> saved{};
    storage::readPersonalFile(dir.path(), saved);
    EXPECT_EQ(saved, (std::array<std::string, 11>{"Anna", "old 1", "old 2", "Hauptstraße 5", "old 4", "old 5",
                                                   "old 6", "old 7", "old 8", ""})); // an empty box, an empty line
    EXPECT_EQ(state.PersonalData[0], "Anna");
    EXPECT_EQ(state.PersonalData[9], "");
    EXPECT_TRUE(dialogs.messages.empty()) << "success is silent";
    EXPECT_FALSE(deleted(form));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(PersonalDataWindowTest, BackKeepsTheTextsAndShowsTheOwnerOtherClosingsKeepNothing)
{
    form->LL[1]->setText("Berg");
    form->Command2->click();
    EXPECT_EQ(state.PersonalData[1], "Berg");
    EXPECT_EQ(state.PersonalData[2], "old 2");
    EXPECT_TRUE(owner.isVisible());
    EXPECT_TRUE(deleted(form));
    EXPECT_FALSE(dir.exists("TF.dat")) << "BACK writes nothing";

    // Opened again, the form starts from what BACK left; closed otherwise,
    // it keeps nothing and leaves the owner hidden.
    owner.hide();
    form = new PersonalDataWindow(state, dialogs, dir.path(), &owner);
    form->show();
    EXPECT_EQ(form->LL[1]->text(), "Berg");
    form->LL[1]->setText("Lost");
    form->close();
    EXPECT_EQ(state.PersonalData[1], "Berg");
    EXPECT_FALSE(owner.isVisible());
    EXPECT_TRUE(deleted(form));
}

TEST_F(PersonalDataWindowTest, SaveThatCannotWriteSaysSoOnceAndKeepsTheTyping)
{
    PersonalDataWindow elsewhere(state, dialogs, dir.path() / "missing", &owner);
    elsewhere.LL[0]->setText("Anna");
    elsewhere.Command1->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains("TF.dat")) << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(dialogs.messages[0].title, "Tapfill");
    EXPECT_EQ(dialogs.messages[0].style, platform::MsgBox::Exclamation);
    EXPECT_EQ(state.PersonalData[0], "old 0") << "in use stays what is saved";
    EXPECT_EQ(elsewhere.LL[0]->text(), "Anna") << "the typing is not lost";
}

} // namespace
} // namespace tapfill::test
