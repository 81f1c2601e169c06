#include "fixture.h"

#include <rt/convert.h>

namespace paneherd::testing {

void Type(HWND field, const std::string& text) {
    for (wchar_t c : rt::Wide(text)) {
        SendMessageW(field, WM_CHAR, c, 1);
        rt::DoEvents();
    }
}

void Clear(HWND field) {
    SendMessageW(field, EM_SETSEL, 0, -1);
    SendMessageW(field, WM_CLEAR, 0, 0);
    rt::DoEvents();
}

HWND EditOf(const rt::ComboBox& combo) { return FindWindowExW(combo.hWnd(), nullptr, L"Edit", nullptr); }

void Pause(DWORD ms) { rt::test::WaitFor([] { return false; }, ms); }

} // namespace paneherd::testing
