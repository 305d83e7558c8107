#include "platform/x11/KeyboardMap.h"

#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <unordered_map>

#include <X11/XKBlib.h>
#include <X11/Xlib-xcb.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace tapfill::platform::x11 {
namespace {

struct ContextDeleter {
    void operator()(xkb_context* c) const { xkb_context_unref(c); }
};
struct KeymapDeleter {
    void operator()(xkb_keymap* k) const { xkb_keymap_unref(k); }
};
struct StateDeleter {
    void operator()(xkb_state* s) const { xkb_state_unref(s); }
};

bool isLockingKeysym(xkb_keysym_t sym)
{
    switch (sym) {
    case XKB_KEY_Caps_Lock:
    case XKB_KEY_Shift_Lock:
    case XKB_KEY_Num_Lock:
    case XKB_KEY_Scroll_Lock:
    case XKB_KEY_ISO_Level3_Lock:
    case XKB_KEY_ISO_Level5_Lock:
    case XKB_KEY_ISO_Lock:
    case XKB_KEY_ISO_Group_Lock:
    case XKB_KEY_ISO_Next_Group:
    case XKB_KEY_ISO_Prev_Group:
        return true;
    default:
        return false;
    }
}

} // namespace

struct KeyboardMap::Loaded {
    std::unique_ptr<xkb_keymap, KeymapDeleter> keymap;
    std::vector<std::vector<int>> modifierRows; // per real modifier: its keys
    int indexedGroup = -1;
    std::unordered_map<unsigned long, KeyPosition> positions;
};

KeyboardMap::KeyboardMap(_XDisplay* display) : display_(display)
{
    int opcode = 0, event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
    if (!XkbQueryExtension(display_, &opcode, &event, &error, &major, &minor))
        return;
    xcb_connection_t* xcb = XGetXCBConnection(display_);
    if (!xkb_x11_setup_xkb_extension(xcb, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                                     XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr,
                                     nullptr))
        return;
    xkbEventBase_ = event;
    // A new keyboard, a new map of the same keyboard, and a change of the
    // group in effect. Modifier state is asked for when it matters.
    const unsigned long mapParts = XkbNewKeyboardNotifyMask | XkbMapNotifyMask | XkbStateNotifyMask;
    XkbSelectEvents(display_, XkbUseCoreKbd, mapParts, mapParts);
    XkbSelectEventDetails(display_, XkbUseCoreKbd, XkbStateNotify, XkbAllStateComponentsMask,
                          XkbGroupStateMask);
}

KeyboardMap::~KeyboardMap() = default;

void KeyboardMap::invalidate()
{
    loaded_.reset();
    ++generation_;
}

void KeyboardMap::setGroup(int group)
{
    if (group != group_)
        ++generation_;
    group_ = group;
}

bool KeyboardMap::produces(int keycode, unsigned modifiers, unsigned long keysym)
{
    Loaded* map = loaded();
    if (!map)
        return false;
    std::unique_ptr<xkb_state, StateDeleter> state(xkb_state_new(map->keymap.get()));
    if (!state)
        return false;
    xkb_state_update_mask(state.get(), modifiers, 0, 0, 0, 0,
                          static_cast<xkb_layout_index_t>(map->indexedGroup));
    return xkb_state_key_get_one_sym(state.get(), keycode) == keysym;
}

int KeyboardMap::group()
{
    if (group_ < 0) {
        XkbStateRec state{};
        group_ = XkbGetState(display_, XkbUseCoreKbd, &state) == Success ? state.group : 0;
    }
    return group_;
}

