// The splash window: what it shows, and the ways it closes (once).

#include "support/InputEvents.h"
#include "support/QtTestApp.h"

#include "ui/main/Twips.h"
#include "ui/splash/SplashWindow.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QTimer>

#include <functional>

namespace tapfill::test {
namespace {

using ui::SplashWindow;

/// A splash window on show, and how often it said it had finished.
struct Splash {
    QPointer<SplashWindow> splash = new SplashWindow;
    int finished = 0;

    Splash()
    {
        QObject::connect(splash, &SplashWindow::finished, [this] { ++finished; });
        splash->show();
    }
    ~Splash() { delete splash.data(); }
    Splash(const Splash&) = delete;
    Splash& operator=(const Splash&) = delete;

    int px(int twips) const { return ui::twipsToPixels(*splash, twips); }
    QPoint emptyPlace() const { return {px(6000), px(300)}; } ///< on the frame, beside every label
    std::vector<QLabel*> labels() const
    {
        return {splash->logo,     splash->productName, splash->platformLabel, splash->versionLabel,
                splash->copyrightLabel, splash->companyLabel,    splash->warningLabel};
    }
};

// QtTest first: the application exists before the window.
struct SplashTest : QtTest, Splash {};

TEST_F(SplashTest, EveryNoticeLiesWholeInsideTheFrame)
{
    for (QLabel* label : labels()) {
        const std::string name = label->objectName().toStdString();
        EXPECT_EQ(label->parentWidget(), splash->frame);
        EXPECT_TRUE(splash->frame->rect().contains(label->geometry())) << name;
        const int needed = label->heightForWidth(label->width());
        EXPECT_LE(needed > 0 ? needed : label->sizeHint().height(), label->height()) << name << " is cut off";
    }
}

TEST_F(SplashTest, TheShortTimerStartsAtActivationTheLongOneAtLoad)
{
    EXPECT_FALSE(splash->handOverTimer->isActive());
    EXPECT_TRUE(splash->latestHandOverTimer->isActive());

    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(splash, &activate);
    EXPECT_TRUE(splash->handOverTimer->isActive());
    EXPECT_EQ(finished, 0);
}

TEST_F(SplashTest, EitherTimerAKeyThatTypesACharacterOrAClickOnTheFrameClosesItOnce)
{
    ASSERT_EQ(splash->frame->childAt(emptyPlace()), nullptr);
    std::vector<std::function<void(Splash&)>> closers{
        [](Splash& s) { QMetaObject::invokeMethod(s.splash->handOverTimer, "timeout"); },
        [](Splash& s) { QMetaObject::invokeMethod(s.splash->latestHandOverTimer, "timeout"); },
        [](Splash& s) { click(s.splash->frame, s.emptyPlace()); },
        [](Splash& s) { s.splash->close(); }, // the window manager closes it
        [](Splash& s) { s.splash->closeAndLoadMain(); },
    };
    for (const auto& [key, text] : {std::pair<int, const char*>{Qt::Key_A, "a"}, {Qt::Key_5, "5"},
                                    {Qt::Key_Period, "."}, {Qt::Key_Space, " "}, {Qt::Key_Escape, ""},
                                    {Qt::Key_Return, ""}, {Qt::Key_Enter, ""}, {Qt::Key_Backspace, ""}})
        closers.push_back([key, text](Splash& s) { pressKey(s.splash, key, text); });
    for (std::size_t way = 0; way < closers.size(); ++way) {
        Splash other;
        closers[way](other);
        // Every other way after it, and a late activation that must not re-arm the timer.
        for (const auto& again : closers)
            again(other);
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(other.splash, &activate);
        EXPECT_EQ(other.finished, 1) << "way " << way;
        EXPECT_FALSE(other.splash->handOverTimer->isActive() || other.splash->latestHandOverTimer->isActive()) << way;
        EXPECT_TRUE(other.splash->isHidden()) << way;
        EXPECT_TRUE(deleted(other.splash)) << way;
    }
}

TEST_F(SplashTest, KeysWithoutACharacterAndClicksOnTheLogoOrALabelDoNothing)
{
    for (int key : {Qt::Key_Left, Qt::Key_Down, Qt::Key_F1, Qt::Key_F12, Qt::Key_Shift, Qt::Key_Control,
                    Qt::Key_Home})
        pressKey(splash, key);
    for (QLabel* label : labels())
        click(label, label->rect().center());
    EXPECT_EQ(finished, 0);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(splash->latestHandOverTimer->isActive());
}

} // namespace
} // namespace tapfill::test
