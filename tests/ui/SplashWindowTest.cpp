// The splash window: what it shows, and the ways it closes (once).

#include "support/QtTestApp.h"
#include "ui/InputEvents.h"

#include "ui/main/Twips.h"
#include "ui/splash/SplashWindow.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QTimer>

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

    void press(int key, const QString& text = {}) { pressKey(splash, key, text); }
    bool gone()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return splash.isNull();
    }
    int px(int twips) const { return ui::twipsToPixels(*splash, twips); }
};

// QtTest first: the application exists before the window.
struct SplashTest : QtTest, Splash {};

TEST_F(SplashTest, ShowsTitleVersionAndNoticesInsideTheFrame)
{
    EXPECT_TRUE(splash->windowTitle().isEmpty());
    EXPECT_EQ(splash->size(), QSize(px(7380), px(4245)));
    EXPECT_EQ(splash->minimumSize(), splash->maximumSize());
    EXPECT_EQ(splash->palette().color(QPalette::Window), QColor(0, 192, 0));
    EXPECT_EQ(splash->Frame1->palette().color(QPalette::Window), QColor(0, 128, 0));
    EXPECT_EQ(splash->Frame1->geometry(), QRect(px(120), px(120), px(7200), px(4050)));
    EXPECT_EQ(splash->imgLogo->geometry(), QRect(px(360), px(795), px(1815), px(2385)));
    EXPECT_EQ(splash->imgLogo->pixmap().size(), QSize(98, 158));

    EXPECT_EQ(splash->lblProductName->text(), "Tapfill");
    EXPECT_EQ(splash->lblPlatform->text(), "Platform");
    EXPECT_EQ(splash->lblVersion->text(), "Version 3.0.5");
    EXPECT_EQ(splash->lblProductName->pos(), QPoint(px(2520), px(840)));
    EXPECT_EQ(splash->lblWarning->text().count('\n'), 1) << "a notice of two lines";
    for (QLabel* label : {splash->lblProductName, splash->lblPlatform, splash->lblVersion, splash->lblCopyright,
                          splash->lblCompany, splash->lblWarning}) {
        EXPECT_EQ(label->parentWidget(), splash->Frame1);
        EXPECT_TRUE(splash->Frame1->rect().contains(label->geometry())) << label->objectName().toStdString();
        EXPECT_LE(label->heightForWidth(label->width()) > 0 ? label->heightForWidth(label->width())
                                                           : label->sizeHint().height(),
                  label->height())
            << label->objectName().toStdString() << " is cut off";
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::white));
    }
    EXPECT_TRUE(splash->lblProductName->font().bold());
    EXPECT_DOUBLE_EQ(splash->lblProductName->font().pointSizeF(), 26.25);
}

TEST_F(SplashTest, TheShortTimerStartsAtActivationTheLongOneAtLoad)
{
    EXPECT_EQ(splash->Timer1->interval(), 2000);
    EXPECT_EQ(splash->Timer2->interval(), 7500);
    EXPECT_FALSE(splash->Timer1->isActive());
    EXPECT_TRUE(splash->Timer2->isActive());

    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(splash, &activate);
    EXPECT_TRUE(splash->Timer1->isActive());
    EXPECT_EQ(finished, 0);
}

TEST_F(SplashTest, EitherTimerClosesIt)
{
    for (bool shortTimer : {true, false}) {
        Splash other;
        QMetaObject::invokeMethod(shortTimer ? other.splash->Timer1 : other.splash->Timer2, "timeout");
        EXPECT_EQ(other.finished, 1);
        EXPECT_TRUE(other.gone());
    }
}

TEST_F(SplashTest, KeysThatTypeACharacterClose)
{
    struct Key {
        int key;
        const char* text;
    };
    for (const Key& k : {Key{Qt::Key_A, "a"}, Key{Qt::Key_5, "5"}, Key{Qt::Key_Period, "."},
                         Key{Qt::Key_Space, " "}, Key{Qt::Key_Escape, ""}, Key{Qt::Key_Return, ""},
                         Key{Qt::Key_Enter, ""}, Key{Qt::Key_Backspace, ""}}) {
        Splash other;
        other.press(k.key, QString::fromLatin1(k.text));
        EXPECT_EQ(other.finished, 1) << "key " << k.key;
        EXPECT_FALSE(other.splash->Timer1->isActive());
        EXPECT_FALSE(other.splash->Timer2->isActive());
        EXPECT_TRUE(other.splash->isHidden());
        EXPECT_TRUE(other.gone());
    }
}

TEST_F(SplashTest, KeysWithoutACharacterDoNothing)
{
    for (int key : {Qt::Key_Left, Qt::Key_Down, Qt::Key_F1, Qt::Key_F12, Qt::Key_Shift, Qt::Key_Control,
                    Qt::Key_Home})
        press(key);
    EXPECT_EQ(finished, 0);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(splash->Timer2->isActive());
}

TEST_F(SplashTest, AClickOnTheFrameCloses)
{
    const QPoint empty(px(6000), px(300));
    ASSERT_EQ(splash->Frame1->childAt(empty), nullptr);
    click(splash->Frame1, empty);
    EXPECT_EQ(finished, 1);
    EXPECT_TRUE(gone());
}

TEST_F(SplashTest, AClickOnTheLogoOrALabelDoesNot)
{
    for (QLabel* label : {splash->imgLogo, splash->lblProductName, splash->lblPlatform, splash->lblVersion,
                          splash->lblCopyright, splash->lblCompany, splash->lblWarning})
        click(label, label->rect().center());
    EXPECT_EQ(finished, 0);
    EXPECT_TRUE(splash->isVisible());
}

TEST_F(SplashTest, ClosesOnlyOnce)
{
    QEvent activate(QEvent::WindowActivate);
    press(Qt::Key_Escape);
    press(Qt::Key_A, "a");
    click(splash->Frame1, QPoint(px(6000), px(300)));
    QApplication::sendEvent(splash, &activate); // a late activation must not re-arm the timer
    splash->closeAndLoadMain();
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(splash->Timer1->isActive());
    EXPECT_TRUE(gone());
}

} // namespace
} // namespace tapfill::test
