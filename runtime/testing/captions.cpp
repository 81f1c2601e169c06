#include "captions.h"

#include <sstream>

#include "rt/convert.h"
#include "rt/handles.h"
#include "test_support.h"

namespace rt::test {
namespace {

// The font a control draws its text in.
HGDIOBJ FontOf(HWND w) {
    auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(w, WM_GETFONT, 0, 0));
    return font ? font : GetStockObject(SYSTEM_FONT);
}

// The size a text takes in a control's font, laid out as DrawText lays it out
// with these flags within `width` pixels (a wrapped text) or on one line.
SIZE TextSize(HWND w, const std::wstring& text, UINT flags, int width = 0) {
    WindowDC dc(w);
    Selected font(dc, FontOf(w));
    RECT r{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags | DT_CALCRECT);
    return {r.right - r.left, r.bottom - r.top};
}

// A check box or option circle and the gap to its text: 12 pixels and a line
// at 96 dpi, then half a digit of the control's font.
int CheckWidth(HWND w) {
    WindowDC dc(w);
    Selected font(dc, FontOf(w));
    int digit = 0;
    GetCharWidth32W(dc, L'0', L'0', &digit);
    return MulDiv(12, GetDeviceCaps(dc, LOGPIXELSX), 96) + 1 + digit / 2;
}

void Expect(std::vector<std::string>& cut, const std::wstring& text, SIZE need, SIZE have) {
    if (need.cx <= have.cx && need.cy <= have.cy) return;
    std::ostringstream report;
    report << '"' << Utf8(text) << "\" needs " << need.cx << " x " << need.cy << " px, has "
           << have.cx << " x " << have.cy;
    cut.push_back(report.str());
}

void CheckButton(HWND w, LONG style, const std::wstring& text, SIZE have,
                 std::vector<std::string>& cut) {
    const UINT line = DT_SINGLELINE;
    switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: {
        SIZE need = TextSize(w, text, line);
        need.cx += CheckWidth(w);
        Expect(cut, text, {need.cx, 0}, {have.cx, 0});
        break;
    }
    case BS_GROUPBOX: {
        // The frame's line runs a few pixels either side of its caption.
        SIZE need = TextSize(w, text, line);
        Expect(cut, text, {need.cx + 12, 0}, {have.cx, 0});
        break;
    }
    default: { // push buttons, the runtime's graphical ones included
        SIZE need = TextSize(w, text, line);
        Expect(cut, text, {need.cx + 2 * GetSystemMetrics(SM_CXEDGE) + 2, need.cy},
               {have.cx, have.cy});
        break;
    }
    }
}

void CheckLabel(HWND w, LONG style, const std::wstring& text, SIZE have,
                std::vector<std::string>& cut) {
    const UINT prefix = (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
    switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
        Expect(cut, text, TextSize(w, text, prefix | DT_WORDBREAK | DT_EXPANDTABS, have.cx), have);
        break;
    case SS_LEFTNOWORDWRAP:
    case SS_SIMPLE:
        Expect(cut, text, TextSize(w, text, prefix | DT_SINGLELINE | DT_EXPANDTABS), have);
        break;
    default: // pictures, frames
        break;
    }
}

void CheckCombo(HWND w, SIZE have, std::vector<std::string>& cut) {
    // The field shows an item beside the drop-down button, with a margin.
    const LRESULT count = SendMessageW(w, CB_GETCOUNT, 0, 0);
    const int room = have.cx - GetSystemMetrics(SM_CXVSCROLL) - 2 * GetSystemMetrics(SM_CXEDGE);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring item(static_cast<size_t>(SendMessageW(w, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0)) + 1, L'\0');
        item.resize(static_cast<size_t>(SendMessageW(w, CB_GETLBTEXT, static_cast<WPARAM>(i),
                                                     reinterpret_cast<LPARAM>(item.data()))));
        Expect(cut, item, {TextSize(w, item, DT_SINGLELINE | DT_NOPREFIX).cx, 0}, {room, 0});
    }
}

BOOL CALLBACK CheckChild(HWND w, LPARAM p) {
    auto& cut = *reinterpret_cast<std::vector<std::string>*>(p);
    if (!IsWindowVisible(w)) return TRUE;
    wchar_t cls[32] = {};
    GetClassNameW(w, cls, 32);
    RECT client{};
    GetClientRect(w, &client);
    const SIZE have{client.right, client.bottom};
    const LONG style = GetWindowLongW(w, GWL_STYLE);
    if (lstrcmpiW(cls, L"ComboBox") == 0) {
        CheckCombo(w, have, cut);
        return TRUE;
    }
    const std::wstring text = Wide(WindowText(w));
    if (text.empty()) return TRUE;
    if (lstrcmpiW(cls, L"Button") == 0) CheckButton(w, style, text, have, cut);
    else if (lstrcmpiW(cls, L"Static") == 0) CheckLabel(w, style, text, have, cut);
    return TRUE;
}

} // namespace

std::vector<std::string> CutCaptions(HWND window) {
    std::vector<std::string> cut;
    if (!IsWindowVisible(window)) return {"the window is not shown"};
    EnumChildWindows(window, CheckChild, reinterpret_cast<LPARAM>(&cut));
    return cut;
}

} // namespace rt::test
