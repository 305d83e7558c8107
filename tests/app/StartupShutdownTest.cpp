// Start-up and the orderly stops: the running flag, the two-copies warning,
// the tray icon and the data files.

#include "support/AppFixture.h"

namespace tapfill::test {
namespace {

const char* const FlagKey = "lockfiles/startit/FL1";

struct StartupShutdown : AppFixture {
    std::string flag() { return fake.settings().values[FlagKey]; }
};

TEST_F(StartupShutdown, FirstStartMarksTheCopyAddsTheIdleIconAndStaysHidden)
{
    ASSERT_TRUE(app.start());
    EXPECT_EQ(flag(), "1");
    EXPECT_TRUE(fake.dialogs().messages.empty());
    EXPECT_TRUE(fake.tray().present);
    EXPECT_EQ(fake.tray().tip, "Double Click To Start Tapfill");
    EXPECT_FALSE(model.pasteMode());
    EXPECT_FALSE(form.isVisible());
}

TEST_F(StartupShutdown, WithoutATrayTheWindowIsShownInstead)
{
    fake.tray().trayAvailable = false;
    app.start();
    EXPECT_TRUE(form.isVisible());
}

TEST_F(StartupShutdown, AStoppedDeliveryIsToldInTheTrayOrWithoutATrayInAMessageBox)
{
    app.start();
    for (const bool tray : {true, false}) {
        fake.tray().trayAvailable = tray;
        fake.tray().messages.clear();
        fake.dialogs().messages.clear();
        emit engine.deliveryStopped("the program Tk did not take the paste");
        const QString text = "The field was not pasted: the program Tk did not take the paste.";
        ASSERT_EQ(fake.tray().messages.size(), tray ? 1u : 0u);
        ASSERT_EQ(fake.dialogs().messages.size(), tray ? 0u : 1u);
        EXPECT_EQ(tray ? fake.tray().messages[0].second : fake.dialogs().messages[0].text, text);
    }
}

TEST_F(StartupShutdown, AStoredFlagThatReadsAsOneWarnsAndYesGoesOn)
{
    const std::pair<const char*, bool> cases[] = {
        {"0", false}, {"2", false}, {"1 1", false}, {"abc", false}, {"", false}, {"0.5", false},
        {"1", true},  {"1.0", true}, {" 1", true},  {"01abc", true}, {"1 ", true},
    };
    for (const auto& [stored, warns] : cases) {
        fake.settings().values[FlagKey] = stored;
        fake.dialogs().messages.clear();
        fake.dialogs().answers = {platform::MsgBox::AnswerYes};
        EXPECT_TRUE(app.start()) << '"' << stored << '"';
        EXPECT_EQ(fake.dialogs().messages.size(), warns ? 1u : 0u) << '"' << stored << '"';
    }
    // Its title, and No as the default button, are met in the e2e tests.
}

TEST_F(StartupShutdown, AnsweringNoEndsTheProcessWithTheFlagClearedAndNoIcon)
{
    fake.settings().values[FlagKey] = "1";
    dir.write("F3.dat", " 0 \r\n 0 \r\nkept\r\n");
    fake.dialogs().answers = {platform::MsgBox::AnswerNo};
    EXPECT_FALSE(app.start());
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(flag(), "0");
    EXPECT_FALSE(fake.tray().present);
    EXPECT_EQ(form.oneLineEdits[0]->text(), "") << "no data file is read";
    EXPECT_EQ(dir.read("F3.dat"), " 0 \r\n 0 \r\nkept\r\n");
}

TEST_F(StartupShutdown, LoadsEveryKindOfDataFileAndSaveWritesBackWhatItRead)
{
    const std::string f3 = "-150 \r\n 1440 \r\nfirst\r\nsecond\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nlast\r\n";
    const std::string caption = "Address block\r\nTom & Jerry\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
    dir.write("F3.dat", f3);
    dir.write("TF.dat", "Jane\r\nDoe\r\n");
    dir.write("MLT1.DAT", "two\r\nlines\r\n\r\n");
    dir.write("MLT12.DAT", "last\r\n\r\n");
    dir.write("CAPTION.dat", caption.substr(0, 28)); // a caption without a line becomes empty
    app.start();

    EXPECT_EQ(form.leftTwips(), -150);
    EXPECT_EQ(form.topTwips(), 1440);
    EXPECT_EQ(form.oneLineEdits[1]->text(), "second");
    EXPECT_EQ(form.oneLineEdits[11]->text(), "last");
    EXPECT_EQ(model.text(model::FieldSet::Personal, 1), "Doe");
    EXPECT_EQ(form.multiLineEdits[0]->toPlainText(), "two\nlines\n");
    EXPECT_EQ(form.multiLineEdits[11]->toPlainText(), "last\n");
    EXPECT_EQ(form.multiLineButtons[1]->text(), "Tom && Jerry");
    EXPECT_EQ(form.multiLineButtons[2]->text(), "") << "a description the file lacks is empty";

    // That SAVE writes back the very bytes it read is met in the e2e tests;
    // here, a short caption file made whole and the personal data left alone.
    form.saveButton->click();
    EXPECT_EQ(dir.read("CAPTION.dat"), caption);
    EXPECT_EQ(dir.read("TF.dat"), "Jane\r\nDoe\r\n") << "SAVE leaves the personal data alone";
    EXPECT_TRUE(fake.dialogs().messages.empty()) << "success stays silent";
}

TEST_F(StartupShutdown, SaveIntoAFolderThatCannotBeWrittenSaysWhichFilesAndWhy)
{
    app.start();
    // A data "folder" that is a file: every write fails, even as root.
    dir.write("not-a-folder", "x");
    ui::MainWindow blocked(model, engine, fake.platform, dir.path() / "not-a-folder");
    blocked.oneLineEdits[0]->setText("typed");
    blocked.saveButton->click();
    ASSERT_EQ(fake.dialogs().messages.size(), 1u);
    const QString text = fake.dialogs().messages.front().text;
    for (const char* file : {"F3.dat", "CAPTION.dat", "MLT12.DAT"})
        EXPECT_TRUE(text.contains(file)) << text.toStdString();
    EXPECT_EQ(dir.read("not-a-folder"), "x");
}

TEST_F(StartupShutdown, ExitClearsTheFlagRemovesTheIconAndEndsAtOnceWithoutSaving)
{
    app.start();
    form.oneLineEdits[0]->setText("unsaved");
    form.exitButton->click();
    EXPECT_EQ(flag(), "0");
    EXPECT_FALSE(fake.tray().present);
    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(dir.exists("F3.dat"));
}

TEST_F(StartupShutdown, ClosingTheWindowByOtherMeansClearsTheFlagAndTheIcon)
{
    app.start();
    form.show();
    form.close();
    EXPECT_EQ(flag(), "0");
    EXPECT_FALSE(fake.tray().present);
}

} // namespace
} // namespace tapfill::test
