// The personal data window: its form, SAVE to "TF.dat", BACK to the main
// window, and a SAVE that cannot write.

#include "support/QtTestApp.h"
#include "support/TempDir.h"

#include "platform/fake/FakePlatform.h"
#include "storage/DataFiles.h"
#include "ui/main/Twips.h"
#include "ui/personal/PersonalDataWindow.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <csignal>
#include <sys/resource.h>

namespace tapfill::test {
namespace {

using ui::PersonalDataWindow;

/// While it lives, no file of this process may grow past `bytes`: a write
/// fails as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

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
    void type(int i, const QString& text) { form->LL[i]->setText(text); }
    bool formGone()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return form.isNull();
    }
    std::array<std::string, 11> fileContent() const
    {
        std::array<std::string, 11> read{};
        storage::readPersonalFile(dir.path(), read);
        return read;
    }
    int px(int twips) const { return ui::twipsToPixels(*form, twips); }
};

TEST_F(PersonalDataWindowTest, FormShowsTheSlotsInOrder)
{
    const QStringList labels{"FIRST NAME:", "LAST NAME:", "COMPANY NAME:", "ADDRESS 1:",     "ADDRESS 2:",
                             "CITY:",       "STATE:",     "ZIP CODE:",     "EMAIL ADDRESS:", "PHONE NUMBER:"};
    EXPECT_EQ(form->windowTitle(), "DATA INPUT FORM");
    EXPECT_TRUE(form->isWindow());
    EXPECT_EQ(form->parentWidget(), &owner);
    EXPECT_EQ(form->size(), QSize(px(7245), px(4965)));
    EXPECT_EQ(form->palette().color(QPalette::Window), QColor(0, 0, 255));
    EXPECT_EQ(form->Frame1->geometry(), QRect(px(120), px(120), px(6975), px(4695)));
    for (int i = 0; i < PersonalSlots; ++i) {
        const int top = px(360 + 360 * i);
        EXPECT_EQ(form->LB[i]->text(), labels[i]);
        EXPECT_EQ(form->LB[i]->geometry(), QRect(px(360), top, px(1695), px(255)));
        EXPECT_TRUE(form->LB[i]->alignment() & Qt::AlignRight);
        EXPECT_EQ(form->LB[i]->palette().color(QPalette::WindowText), QColor(Qt::white));
        EXPECT_EQ(form->LL[i]->geometry(), QRect(px(2160), top, px(4335), px(285)));
        EXPECT_EQ(form->LL[i]->text().toStdString(), "old " + std::to_string(i)) << "loaded from PersonalData";
    }
    EXPECT_EQ(form->Command1->text(), "SAVE");
    EXPECT_EQ(form->Command2->text(), "BACK");
    EXPECT_EQ(form->Command1->geometry(), QRect(px(4200), px(4200), px(1095), px(375)));
    EXPECT_EQ(form->Command2->geometry(), QRect(px(5640), px(4200), px(975), px(375)));

    std::vector<QWidget*> chain;
    for (QWidget* w = form->nextInFocusChain(); w != form; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            chain.push_back(w);
    std::vector<QWidget*> expected(form->LL.begin(), form->LL.end());
    expected.insert(expected.end(), {form->Command1, form->Command2});
    EXPECT_EQ(chain, expected);
}

TEST_F(PersonalDataWindowTest, SaveWritesTheFileAndKeepsTheFormOpen)
{
    type(0, QStringLiteral("Anna"));
    type(3, QStringLiteral("Hauptstraße 5"));
    type(9, QString());
    form->Command1->click();

    const auto saved = fileContent();
    EXPECT_EQ(saved[0], "Anna");
    EXPECT_EQ(saved[3], "Hauptstraße 5");
    EXPECT_EQ(saved[9], "") << "an empty box saves an empty line";
    EXPECT_EQ(saved[5], "old 5");
    EXPECT_EQ(dir.read("TF.dat").substr(0, 6), "Anna\r\n");
    EXPECT_EQ(state.PersonalData[0], "Anna");
    EXPECT_EQ(state.PersonalData[9], "");
    EXPECT_TRUE(dialogs.messages.empty()) << "success is silent";
    EXPECT_FALSE(formGone());
    EXPECT_TRUE(form->isVisible());
}

TEST_F(PersonalDataWindowTest, BackKeepsTheTextsAndShowsTheOwner)
{
    type(1, QStringLiteral("Berg"));
    form->Command2->click();
    EXPECT_EQ(state.PersonalData[1], "Berg");
    EXPECT_EQ(state.PersonalData[2], "old 2");
    EXPECT_TRUE(owner.isVisible());
    EXPECT_TRUE(formGone());
    EXPECT_FALSE(dir.exists("TF.dat")) << "BACK writes nothing";

    // Opened again, the form starts from what BACK left.
    PersonalDataWindow again(state, dialogs, dir.path(), &owner);
    EXPECT_EQ(again.LL[1]->text(), "Berg");
}

TEST_F(PersonalDataWindowTest, ClosingOtherwiseKeepsNothingAndLeavesTheOwnerHidden)
{
    type(1, QStringLiteral("Berg"));
    form->close();
    EXPECT_EQ(state.PersonalData[1], "old 1");
    EXPECT_FALSE(owner.isVisible());
    EXPECT_TRUE(formGone());
}

TEST_F(PersonalDataWindowTest, SaveThatCannotWriteSaysSoOnceAndKeepsTheOldFile)
{
    form->Command1->click();
    const std::string before = dir.read("TF.dat");
    type(0, QStringLiteral("A first name long enough to pass the limit"));
    {
        FileSizeLimit full(8);
        form->Command1->click();
    }
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains("TF.dat")) << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(dialogs.messages[0].title, "Tapfill");
    EXPECT_EQ(dialogs.messages[0].style, platform::MsgBox::Exclamation);
    EXPECT_EQ(dir.read("TF.dat"), before);
    EXPECT_EQ(state.PersonalData[0], "old 0") << "in use stays what is saved";
    EXPECT_EQ(form->LL[0]->text(), "A first name long enough to pass the limit") << "the typing is not lost";
}

TEST_F(PersonalDataWindowTest, SaveIntoAMissingFolderSaysSo)
{
    PersonalDataWindow elsewhere(state, dialogs, dir.path() / "missing", &owner);
    elsewhere.Command1->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains("TF.dat"));
}

} // namespace
} // namespace tapfill::test
