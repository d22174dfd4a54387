#pragma once

#include <vector>

namespace lumaro::gui {

// One entry of a menu resource: a command item, a pop-up with its own
// entries, or a separator. key is the language key that relabels the entry
// (nullptr: the resource text stays); text is the English resource text.
struct MenuEntry {
    enum class Kind { Item, Popup, Separator };
    Kind kind = Kind::Separator;
    int id = 0;
    const char* key = nullptr;
    const char* text = "";
    std::vector<MenuEntry> entries;
};

// A menu resource: the pop-ups of the menu bar in order. Document menus
// (130, 131, 169) sit behind the maximised child frame's window menu, which
// takes bar position 0.
struct MenuLayout {
    int id = 0;
    bool behindWindowMenu = false;
    std::vector<MenuEntry> popups;

    int BarPosition(std::size_t popupIndex) const
    {
        return static_cast<int>(popupIndex) + (behindWindowMenu ? 1 : 0);
    }
};

namespace menuid {
inline constexpr int Main = 128;
inline constexpr int Layout = 130;
inline constexpr int Demo = 131;
inline constexpr int ModeTest = 169;
} // namespace menuid

// The menu resource of id (128, 130, 131 or 169); nullptr for any other.
const MenuLayout* FindMenuLayout(int id);

} // namespace lumaro::gui
