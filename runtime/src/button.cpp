// The command button over the BUTTON control; the graphical style is drawn by
// the button itself (owner-draw).
#include <windows.h>

#include "rt/convert.h"

#include "forms_internal.h"

namespace rt {

using namespace detail;

namespace {

// The command button that has the focus, if one has.
CommandButton* FocusedButton() { return dynamic_cast<CommandButton*>(ControlOf(GetFocus())); }

} // namespace

void CommandButton::Caption(const std::string& text) {
    caption_ = text;
    if (hwnd_) SetWindowTextW(hwnd_, Wide(text).c_str());
}

void CommandButton::Style(int v) {
    if (v != vbButtonStandard && v != vbButtonGraphical) Raise(errInvalidPropertyValue);
    style_ = v;
    if (!hwnd_) return;
    DWORD type = v == vbButtonGraphical ? BS_OWNERDRAW : default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    SendMessageW(hwnd_, BM_SETSTYLE, type | BS_NOTIFY, TRUE);
}

void CommandButton::Picture(const rt::Picture& picture) {
    picture_ = picture;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void CommandButton::Press() {
    if (Click) Click();
}

void CommandButton::Create() {
    // Focus notifications (BS_NOTIFY) let a graphical default button give up
    // its frame while another button holds the focus.
    DWORD type = style_ == vbButtonGraphical ? BS_OWNERDRAW
                 : default_                  ? BS_DEFPUSHBUTTON
                                             : BS_PUSHBUTTON;
    CreateWindowFor(L"BUTTON", WS_TABSTOP | BS_NOTIFY | type, 0, Wide(caption_));
}

void CommandButton::OnCommand(WORD code) {
    switch (code) {
    case BN_CLICKED:
    case BN_DOUBLECLICKED: // the second click of a quick pair is a click too
        Press();
        break;
    case BN_SETFOCUS:
    case BN_KILLFOCUS: {
        Control* def = parent_.OwnerForm().DefaultButton();
        auto* button = dynamic_cast<CommandButton*>(def);
        if (button && button != this && button->style_ == vbButtonGraphical && button->hwnd_)
            InvalidateRect(button->hwnd_, nullptr, FALSE);
        break;
    }
    default: break;
    }
}

bool CommandButton::Reflect(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    if (msg != WM_DRAWITEM) return false;
    Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
    result = TRUE;
    return true;
}

// The dark default frame: on the focused button, or on the default button
// while no other button has the focus (Enter presses the framed button).
bool CommandButton::Framed(bool focused) const {
    if (focused) return true;
    CommandButton* other = FocusedButton();
    return default_ && (!other || other == this);
}

void CommandButton::Draw(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    bool pressed = item.itemState & ODS_SELECTED;
    bool focused = item.itemState & ODS_FOCUS;
    bool disabled = item.itemState & ODS_DISABLED;

    if (Framed(focused)) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    }
    FillRect(dc, &r, BrushFor(backColor_));
    if (pressed) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    } else {
        RECT edge = r;
        DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
    }
    RECT inner = r;
    InflateRect(&inner, -2, -2);
    if (pressed) OffsetRect(&inner, 1, 1);

    // The picture centred, above the caption when there is one.
    std::wstring text = Wide(caption_);
    Selected font(dc, FontHandle());
    RECT textRect = inner;
    if (picture_) {
        SIZE size = picture_.Pixels();
        int textHeight = 0;
        if (!text.empty()) {
            RECT calc{0, 0, inner.right - inner.left, 0};
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &calc,
                      DT_CALCRECT | DT_SINGLELINE);
            textHeight = calc.bottom;
        }
        int x = inner.left + (inner.right - inner.left - size.cx) / 2;
        int y = inner.top + (inner.bottom - inner.top - size.cy - textHeight) / 2;
        picture_.Draw(dc, x, y);
        textRect.top = y + size.cy;
    }
    if (!text.empty()) {
        UINT flags = DT_CENTER | DT_SINGLELINE | (picture_ ? DT_TOP : DT_VCENTER);
        SetBkMode(dc, TRANSPARENT);
        if (disabled) { // engraved, as a disabled button's caption
            RECT light = textRect;
            OffsetRect(&light, 1, 1);
            SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &light, flags);
            SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
        } else {
            SetTextColor(dc, ResolveColor(foreColor_));
        }
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect, flags);
    }
    if (focused) {
        RECT f = r;
        InflateRect(&f, -4, -4);
        DrawFocusRect(dc, &f);
    }
}

} // namespace rt
