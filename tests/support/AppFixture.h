#pragma once
// A whole application on the fake platform: the model, the paste engine,
// the main window and the tray icon, fresh for every test.

#include "support/QtTestApp.h"
#include "support/TempDir.h"

#include "app/Application.h"
#include "engine/PasteEngine.h"
#include "platform/fake/FakePlatform.h"
#include "ui/main/MainWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <span>

namespace tapfill::test {

struct AppFixture : QtTest {
    platform::fake::FakePlatform fake;
    TempDir dir;
    int exitCode = -1; ///< set when the program asked to end the process
    Application app{fake.platform, dir.path(), [this](int code) { exitCode = code; }};
    ui::MainWindow& form = *app.mainWindow;
    engine::PasteEngine& engine = *app.engine;
    model::AppModel& model = app.model;

    /// PASTE, and the 120 ms later tick: click acceptance is on.
    void acceptClicks()
    {
        form.pasteButton->click();
        engine.resumeClickAcceptance();
    }
    /// The user turns the outer tab strip.
    void turnOuter(int page)
    {
        form.pages->setCurrentIndex(page);
        form.onPageChanged();
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
