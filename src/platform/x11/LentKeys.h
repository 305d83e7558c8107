#pragma once
// Symbols that no key of the current layout produces (a Latin "v" under a
// Russian layout, any character of a typed text) are typed through keys the
// keyboard does not use: such a key is given the symbol for the moment and
// handed back empty afterwards. The user's own keys are never touched.
//
// Every client hears of a map change (MappingNotify), and many read the map
// again only when they handle that event, or as soon as they read it off
// the wire: so a lent key is pressed only after a short wait, and handed
// back or lent again only once the keys typed with it have been handled.

#include <map>
#include <vector>

struct _XDisplay;

namespace tapfill::platform::x11 {

class LentKeys {
public:
    explicit LentKeys(_XDisplay* display) : display_(display) {}
    /// Hands back whatever is still lent.
    ~LentKeys();
    LentKeys(const LentKeys&) = delete;
    LentKeys& operator=(const LentKeys&) = delete;

    /// Wait after lending before a lent key is pressed, and after the last
    /// press before the keys are handed back or lent again.
    static constexpr int SettleMs = 30;
    static constexpr int HandledMs = 60;

    /// Gives each keycode its keysym. Returns once the server has made the
    /// change.
    void lend(const std::map<int, unsigned long>& keys);
    /// Makes every lent key empty again.
    void giveBack();
    bool lending() const { return !lent_.empty(); }

private:
    void map(int keycode, unsigned long keysym);

    _XDisplay* display_;
    std::vector<int> lent_;
};

} // namespace tapfill::platform::x11
