// The plain-text editor standing in for the rich-text box: line ends made
// CR LF as text arrives, selection positions counting a line break as one,
// and no context menu of the EDIT control's own.
#include <windows.h>

#include <algorithm>
#include <climits>
#include <string_view>

#include "rt/convert.h"
#include "rt/services.h"

#include "forms_internal.h"

namespace rt {

using namespace detail;

namespace {

WNDPROC g_textBoxProc = nullptr; // the text box's procedure, under this one

// Whether a text holds a line end other than CR LF.
bool HasBareBreak(std::wstring_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n') return true;
        if (text[i] == L'\r') {
            if (i + 1 == text.size() || text[i + 1] != L'\n') return true;
            ++i;
        }
    }
    return false;
}

// The text with every bare LF and bare CR made CR LF.
std::wstring CrLfBreaks(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size() + text.size() / 8 + 2);
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            out += L"\r\n";
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

// A position in the EDIT control's text (a line break two characters) as the
// rich-text box counts it (a line break one).
int RichPosition(std::wstring_view all, size_t edit) {
    edit = std::min(edit, all.size());
    size_t breaks = 0;
    for (size_t i = 1; i < edit; ++i)
        if (all[i] == L'\n' && all[i - 1] == L'\r') ++breaks;
    return static_cast<int>(edit - breaks);
}

// The other way round; a position past the end is the end.
size_t EditPosition(std::wstring_view all, long long rich) {
    size_t i = 0;
    for (; i < all.size() && rich > 0; --rich)
        i += all[i] == L'\r' && i + 1 < all.size() && all[i + 1] == L'\n' ? 2 : 1;
    return i;
}

bool ReadOnly(HWND hwnd) { return (GetWindowLongW(hwnd, GWL_STYLE) & ES_READONLY) != 0; }

// Over the text box's procedure: arriving text gets CR LF line ends, every
// paste goes through the replacing of the selection, and the context menu is
// the program's.
LRESULT CALLBACK StandInSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SETTEXT:
    case EM_REPLACESEL:
        if (lp) {
            const std::wstring_view text(reinterpret_cast<const wchar_t*>(lp));
            if (HasBareBreak(text)) {
                const std::wstring fixed = CrLfBreaks(text);
                return CallWindowProcW(g_textBoxProc, hwnd, msg, wp,
                                       reinterpret_cast<LPARAM>(fixed.c_str()));
            }
        }
        break;
    case WM_PASTE:
        if (!ReadOnly(hwnd)) {
            std::string text;
            if (Try([&] { text = Clipboard::GetText(); }) && !text.empty())
                SendMessageW(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Wide(text).c_str()));
        }
        return 0;
    case WM_KEYDOWN:
        // Shift+Insert pastes inside the control, past WM_PASTE.
        if (wp == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0) {
            SendMessageW(hwnd, WM_PASTE, 0, 0);
            return 0;
        }
        break;
    case WM_CONTEXTMENU:
        // A right click has raised MouseDown already.
        ContextMenuFromKeys(hwnd, msg, lp);
        return 0;
    default:
        break;
    }
    return CallWindowProcW(g_textBoxProc, hwnd, msg, wp, lp);
}

} // namespace

RichTextStandIn::RichTextStandIn(Container& parent) : TextBox(parent) {}

int RichTextStandIn::SelStart() const {
    if (!hwnd_) return 0;
    return RichPosition(WindowTextW(hwnd_), EditSelection(hwnd_).first);
}

void RichTextStandIn::SelStart(int v) {
    if (v < 0) Raise(errInvalidPropertyValue);
    if (!hwnd_) return;
    const WPARAM at = EditPosition(WindowTextW(hwnd_), v);
    SendMessageW(hwnd_, EM_SETSEL, at, static_cast<LPARAM>(at));
}

int RichTextStandIn::SelLength() const {
    if (!hwnd_) return 0;
    const std::wstring all = WindowTextW(hwnd_);
    const auto [start, end] = EditSelection(hwnd_);
    return RichPosition(all, end) - RichPosition(all, start);
}

void RichTextStandIn::SelLength(int v) {
    if (v < 0) Raise(errInvalidPropertyValue);
    if (!hwnd_) return;
    const std::wstring all = WindowTextW(hwnd_);
    const size_t start = EditSelection(hwnd_).first;
    const size_t end = EditPosition(all, static_cast<long long>(RichPosition(all, start)) + v);
    SendMessageW(hwnd_, EM_SETSEL, start, static_cast<LPARAM>(end));
}

void RichTextStandIn::Create() {
    // A text given before the window exists arrives the same way.
    if (const std::wstring text = Wide(Text()); HasBareBreak(text)) Text(Utf8(CrLfBreaks(text)));
    TextBox::Create();
    WNDPROC under = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StandInSubclass)));
    if (!g_textBoxProc) g_textBoxProc = under;
}

} // namespace rt
