// The text box over the EDIT control.
#include <windows.h>

#include "rt/convert.h"

#include "forms_internal.h"

namespace rt {

using namespace detail;

namespace {

WNDPROC g_editProc = nullptr; // the edit class's own procedure

// The edit procedure replaced for the mouse-down event: the control handles
// the press first, then the program hears of it. A multi-line box refuses
// Esc and a line break past its limit.
LRESULT CALLBACK EditSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (RefusedByMultiLineBox(hwnd, msg, wp)) return 0;
    LRESULT r = CallWindowProcW(g_editProc, hwnd, msg, wp, lp);
    RaiseMouseDown<TextBox>(hwnd, msg, lp);
    return r;
}

} // namespace

// ---------------------------------------------------------------------------
// TextBox

TextBox::TextBox(Container& parent) : Control(parent) {
    foreColor_ = 0x80000008; // window text
    backColor_ = 0x80000005; // window
}

std::string TextBox::Text() const {
    if (!hwnd_) return text_;
    return Utf8(detail::WindowTextW(hwnd_));
}

template <class F> void TextBox::Quietly(F&& f) {
    ++settingText_;
    struct Done {
        int& n;
        ~Done() { --n; }
    } done{settingText_};
    f();
}

void TextBox::Text(const std::string& text) {
    text_ = text;
    if (!hwnd_) return;
    Quietly([&] { SetWindowTextW(hwnd_, Wide(text).c_str()); });
    // The runtime reports a change made by code as well.
    if (Change) Change();
}

void TextBox::MaxLength(int n) {
    if (n < 0) Raise(errInvalidPropertyValue);
    maxLength_ = n;
    if (hwnd_) SendMessageW(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(n), 0);
}

void TextBox::Locked(bool v) {
    locked_ = v;
    if (hwnd_) SendMessageW(hwnd_, EM_SETREADONLY, v, 0);
}

int TextBox::SelStart() const {
    return hwnd_ ? static_cast<int>(EditSelection(hwnd_).first) : 0;
}
void TextBox::SelStart(int v) {
    if (v < 0) Raise(errInvalidPropertyValue);
    if (hwnd_) SendMessageW(hwnd_, EM_SETSEL, static_cast<WPARAM>(v), v);
}
int TextBox::SelLength() const {
    if (!hwnd_) return 0;
    const auto [start, end] = EditSelection(hwnd_);
    return static_cast<int>(end - start);
}
void TextBox::SelLength(int v) {
    if (v < 0) Raise(errInvalidPropertyValue);
    int start = SelStart();
    if (hwnd_) SendMessageW(hwnd_, EM_SETSEL, static_cast<WPARAM>(start), start + v);
}

std::string TextBox::SelText() const {
    if (!hwnd_) return {};
    const auto [start, end] = EditSelection(hwnd_);
    if (end <= start) return {};
    const std::wstring all = detail::WindowTextW(hwnd_);
    if (start >= all.size()) return {};
    return Utf8(std::wstring_view(all).substr(start, end - start));
}

void TextBox::SelText(const std::string& text) {
    if (!hwnd_) return;
    Quietly([&] {
        SendMessageW(hwnd_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Wide(text).c_str()));
    });
    if (Change) Change();
}

void TextBox::Create() {
    DWORD style = WS_TABSTOP;
    if (multiLine_) {
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
        if (scrollBars_ & 1) style |= ES_AUTOHSCROLL;
    } else {
        style |= ES_AUTOHSCROLL;
    }
    if (multiLine_ && (scrollBars_ & 1)) style |= WS_HSCROLL;
    if (multiLine_ && (scrollBars_ & 2)) style |= WS_VSCROLL;
    if (alignment_ == vbRightJustify) style |= ES_RIGHT;
    if (alignment_ == vbCenter) style |= ES_CENTER;
    if (locked_) style |= ES_READONLY;
    Quietly([&] {
        CreateWindowFor(L"EDIT", style, WS_EX_CLIENTEDGE, Wide(text_));
        // 0 lifts the control's own limit.
        SendMessageW(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
        WNDPROC own = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditSubclass)));
        if (!g_editProc) g_editProc = own;
    });
}

void TextBox::OnCommand(WORD code) {
    if (code == EN_CHANGE && settingText_ == 0 && Change) Change();
}

LRESULT TextBox::OnColor(HDC dc) { return Control::OnColor(dc); }

} // namespace rt
