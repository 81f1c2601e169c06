#include "elements.h"

#include <rt.h>

namespace decorum {

const std::array<ScreenElement, kScreenElementCount>& ScreenElements() {
    static const std::array<ScreenElement, kScreenElementCount> table{{
        {"COLOR_3DDKSHADOW", 21, "Button 3D Dark Shadow Color"},
        {"COLOR_3DLIGHT", 22, "Button 3D Color"},
        {"COLOR_ACTIVEBORDER", 10, "Active Window's Border Color"},
        {"COLOR_ACTIVECAPTION", 2, "Active Window's Color"},
        {"COLOR_APPWORKSPACE", 12, "Application Workspace (MDI) Color"},
        {"COLOR_BTNFACE", 15, "Button Color"},
        {"COLOR_BTNHIGHLIGHT", 20, "Button Highlight Color"},
        {"COLOR_BTNSHADOW", 16, "Button Shadow Color"},
        {"COLOR_BTNTEXT", 18, "Button Text Color"},
        {"COLOR_CAPTIONTEXT", 9, "Active Window's Text Color"},
        {"COLOR_DESKTOP", 1, "Desktop Background Color"},
        {"COLOR_GRADIENTACTIVECAPTION", 27, "Active Window's Gradient (Second) Color"},
        {"COLOR_GRADIENTINACTIVECAPTION", 28, "Inactive Window's Gradient (Second) Color"},
        {"COLOR_GRAYTEXT", 17, "Disabled / Grayed Text Color"},
        {"COLOR_HIGHLIGHT", 13, "Menu Highlight / Select Background Color"},
        {"COLOR_HIGHLIGHTTEXT", 14, "Menu Highlight / Select Text Color"},
        {"COLOR_HOTLIGHT", 26, "Hot-Tracked Item Color"},
        {"COLOR_INACTIVEBORDER", 11, "Inactive Window's Border Color"},
        {"COLOR_INACTIVECAPTION", 3, "Inactive Window's Color"},
        {"COLOR_INACTIVECAPTIONTEXT", 19, "Inactive Window's Text Color"},
        {"COLOR_INFOBK", 24, "ToolTipText Background Color"},
        {"COLOR_INFOTEXT", 23, "ToolTipText Text Color"},
        {"COLOR_MENU", 4, "Menu Color"},
        {"COLOR_MENUTEXT", 7, "Menu Text Color"},
        {"COLOR_SCROLLBAR", 0, "ScrollBar Color"},
        {"COLOR_WINDOW", 5, "Text Window Background Color"},
        {"COLOR_WINDOWFRAME", 6, "Button Frame Color"},
        {"COLOR_WINDOWTEXT", 8, "Text Window Text Color"},
    }};
    return table;
}

const ScreenElement* FindElement(const std::string& name) {
    const std::string upper = rt::UCase(name);
    for (const ScreenElement& e : ScreenElements())
        if (upper == e.Name) return &e;
    return nullptr;
}

int ElementIndex(const std::string& name) {
    const ScreenElement* e = FindElement(name);
    return e ? e->Index : -1;
}

} // namespace decorum
