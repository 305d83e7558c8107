#pragma once
// The model and the paste engine on the fake platform, with no window:
// what a user's clicks and keys do to them, fresh for every test.

#include "engine/PasteEngine.h"
#include "model/AppModel.h"
#include "platform/fake/FakePlatform.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace tapfill::test {

/// Timers need an application object; one serves the whole test program.
inline QCoreApplication& coreApp()
{
    static int argc = 1;
    static char name[] = "tapfill-engine-tests";
    static char* argv[] = {name, nullptr};
    static auto* app = new QCoreApplication(argc, argv);
    return *app;
}

struct EngineFixture : ::testing::Test {
    EngineFixture()
    {
        coreApp();
        QObject::connect(&engine, &engine::PasteEngine::showWindowRequested, [this] { ++showRequests; });
        QObject::connect(&engine, &engine::PasteEngine::raiseWindowRequested, [this] { ++raiseRequests; });
        QObject::connect(&engine, &engine::PasteEngine::hideWindowRequested, [this] { ++hideRequests; });
        model.setPages(model::Page::OneLine, 0);
        model.select(model::FieldSet::OneLine, 0);
        engine.clock = [this] { return now; };
    }

    /// PASTE, and the 120 ms later tick: click acceptance is on.
    void acceptClicks()
    {
        engine.togglePaste();
        engine.resumeClickAcceptance();
    }
    /// A user's right click: press and release, seen and intercepted.
    /// Returns how many of the two were kept from the program.
    int rightClick()
    {
        int kept = 0;
        for (auto message : {platform::MouseMessage::RightButtonDown, platform::MouseMessage::RightButtonUp}) {
            fake.rightClickHook().injectMessage(message);
            kept += fake.rightClickInterceptor().injectMessage(message) ? 1 : 0;
        }
        return kept;
    }
    /// A left click into another program, the 100 ms tick after it, and
    /// the program taking the paste once its keys are processed.
    void leftClickAndTick()
    {
        fake.leftClickHook().injectMessage(platform::MouseMessage::LeftButtonUp);
        if (engine.deliveryTimer.isActive())
            engine.deliver();
        pasteTaken();
    }
    /// The focused program reads the pasted field and then asks nothing
    /// more: the paste is done.
    void pasteTaken()
    {
        fake.clipboard().reportRead();
        settle();
    }
    /// Time enough passes for the paste being watched to be decided.
    void settle()
    {
        now += std::chrono::seconds(5);
        engine.checkPaste();
    }
    int selected(model::FieldSet set) const { return model.selectedIndex(set); }

    platform::fake::FakePlatform fake;
    model::AppModel model;
    engine::PasteEngine engine{model, fake.platform};
    engine::PasteSettling::Clock::time_point now{};
    int showRequests = 0, raiseRequests = 0, hideRequests = 0;
};

} // namespace tapfill::test
