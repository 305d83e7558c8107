#pragma once
// The state that the event handlers share, one object owned by the
// application and handed to every window. Flags are 16-bit integers holding
// 0 or 1; every test of a flag compares it with 1 (or, in PASTE, with 0).

#include "platform/TrayIcon.h"

#include <array>
#include <cstdint>
#include <string>

namespace tapfill {

/// Personal data slots, in file and button order.
inline constexpr int PersonalSlots = 10;
/// One-line and multi-line fields.
inline constexpr int OneLineFields = 12;
inline constexpr int MultiLineFields = 12;

struct SharedState {
    /// Slot i is personal field i (first name .. phone number); slot 10 is never used.
    std::array<std::string, 11> PersonalData{};
    /// What the user typed into the description box.
    std::string NewDescription;
    /// Paste mode: right clicks anywhere are swallowed and advance the field.
    std::int16_t ActiveFlag = 0;
    /// Click acceptance: a left click anywhere may start a paste.
    std::int16_t ReadyFlag = 0;
    /// Slot k is the description of multi-line field k, as of start-up or the
    /// last SAVE; slot 12 is read from the file when present but never shown.
    std::array<std::string, 13> Descriptions{};
    /// The caption of the button being described, before the edit.
    std::string OldDescription;
    /// Page of the outer tab strip: 0 "1 LINE", 1 "PERS", 2 "MULTI", 3 "OPT.".
    std::int16_t CurrentTab = 0;
    /// Page of the inner tab strip: 0 "MULTI 1", 1 "MULTI 2", 2 "MULTI 3".
    std::int16_t CurrentSubTab = 0;
    /// 1: the next advance request only resets the toggle (one step per right click).
    std::int16_t AdvanceToggle = 0;
    /// The one tray icon of the process.
    platform::TrayIconData TrayIconData;
};

} // namespace tapfill
