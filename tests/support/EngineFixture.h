#pragma once
// The model and the paste engine on the fake platform, with no window:
// what a user's clicks and keys do to them, fresh for every test.

#include "engine/PasteEngine.h"
#include "model/AppModel.h"
#include "platform/fake/FakePasteServices.h"

#include <gtest/gtest.h>

#include <vector>

namespace tapfill::test {

struct EngineFixture : ::testing::Test {
    EngineFixture()
    {
        requests.push_back(engine.showWindowRequested.connect([this] { ++showRequests; }));
        requests.push_back(engine.raiseWindowRequested.connect([this] { ++raiseRequests; }));
        requests.push_back(engine.hideWindowRequested.connect([this] { ++hideRequests; }));
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
        if (engine.deliveryTimer->isActive())
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

    platform::fake::FakePasteServices fake;
    model::AppModel model;
    engine::PasteEngine engine{model, fake.platform};
    engine::PasteSettling::Clock::time_point now{};
    int showRequests = 0, raiseRequests = 0, hideRequests = 0;
    std::vector<model::Connection> requests;
};

} // namespace tapfill::test
