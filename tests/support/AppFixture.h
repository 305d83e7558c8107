#pragma once
// A whole application on the fake platform: the main window, the paste
// engine and the shared state, fresh for every test.

#include "support/QtTestApp.h"
#include "support/TempDir.h"

#include "app/Application.h"
#include "paste/PasteEngine.h"
#include "platform/fake/FakePlatform.h"
#include "ui/main/MainWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tapfill::test {

struct AppFixture : QtTest {
    platform::fake::FakePlatform fake;
    TempDir dir;
    int exitCode = -1; ///< set when the program asked to end the process
    Application app{fake.platform, dir.path(), [this](int code) { exitCode = code; }};
    ui::MainWindow& form = *app.TFPRO;
    paste::PasteEngine& engine = *app.engine;
    SharedState& state = app.state;

    /// PASTE, and the 120 ms later tick: click acceptance is on.
    void switchClickAcceptanceOn()
    {
        engine.Command2_Click();
        engine.Timer2_Timer();
    }
    /// What a user's right click does with paste mode on: press and release.
    int rightClick()
    {
        int kept = 0;
        for (auto message : {platform::MouseMessage::RightButtonDown, platform::MouseMessage::RightButtonUp}) {
            fake.winHook1().injectMessage(message);
            kept += fake.subClass1().injectMessage(message) ? 1 : 0;
        }
        return kept;
    }
    /// A left click into another program, and the 100 ms tick after it.
    void leftClickAndTick()
    {
        fake.winHook2().injectMessage(platform::MouseMessage::LeftButtonUp);
        if (form.Timer1.enabled())
            engine.Timer1_Timer();
    }
    /// The user turns the outer tab strip.
    void turnOuter(int page)
    {
        form.SSTab1->setCurrentIndex(page);
        form.SSTab1_Click();
    }
    /// The button that is on in `group`, -1 for none.
    static int selectedIndex(std::span<QRadioButton* const> group)
    {
        int found = -1;
        for (std::size_t i = 0; i < group.size(); ++i) {
            if (group[i]->isChecked()) {
                EXPECT_EQ(found, -1) << "two buttons of one group are on";
                found = static_cast<int>(i);
            }
        }
        return found;
    }
};

} // namespace tapfill::test
