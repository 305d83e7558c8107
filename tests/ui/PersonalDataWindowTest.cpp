// The personal data window: its form, SAVE to "TF.dat", BACK to the main
// window, and a SAVE that cannot write.

#include "support/QtTestApp.h"
#include "support/TempDir.h"

#include "platform/fake/FakePlatform.h"
#include "storage/DataFiles.h"
#include "ui/personal/PersonalDataWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace tapfill::test {
namespace {

using ui::PersonalDataWindow;

struct PersonalDataWindowTest : QtTest {
    model::AppModel model;
    platform::fake::FakeDialogs dialogs;
    TempDir dir;
    QWidget owner; ///< stands for the main window, hidden while the form is open
    QPointer<PersonalDataWindow> form;

    PersonalDataWindowTest()
    {
        for (int i = 0; i < model::PersonalFieldCount; ++i)
            model.setText(model::FieldSet::Personal, i, "old " + std::to_string(i));
        form = new PersonalDataWindow(model, dialogs, dir.path(), &owner);
        form->show();
    }
};

TEST_F(PersonalDataWindowTest, FormShowsTheSlotsInOrder)
{
    const QStringList labels{"FIRST NAME:", "LAST NAME:", "COMPANY NAME:", "ADDRESS 1:",     "ADDRESS 2:",
                             "CITY:",       "STATE:",     "ZIP CODE:",     "EMAIL ADDRESS:", "PHONE NUMBER:"};
    EXPECT_TRUE(form->isWindow() && form->parentWidget() == &owner);
    for (int i = 0; i < model::PersonalFieldCount; ++i) {
        // Each label beside its own box, the rows going down in slot order.
        const QRect label = form->fieldLabels[i]->geometry(), edit = form->fieldEdits[i]->geometry();
        EXPECT_EQ(form->fieldLabels[i]->text(), labels[i]);
        EXPECT_TRUE(label.right() < edit.left() && label.top() < edit.bottom() && edit.top() < label.bottom()) << i;
        EXPECT_TRUE(i == 0 || form->fieldEdits[i - 1]->geometry().bottom() < edit.top()) << i;
        EXPECT_EQ(form->fieldEdits[i]->text().toStdString(), "old " + std::to_string(i)) << "the texts in use";
    }

    std::vector<QWidget*> chain, expected(form->fieldEdits.begin(), form->fieldEdits.end());
    expected.insert(expected.end(), {form->saveButton, form->backButton});
    for (QWidget* w = form->nextInFocusChain(); w != form; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            chain.push_back(w);
    EXPECT_EQ(chain, expected);
}

TEST_F(PersonalDataWindowTest, SaveWritesTheFileAndKeepsTheFormOpen)
{
    form->fieldEdits[0]->setText("Anna");
    form->fieldEdits[3]->setText("Hauptstraße 5");
    form->fieldEdits[9]->setText("");
    form->saveButton->click();

    std::array<std::string, 11> saved{};
    storage::readPersonalFile(dir.path(), saved);
    EXPECT_EQ(saved, (std::array<std::string, 11>{"Anna", "old 1", "old 2", "Hauptstraße 5", "old 4", "old 5",
                                                   "old 6", "old 7", "old 8", ""})); // an empty box, an empty line
    EXPECT_EQ(model.text(model::FieldSet::Personal, 0), "Anna");
    EXPECT_EQ(model.text(model::FieldSet::Personal, 9), "");
    EXPECT_TRUE(dialogs.messages.empty()) << "success is silent";
    EXPECT_FALSE(deleted(form));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(PersonalDataWindowTest, BackKeepsTheTextsAndShowsTheOwnerOtherClosingsKeepNothing)
{
    form->fieldEdits[1]->setText("Berg");
    form->backButton->click();
    EXPECT_EQ(model.text(model::FieldSet::Personal, 1), "Berg");
    EXPECT_EQ(model.text(model::FieldSet::Personal, 2), "old 2");
    EXPECT_TRUE(owner.isVisible());
    EXPECT_TRUE(deleted(form));
    EXPECT_FALSE(dir.exists("TF.dat")) << "BACK writes nothing";

    // Opened again, the form starts from what BACK left; closed otherwise,
    // it keeps nothing and leaves the owner hidden.
    owner.hide();
    form = new PersonalDataWindow(model, dialogs, dir.path(), &owner);
    form->show();
    EXPECT_EQ(form->fieldEdits[1]->text(), "Berg");
    form->fieldEdits[1]->setText("Lost");
    form->close();
    EXPECT_EQ(model.text(model::FieldSet::Personal, 1), "Berg");
    EXPECT_FALSE(owner.isVisible());
    EXPECT_TRUE(deleted(form));
}

TEST_F(PersonalDataWindowTest, SaveThatCannotWriteSaysSoOnceAndKeepsTheTyping)
{
    PersonalDataWindow elsewhere(model, dialogs, dir.path() / "missing", &owner);
    elsewhere.fieldEdits[0]->setText("Anna");
    elsewhere.saveButton->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains("TF.dat")) << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(model.text(model::FieldSet::Personal, 0), "old 0") << "in use stays what is saved";
    EXPECT_EQ(elsewhere.fieldEdits[0]->text(), "Anna") << "the typing is not lost";
}

} // namespace
} // namespace tapfill::test