KeyboardMap::Loaded* KeyboardMap::loaded()
{
    if (!usable())
        return nullptr;
    if (!loaded_) {
        static std::unique_ptr<xkb_context, ContextDeleter> context(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
        if (!context)
            return nullptr;
        xcb_connection_t* xcb = XGetXCBConnection(display_);
        const int32_t device = xkb_x11_get_core_keyboard_device_id(xcb);
        if (device < 0)
            return nullptr;
        auto map = std::make_unique<Loaded>();
        map->keymap.reset(xkb_x11_keymap_new_from_device(context.get(), xcb, device,
                                                         XKB_KEYMAP_COMPILE_NO_FLAGS));
        if (!map->keymap)
            return nullptr;
        // Which keys set which real modifier: the core modifier map, as
        // every client sees it.
        map->modifierRows.resize(8);
        if (XModifierKeymap* modmap = XGetModifierMapping(display_)) {
            for (int row = 0; row < 8; ++row)
                for (int i = 0; i < modmap->max_keypermod; ++i)
                    if (int keycode = modmap->modifiermap[row * modmap->max_keypermod + i])
                        map->modifierRows[row].push_back(keycode);
            XFreeModifiermap(modmap);
        }
        loaded_ = std::move(map);
        group_ = -1; // a new map may come with another group in effect
    }
    if (loaded_->indexedGroup != group())
        index(*loaded_);
    return loaded_.get();
}

void KeyboardMap::index(Loaded& map)
{
    map.indexedGroup = group();
    map.positions.clear();
    xkb_keymap* keymap = map.keymap.get();
    std::unique_ptr<xkb_state, StateDeleter> state(xkb_state_new(keymap));
    if (!state)
        return;
    // Only modifiers that a key of the map sets while held can be pressed
    // along; Lock never is (Caps Lock is a toggle).
    unsigned pressable = 0;
    for (unsigned row = 0; row < 8; ++row)
        if (row != 1 && modifierKey(1u << row) != 0)
            pressable |= 1u << row;

    const xkb_keycode_t first = xkb_keymap_min_keycode(keymap), last = xkb_keymap_max_keycode(keymap);
    for (xkb_keycode_t key = first; key <= last && key <= 255; ++key) {
        if (xkb_keymap_num_layouts_for_key(keymap, key) == 0)
            continue;
        xkb_state_update_mask(state.get(), 0, 0, 0, 0, 0, static_cast<xkb_layout_index_t>(map.indexedGroup));
        const xkb_layout_index_t layout = xkb_state_key_get_layout(state.get(), key);
        if (layout == XKB_LAYOUT_INVALID)
            continue;
        const xkb_level_index_t levels = xkb_keymap_num_levels_for_key(keymap, key, layout);
        for (xkb_level_index_t level = 0; level < levels; ++level) {
            const xkb_keysym_t* syms = nullptr;
            if (xkb_keymap_key_get_syms_by_level(keymap, key, layout, level, &syms) != 1)
                continue;
            xkb_mod_mask_t masks[16];
            const std::size_t count = xkb_keymap_key_get_mods_for_level(keymap, key, layout, level, masks, 16);
            for (std::size_t m = 0; m < count; ++m) {
                const unsigned mask = masks[m];
                if ((mask & ~pressable) != 0)
                    continue;
                // What a client computes for the key with these modifiers
                // held in this group must be the symbol itself.
                xkb_state_update_mask(state.get(), mask, 0, 0, 0, 0,
                                      static_cast<xkb_layout_index_t>(map.indexedGroup));
                if (xkb_state_key_get_one_sym(state.get(), key) != syms[0])
                    continue;
                auto [it, added] = map.positions.try_emplace(syms[0], KeyPosition{static_cast<int>(key), mask});
                if (!added && std::popcount(mask) < std::popcount(it->second.modifiers))
                    it->second = KeyPosition{static_cast<int>(key), mask};
            }
        }
    }
}

std::optional<KeyPosition> KeyboardMap::find(unsigned long keysym)
{
    Loaded* map = loaded();
    if (!map || keysym == NoSymbol)
        return std::nullopt;
    auto it = map->positions.find(keysym);
    if (it == map->positions.end())
        return std::nullopt;
    return it->second;
}

unsigned long KeyboardMap::keysymAt(int keycode)
{
    Loaded* map = loaded();
    if (!map)
        return NoSymbol;
    std::unique_ptr<xkb_state, StateDeleter> state(xkb_state_new(map->keymap.get()));
    if (!state)
        return NoSymbol;
    xkb_state_update_mask(state.get(), 0, 0, 0, 0, 0, static_cast<xkb_layout_index_t>(map->indexedGroup));
    const xkb_layout_index_t layout = xkb_state_key_get_layout(state.get(), keycode);
    const xkb_keysym_t* syms = nullptr;
    if (layout == XKB_LAYOUT_INVALID
        || xkb_keymap_key_get_syms_by_level(map->keymap.get(), keycode, layout, 0, &syms) != 1)
        return NoSymbol;
    return syms[0];
}

std::vector<int> KeyboardMap::spareKeycodes()
{
    std::vector<int> spare;
    Loaded* map = loaded();
    if (!map)
        return spare;
    xkb_keymap* keymap = map->keymap.get();
    // From the top: the low keycodes are the ones real keyboards have.
    for (xkb_keycode_t key = std::min<xkb_keycode_t>(xkb_keymap_max_keycode(keymap), 255);
         key >= std::max<xkb_keycode_t>(xkb_keymap_min_keycode(keymap), 8); --key)
        if (xkb_keymap_num_layouts_for_key(keymap, key) == 0)
            spare.push_back(static_cast<int>(key));
    return spare;
}

int KeyboardMap::modifierKey(unsigned bit)
{
    const int row = std::countr_zero(bit);
    if (bit == 0 || row >= 8 || !loaded())
        return 0;
    xkb_keymap* keymap = loaded_->keymap.get();
    for (int keycode : loaded_->modifierRows[row]) {
        const xkb_keysym_t* syms = nullptr;
        if (xkb_keymap_key_get_syms_by_level(keymap, keycode, 0, 0, &syms) == 1 && !isLockingKeysym(syms[0]))
            return keycode;
    }
    return 0;
}

std::vector<int> KeyboardMap::modifierKeys(unsigned mask)
{
    std::vector<int> keys;
    if (!loaded())
        return keys;
    for (int row = 0; row < 8; ++row)
        if (mask & (1u << row))
            for (int keycode : loaded_->modifierRows[row])
                if (std::find(keys.begin(), keys.end(), keycode) == keys.end())
                    keys.push_back(keycode);
    return keys;
}

std::vector<unsigned long> KeyboardMap::keysymsForCharacter(char32_t c)
{
    switch (c) {
    case U'\n':
    case U'\r':
        return {XK_Return};
    case U'\t':
        return {XK_Tab};
    case U'\b':
        return {XK_BackSpace};
    case 0x1B:
        return {XK_Escape};
    default:
        break;
    }
    if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || c > 0x10FFFF)
        return {};
    // The library knows which characters kept a keysym of their own from
    // before Unicode (the euro sign, Cyrillic, Greek ...); layouts use those.
    const unsigned long legacy = xkb_utf32_to_keysym(c);
    const unsigned long unicode = 0x01000000UL | c;
    if (legacy == 0 || legacy == unicode)
        return {unicode};
    return {legacy, unicode};
}

} // namespace tapfill::platform::x11
