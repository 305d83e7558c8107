// Clicks and the F12 key caught anywhere on the desktop. Two hooks report
// them; SubClass1 keeps right clicks from their window while paste mode is
// on. The shared flags decide what each gesture does:
//
//   left release   ReadyFlag = 1     start the delivery (Timer1); the click passes
//   right click    ActiveFlag = 1    swallowed; main window shown on top;
//                                    with ReadyFlag = 1 also one advance
//   F12            always            paste mode on or off, tray look follows

#include "paste/PasteEngine.h"

#include "ui/main/MainWindow.h"

#include <QPushButton>

namespace tapfill::paste {

using platform::MouseMessage;

PasteEngine::PasteEngine(ui::MainWindow& form, SharedState& state, platform::Platform& platform)
    : form_(form), state_(state), platform_(platform)
{
    platform_.WinHook1->watch({MouseMessage::RightButtonDown, MouseMessage::RightButtonUp},
                              platform::WatchedKey::F12);
    platform_.WinHook2->watch({MouseMessage::LeftButtonUp}, platform::WatchedKey::None);
    platform_.SubClass1->watch({MouseMessage::RightButtonDown, MouseMessage::RightButtonUp});
    platform_.SubClass2->watch({MouseMessage::LeftButtonUp});

    platform_.WinHook1->onHookMessage = [this](const auto& message) { WinHook1_HookMessage(message); };
    platform_.WinHook1->onHookKey = [this] { WinHook1_HookKey(); };
    platform_.WinHook2->onHookMessage = [this](const auto& message) { WinHook2_HookMessage(message); };
    platform_.SubClass1->onSubclassMessage = [this](auto message, auto& passOn) {
        SubClass1_SubclassMessage(message, passOn);
    };
    platform_.SubClass2->onSubclassMessage = [this](auto message, auto& passOn) {
        SubClass2_SubclassMessage(message, passOn);
    };

    form_.Timer1.onTick(this, [this] { Timer1_Timer(); });
    form_.Timer2.onTick(this, [this] { Timer2_Timer(); });
    connect(form_.Command2, &QAbstractButton::clicked, this, [this] { Command2_Click(); });
    connect(form_.Command4, &QAbstractButton::clicked, this, [this] { Command4_Click(); });
}

void PasteEngine::WinHook1_HookMessage(const platform::HookedMessage& message)
{
    if (state_.ActiveFlag == 1) {
        platform_.SubClass1->setTargetWindow(message.window);
        form_.show(); // it may have been put away with HIDE
    }
}

void PasteEngine::SubClass1_SubclassMessage(MouseMessage, std::int16_t& passOn)
{
    // Both the press and the release come here; AdvanceToggle makes them one step.
    if (state_.ActiveFlag == 1) {
        passOn = platform::KeepMessage;
        form_.MakeTopmost();
        if (state_.ReadyFlag == 1)
            AdvanceField();
    }
}

void PasteEngine::WinHook2_HookMessage(const platform::HookedMessage& message)
{
    // A click on Tapfill's own window or tray icon chooses something in
    // Tapfill; pasting into it would be a surprise.
    if (message.ownWindow)
        return;
    if (state_.ReadyFlag == 1) {
        platform_.SubClass2->setTargetWindow(message.window);
        form_.Timer1.setEnabled(true);
    }
}

void PasteEngine::SubClass2_SubclassMessage(MouseMessage, std::int16_t&)
{
    // The left release always reaches its window.
}

void PasteEngine::WinHook1_HookKey()
{
    if (state_.ActiveFlag == 1) {
        form_.setActiveFlag(0);
        form_.TraySetIdle();
    } else {
        form_.setActiveFlag(1);
        form_.TraySetActive();
    }
}

} // namespace tapfill::paste
