// The screen elements whose colour Decorum changes: their system colour names
// as the element list shows them, their system colour indexes and what each
// colours, in the order of the list.
#pragma once

#include <array>
#include <string>

namespace decorum {

struct ScreenElement {
    const char* Name;        // "COLOR_ACTIVECAPTION"
    int Index;               // what GetSysColor and SetSysColors take
    const char* Description; // shown under the sample window
};

inline constexpr size_t kScreenElementCount = 28;
const std::array<ScreenElement, kScreenElementCount>& ScreenElements();

// The element of a name (upper-cased first); nullptr when none has it.
const ScreenElement* FindElement(const std::string& name);
// Its system colour index, -1 when no element has the name.
int ElementIndex(const std::string& name);

} // namespace decorum
