// Start-up and the orderly stops: the running flag, the two-copies warning,
// the tray icon and the data files. A first start (the flag, the icon, the
// window hidden, or shown without a tray) is met in the e2e tests.

#include "support/AppFixture.h"

#include "app/RunningCopyLock.h"
#include "ui/tray/NoticeWindow.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace tapfill::test {
namespace {

const char* const FlagKey = "lockfiles/startit/FL1";

struct StartupShutdown : AppFixture {
    std::string flag() { return fake.settings().values[FlagKey]; }
};

TEST_F(StartupShutdown, AStoppedDeliveryIsToldInTheTrayOrWithoutATrayInANoticeThatGoesByItself)
{
    app.start();
    const QString text = "The field was not pasted: the program Tk did not take the paste.";
    engine.deliveryStopped.notify("the program Tk did not take the paste");
    ASSERT_EQ(fake.tray().messages.size(), 1u);
    EXPECT_EQ(fake.tray().messages[0].second, text);
    EXPECT_FALSE(app.notice->isVisible());

    // Without a tray: no modal box, which would block the main window; that
    // the notice leaves the focus where it was is met in the e2e tests.
    fake.tray().trayAvailable = false;
    engine.deliveryStopped.notify("the program Tk did not take the paste");
    EXPECT_EQ(fake.tray().messages.size(), 1u);
    EXPECT_TRUE(fake.dialogs().messages.empty());
    ASSERT_TRUE(app.notice->isVisible());
    EXPECT_EQ(app.notice->textLabel->text(), text);
    EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(app.notice->frameGeometry()));

    ui::NoticeWindow brief(std::chrono::milliseconds(20));
    brief.tell("Tapfill", "first");
    brief.tell("Tapfill", "second");
    EXPECT_EQ(brief.textLabel->text(), "second");
    QEventLoop wait;
    QTimer::singleShot(200, &wait, &QEventLoop::quit);
    wait.exec();
    EXPECT_FALSE(brief.isVisible());
}

TEST_F(StartupShutdown, OnlyALiveCopyWarnsNotAFlagLeftByACrashAndYesJoinsIt)
{
    const auto lockFile = dir.path() / "running.lock";
    app.useRunningCopyLock(lockFile);
    fake.settings().values[FlagKey] = "1"; // a copy that was killed
    ASSERT_TRUE(app.start());
    EXPECT_TRUE(fake.dialogs().messages.empty());

    // A second copy (a lock of its own on the same file) is warned; Yes
    // starts it, and a third is warned while either of the two runs.
    Application second(fake.platform, dir.path(), [](int) {});
    second.useRunningCopyLock(lockFile);
    fake.dialogs().answers = {platform::MsgBox::AnswerYes};
    EXPECT_TRUE(second.start());
    ASSERT_EQ(fake.dialogs().messages.size(), 1u);
    EXPECT_EQ(fake.dialogs().messages[0].title, "Tapfill Two copy Warning");
    RunningCopyLock third(lockFile);
    app.useRunningCopyLock({}); // the first copy ends, and its lock with it
    EXPECT_TRUE(third.anotherCopyRuns()) << "the second copy, which went on, counts too";
    second.useRunningCopyLock({});
    EXPECT_FALSE(third.anotherCopyRuns());
}

// The exit code, the flag cleared and no second icon are met in test_tapfill.
TEST_F(StartupShutdown, AnsweringNoEndsTheProcessWithoutReadingTheData)
{
    RunningCopyLock first(dir.path() / "running.lock");
    ASSERT_FALSE(first.anotherCopyRuns());
    first.hold();
    app.useRunningCopyLock(dir.path() / "running.lock");
    dir.write("F3.dat", " 0 \r\n 0 \r\nkept\r\n");
    fake.dialogs().answers = {platform::MsgBox::AnswerNo};
    EXPECT_FALSE(app.start());
    EXPECT_EQ(fake.dialogs().messages.size(), 1u);
    EXPECT_EQ(form.oneLineEdits[0]->text(), "") << "no data file is read";
    EXPECT_EQ(dir.read("F3.dat"), " 0 \r\n 0 \r\nkept\r\n");
}

TEST(RunningCopyLockPath, OnePerUserAndDesktopInTheRuntimeFolderElseBesideTheFlag)
{
    const auto path = [](std::optional<std::string> runtime, std::optional<std::string> config,
                         std::optional<std::string> display) {
        return runningCopyLockPath(runtime, config, "/home/ann", display, "box").string();
    };
    EXPECT_EQ(path("/run/user/1000", "/cfg", ":1"), "/run/user/1000/tapfill-display-1.lock");
    EXPECT_EQ(path("/run/user/1000", {}, ":1.0"), path("/run/user/1000", {}, "unix:1")) << "one desktop";
    EXPECT_EQ(path("/r", {}, "localhost:10.0"), "/r/tapfill-display-localhost-10.lock");
    EXPECT_EQ(path("/r", {}, {}), "/r/tapfill-display-none.lock");
    EXPECT_EQ(path({}, "/cfg", ":1"), "/cfg/lockfiles/tapfill-box-display-1.lock");
    EXPECT_EQ(path("run", "cfg", ":1"), "/home/ann/.config/lockfiles/tapfill-box-display-1.lock")
        << "relative folders are ignored";
    EXPECT_EQ(path("/r", {}, "a/b:1"), "/r/tapfill-display-a_b-1.lock");
    EXPECT_EQ(runningCopyLockPath({}, {}, {}, ":1", "box"), "");
}

TEST_F(StartupShutdown, LoadsEveryKindOfDataFileAndSaveWritesBackWhatItRead)
{
    const std::string f3 = "-150 \r\n 1440 \r\nfirst\r\nsecond\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nlast\r\n";
    const std::string caption = "Address block\r\nTom & Jerry\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
    dir.write("F3.dat", f3);
    dir.write("TF.dat", "Jane\r\nDoe\r\n");
    dir.write("MLT12.DAT", "two\r\nlines\r\n\r\n");
    dir.write("CAPTION.dat", caption.substr(0, 28)); // a caption without a line becomes empty
    app.start();

    EXPECT_EQ(form.leftTwips(), -150);
    EXPECT_EQ(form.topTwips(), 1440);
    EXPECT_EQ(form.oneLineEdits[11]->text(), "last");
    EXPECT_EQ(model.text(model::FieldSet::Personal, 1), "Doe");
    EXPECT_EQ(form.multiLineEdits[11]->toPlainText(), "two\nlines\n");
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

// The flag cleared, the icon gone and the exit code are met in test_tapfill.
TEST_F(StartupShutdown, ExitEndsWithoutSaving)
{
    app.start();
    form.oneLineEdits[0]->setText("unsaved");
    form.exitButton->click();
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
