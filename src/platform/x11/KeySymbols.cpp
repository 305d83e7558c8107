// The X keysym of each named key, apart from the notation itself, which the
// Windows build compiles without X headers.

#include "platform/x11/KeyNotation.h"

#include <xkbcommon/xkbcommon-keysyms.h>

namespace tapfill::platform::keys {

unsigned long keysymOf(NamedKey key)
{
    switch (key) {
    case NamedKey::Tab: return XKB_KEY_Tab;
    case NamedKey::Enter: return XKB_KEY_Return;
    case NamedKey::Escape: return XKB_KEY_Escape;
    case NamedKey::Backspace: return XKB_KEY_BackSpace;
    case NamedKey::Delete: return XKB_KEY_Delete;
    case NamedKey::Insert: return XKB_KEY_Insert;
    case NamedKey::Home: return XKB_KEY_Home;
    case NamedKey::End: return XKB_KEY_End;
    case NamedKey::PageUp: return XKB_KEY_Prior;
    case NamedKey::PageDown: return XKB_KEY_Next;
    case NamedKey::Up: return XKB_KEY_Up;
    case NamedKey::Down: return XKB_KEY_Down;
    case NamedKey::Left: return XKB_KEY_Left;
    case NamedKey::Right: return XKB_KEY_Right;
    case NamedKey::Break: return XKB_KEY_Break;
    case NamedKey::CapsLock: return XKB_KEY_Caps_Lock;
    case NamedKey::NumLock: return XKB_KEY_Num_Lock;
    case NamedKey::ScrollLock: return XKB_KEY_Scroll_Lock;
    case NamedKey::PrintScreen: return XKB_KEY_Print;
    case NamedKey::Help: return XKB_KEY_Help;
    case NamedKey::Add: return XKB_KEY_KP_Add;
    case NamedKey::Subtract: return XKB_KEY_KP_Subtract;
    case NamedKey::Multiply: return XKB_KEY_KP_Multiply;
    case NamedKey::Divide: return XKB_KEY_KP_Divide;
    default:
        // F1 .. F16 follow each other in the keysym table as in the enum.
        return XKB_KEY_F1 + (static_cast<int>(key) - static_cast<int>(NamedKey::F1));
    }
}

} // namespace tapfill::platform::keys
