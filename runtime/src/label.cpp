// The label over the STATIC control.
#include <windows.h>

#include "rt/convert.h"

#include "forms_internal.h"

namespace rt {

using namespace detail;

// ---------------------------------------------------------------------------
// Label

void Label::Caption(const std::string& text) {
    caption_ = text;
    if (!hwnd_) return;
    SetWindowTextW(hwnd_, Wide(text).c_str());
    if (autoSize_) Fit();
}

void Label::AutoSize(bool v) {
    autoSize_ = v;
    if (v && hwnd_) Fit();
}

// Sizes the label to its text: one line wide when it does not wrap, the
// design width with as many lines as the words need when it does.
void Label::Fit() {
    WindowDC dc(hwnd_);
    Selected font(dc, FontHandle());
    std::wstring text = Wide(caption_);
    RECT r{0, 0, wordWrap_ ? std::max(1, PxX(width_)) : 0, 0};
    UINT flags = DT_CALCRECT | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE);
    if (text.empty()) {
        TEXTMETRICW tm;
        GetTextMetricsW(dc, &tm);
        r.right = wordWrap_ ? r.right : 0;
        r.bottom = tm.tmHeight;
    } else {
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
    }
    long w = wordWrap_ ? width_ : r.right * TppX();
    long h = r.bottom * TppY();
    if (w != width_ || h != height_) Move(left_, top_, w, h);
}

// A label moved or resized is drawn anew: not the picture of the old one
// that the window manager carried along (a transparent label shows what lies
// under its new place, a label sized to a new caption the whole caption).
void Label::AfterMove() {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Label::Create() {
    DWORD style = SS_NOTIFY;
    if (alignment_ == vbRightJustify)
        style |= SS_RIGHT;
    else if (alignment_ == vbCenter)
        style |= SS_CENTER;
    else
        style |= SS_LEFT;
    CreateWindowFor(L"STATIC", style, border_ ? WS_EX_CLIENTEDGE : 0, Wide(caption_));
    if (autoSize_) Fit();
}

void Label::OnCommand(WORD code) {
    if (code == STN_CLICKED && Click) Click();
}

LRESULT Label::OnColor(HDC dc) {
    if (!transparent_) return Control::OnColor(dc);
    // Transparent: the text stands on what lies under the label.
    PaintBeneath(*this, dc);
    SetTextColor(dc, ResolveColor(foreColor_));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

} // namespace rt
