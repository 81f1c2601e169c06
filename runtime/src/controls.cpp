// Controls as child windows: the shared geometry, colours, fonts and tool tips,
// and the labels, text boxes, buttons, frames, list boxes, images and lines.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <unordered_map>

#include "fonts.h"
#include "forms_internal.h"
#include "rt/convert.h"
#include "rt/services.h"

namespace rt {

using namespace detail;

namespace detail {

// The controls by window, kept in the process: window properties would cost
// a trip to the window server for every message routed.
static std::unordered_map<HWND, Control*>& ControlMap() {
    static std::unordered_map<HWND, Control*> map;
    return map;
}

Control* ControlOf(HWND hwnd) {
    if (!hwnd) return nullptr;
    auto& map = ControlMap();
    auto it = map.find(hwnd);
    return it == map.end() ? nullptr : it->second;
}

void BindControl(HWND hwnd, Control* control) { ControlMap()[hwnd] = control; }
void UnbindControl(HWND hwnd) { ControlMap().erase(hwnd); }

UINT NextControlId() {
    static UINT next = 1000;
    if (++next >= 30000) next = 1001;
    return next;
}

HFONT CreateFontHandle(const rt::Font& font) {
    WindowDC screen(nullptr);
    LOGFONTW lf = LogFontFor(font, screen);
    return CreateFontIndirectW(&lf);
}

void PaintContainer(Container& c, HDC dc) {
    for (Control* ctl : c.Controls())
        if (ctl->Lightweight() && ctl->Visible()) ctl->Paint(dc);
}

bool RouteContainerMessage(Container& c, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp,
                           LRESULT& result) {
    (void)hwnd;
    switch (msg) {
    case WM_COMMAND:
        if (lp != 0) {
            Control* ctl = ControlOf(reinterpret_cast<HWND>(lp));
            if (!ctl) return false;
            Call([ctl, wp] { ctl->OnCommand(HIWORD(wp)); });
            result = 0;
            return true;
        }
        return false;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: {
        Control* ctl = ControlOf(reinterpret_cast<HWND>(lp));
        if (!ctl) return false;
        result = ctl->OnColor(reinterpret_cast<HDC>(wp));
        return result != 0;
    }
    case WM_SETCURSOR: {
        if (rt::Screen::MousePointer() == 11) { // the program is busy: everywhere
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            result = TRUE;
            return true;
        }
        if (LOWORD(lp) != HTCLIENT) return false;
        Control* ctl = ControlOf(reinterpret_cast<HWND>(wp));
        if (ctl && ctl->MousePointer() == 99) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            result = TRUE;
            return true;
        }
        return false;
    }
    case WM_LBUTTONUP: {
        POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        for (Control* ctl : c.Controls()) {
            if (!ctl->Lightweight() || !ctl->Visible() || !ctl->Enabled()) continue;
            RECT r{PxX(ctl->Left()), PxY(ctl->Top()), PxX(ctl->Left() + ctl->Width()),
                   PxY(ctl->Top() + ctl->Height())};
            if (PtInRect(&r, pt)) {
                Call([ctl] { ctl->LightweightClick(); });
                result = 0;
                return true;
            }
        }
        return false;
    }
    default: return false;
    }
}

} // namespace detail

// ---------------------------------------------------------------------------
// Containers

void Container::RemoveControl(Control* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

void Container::CreateControls() {
    for (Control* c : controls_) c->Create();
}

void Container::DestroyControls() {
    for (Control* c : controls_) c->Destroy();
}

void Container::PaintLightweight(HDC dc) { PaintContainer(*this, dc); }

// ---------------------------------------------------------------------------
// Control

Control::Control(Container& parent) : parent_(parent) { parent_.AddControl(this); }

Control::~Control() {
    Control::Destroy();
    parent_.RemoveControl(this);
}

void Control::Destroy() {
    if (hwnd_) {
        HWND h = hwnd_;
        hwnd_ = nullptr;
        UnbindControl(h);
        DestroyWindow(h);
    }
    if (hfont_) {
        DeleteObject(hfont_);
        hfont_ = nullptr;
    }
    if (brush_) {
        DeleteObject(brush_);
        brush_ = nullptr;
    }
}

RECT Control::PixelRect() const {
    return RECT{PxX(left_), PxY(top_), PxX(left_) + PxX(width_), PxY(top_) + PxY(height_)};
}

void Control::Width(long v) {
    if (v < 0) Raise(errInvalidPropertyValue);
    Move(left_, top_, v, height_);
}
void Control::Height(long v) {
    if (v < 0) Raise(errInvalidPropertyValue);
    Move(left_, top_, width_, v);
}

void Control::Move(long left, long top, long width, long height) {
    if (width < 0 || height < 0) Raise(errInvalidPropertyValue);
    if (Lightweight() && parent_.ContainerHwnd()) {
        RECT old = PixelRect();
        InvalidateRect(parent_.ContainerHwnd(), &old, TRUE);
    }
    left_ = left, top_ = top, width_ = width, height_ = height;
    if (hwnd_) {
        RECT r = PixelRect();
        SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (Lightweight() && parent_.ContainerHwnd()) {
        RECT r = PixelRect();
        InvalidateRect(parent_.ContainerHwnd(), &r, TRUE);
    }
    AfterMove();
}

void Control::Visible(bool v) {
    visible_ = v;
    if (hwnd_) ShowWindow(hwnd_, v ? SW_SHOWNA : SW_HIDE);
    if (Lightweight() && parent_.ContainerHwnd()) {
        RECT r = PixelRect();
        InvalidateRect(parent_.ContainerHwnd(), &r, TRUE);
    }
}

void Control::Enabled(bool v) {
    enabled_ = v;
    if (hwnd_) EnableWindow(hwnd_, v);
}

static void SetTip(HWND tooltip, HWND owner, HWND control, const std::string& text) {
    if (!tooltip || !control) return;
    std::wstring wide = Wide(text);
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND; // the message loop relays the mouse messages
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    SendMessageW(tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    if (text.empty()) return;
    info.lpszText = wide.data();
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void Control::ToolTipText(const std::string& text) {
    toolTip_ = text;
    if (hwnd_) SetTip(parent_.OwnerForm().ToolTip(), parent_.ContainerHwnd(), hwnd_, text);
}

void Control::ForeColor(long color) {
    foreColor_ = color;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Control::BackColor(long color) {
    backColor_ = color;
    if (brush_) {
        DeleteObject(brush_);
        brush_ = nullptr;
    }
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Control::Font(const rt::Font& font) {
    font_ = font;
    fontSet_ = true;
    if (hfont_) {
        if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, 0, FALSE);
        DeleteObject(hfont_);
        hfont_ = nullptr;
    }
    if (hwnd_) ApplyFont();
}

HFONT Control::FontHandle() {
    if (!hfont_) hfont_ = CreateFontHandle(Font());
    return hfont_;
}

void Control::ApplyFont() {
    if (hwnd_) SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), TRUE);
}

void Control::MousePointer(int pointer) { mousePointer_ = pointer; }

void Control::SetFocus() {
    if (!hwnd_ || !IsWindowVisible(hwnd_) || !IsWindowEnabled(hwnd_))
        Raise(errInvalidProcedureCall);
    ::SetFocus(hwnd_);
}

void Control::Refresh() {
    if (hwnd_) {
        InvalidateRect(hwnd_, nullptr, TRUE);
        UpdateWindow(hwnd_);
    } else if (Lightweight() && parent_.ContainerHwnd()) {
        RECT r = PixelRect();
        InvalidateRect(parent_.ContainerHwnd(), &r, TRUE);
        UpdateWindow(parent_.ContainerHwnd());
    }
}

HBRUSH Control::BrushFor(long color) {
    if (brush_ && brushColor_ != color) {
        DeleteObject(brush_);
        brush_ = nullptr;
    }
    if (!brush_) {
        brush_ = CreateSolidBrush(ResolveColor(color));
        brushColor_ = color;
    }
    return brush_;
}

LRESULT Control::OnColor(HDC dc) {
    SetTextColor(dc, ResolveColor(foreColor_));
    SetBkColor(dc, ResolveColor(backColor_));
    return reinterpret_cast<LRESULT>(BrushFor(backColor_));
}

void Control::CreateWindowFor(const wchar_t* cls, DWORD style, DWORD exStyle,
                              const std::wstring& text) {
    HWND parent = parent_.ContainerHwnd();
    if (hwnd_ || !parent) return;
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (visible_) style |= WS_VISIBLE;
    if (!enabled_) style |= WS_DISABLED;
    RECT r = PixelRect();
    HWND h = CreateWindowExW(exStyle, cls, text.c_str(), style, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(NextControlId())),
                             Instance(), this);
    if (!h) Raise(errOutOfMemory, {}, "The control could not be created.");
    BindControl(h, this);
    hwnd_ = h;
    ApplyFont();
    if (!toolTip_.empty()) SetTip(parent_.OwnerForm().ToolTip(), parent, h, toolTip_);
}

// ---------------------------------------------------------------------------
// Label

void Label::Caption(const std::string& text) {
    caption_ = text;
    if (!hwnd_) return;
    SetWindowTextW(hwnd_, Wide(text).c_str());
    if (autoSize_) Fit();
    if (transparent_) { // what was under the old text shows again
        RECT r = PixelRect();
        InvalidateRect(parent_.ContainerHwnd(), &r, TRUE);
    }
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

void Label::Create() {
    DWORD style = SS_NOTIFY;
    if (alignment_ == vbRightJustify)
        style |= SS_RIGHT;
    else if (alignment_ == vbCenter)
        style |= SS_CENTER;
    else
        style |= SS_LEFT;
    CreateWindowFor(L"STATIC", style, 0, Wide(caption_));
    if (autoSize_) Fit();
}

void Label::OnCommand(WORD code) {
    if (code == STN_CLICKED && Click) Click();
}

LRESULT Label::OnColor(HDC dc) {
    if (!transparent_) return Control::OnColor(dc);
    // Transparent: the text stands on what its container is painted in.
    SetTextColor(dc, ResolveColor(foreColor_));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(BrushFor(parent_.AmbientBackColor()));
}

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

void TextBox::Text(const std::string& text) {
    text_ = text;
    if (!hwnd_) return;
    {
        ++settingText_;
        struct Done {
            int& n;
            ~Done() { --n; }
        } done{settingText_};
        SetWindowTextW(hwnd_, Wide(text).c_str());
    }
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
    DWORD start = 0;
    if (hwnd_) SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}
void TextBox::SelStart(int v) {
    if (v < 0) Raise(errInvalidPropertyValue);
    if (hwnd_) SendMessageW(hwnd_, EM_SETSEL, static_cast<WPARAM>(v), v);
}
int TextBox::SelLength() const {
    DWORD start = 0, end = 0;
    if (hwnd_)
        SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}
void TextBox::SelLength(int v) {
    if (v < 0) Raise(errInvalidPropertyValue);
    int start = SelStart();
    if (hwnd_) SendMessageW(hwnd_, EM_SETSEL, static_cast<WPARAM>(start), start + v);
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
    ++settingText_;
    CreateWindowFor(L"EDIT", style, WS_EX_CLIENTEDGE, Wide(text_));
    --settingText_;
    if (maxLength_) SendMessageW(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TextBox::OnCommand(WORD code) {
    if (code == EN_CHANGE && settingText_ == 0 && Change) Change();
}

LRESULT TextBox::OnColor(HDC dc) { return Control::OnColor(dc); }

// ---------------------------------------------------------------------------
// CommandButton

void CommandButton::Caption(const std::string& text) {
    caption_ = text;
    if (hwnd_) SetWindowTextW(hwnd_, Wide(text).c_str());
}

void CommandButton::Press() {
    if (Click) Click();
}

void CommandButton::Create() {
    CreateWindowFor(L"BUTTON", WS_TABSTOP | (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0,
                    Wide(caption_));
}

void CommandButton::OnCommand(WORD code) {
    if (code == BN_CLICKED) Press();
}

// ---------------------------------------------------------------------------
// Frame

namespace detail {

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* frame = OwnControl<Frame>(hwnd, msg, lp);
    if (!frame) return DefWindowProcW(hwnd, msg, wp, lp);
    LRESULT routed = 0;
    if (RouteContainerMessage(*frame, hwnd, msg, wp, lp, routed)) return routed;
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd, &r);
        GdiObject<HBRUSH> brush(CreateSolidBrush(ResolveColor(frame->BackColor())));
        FillRect(reinterpret_cast<HDC>(wp), &r, brush);
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r;
        GetClientRect(hwnd, &r);
        Selected font(dc, frame->FontHandle());
        TEXTMETRICW tm;
        GetTextMetricsW(dc, &tm);
        RECT border = r;
        border.top += tm.tmHeight / 2;
        DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
        std::wstring text = Wide(frame->Caption());
        if (!text.empty()) {
            SetBkColor(dc, ResolveColor(frame->BackColor()));
            SetBkMode(dc, OPAQUE);
            SetTextColor(dc, ResolveColor(frame->ForeColor()));
            RECT tr{8, 0, r.right - 8, tm.tmHeight};
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &tr,
                      DT_SINGLELINE | DT_LEFT | DT_TOP);
        }
        PaintContainer(*frame, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    default: break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

} // namespace detail

void Frame::Caption(const std::string& text) {
    caption_ = text;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Frame::Create() {
    CreateWindowFor(kFrameClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, Wide(caption_));
    CreateControls();
}

void Frame::Destroy() {
    DestroyControls();
    Control::Destroy();
}

// ---------------------------------------------------------------------------
// ListBox

namespace {

int ShiftState() {
    return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
           (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

constexpr UINT kResumeRedraw = WM_APP + 0x311;
WNDPROC g_listProc = nullptr; // the list box class's own procedure

LRESULT CallListProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return CallWindowProcW(g_listProc, hwnd, msg, wp, lp);
}

// The list box's procedure replaced for the mouse and key events. A plain
// window-procedure subclass: it costs nothing per message, which matters for
// the tens of thousands of entries added in a table fill.
LRESULT CALLBACK ListSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* list = static_cast<ListBox*>(ControlOf(hwnd));
    if (!list || list->hWnd() != hwnd) return CallListProc(hwnd, msg, wp, lp);
    if (msg == kResumeRedraw) {
        list->ResumeRedraw();
        return 0;
    }
    float x = static_cast<float>(static_cast<short>(LOWORD(lp)) * TppX());
    float y = static_cast<float>(static_cast<short>(HIWORD(lp)) * TppY());
    int button = 0;
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: button = vbLeftButton; break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: button = vbRightButton; break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: button = vbMiddleButton; break;
    default: break;
    }
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        LRESULT r = CallListProc(hwnd, msg, wp, lp); // the selection moves first
        if (list->MouseDown && list->hWnd() == hwnd) {
            int shift = ShiftState();
            Call([list, button, shift, x, y] { list->MouseDown(button, shift, x, y); });
        }
        return r;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        LRESULT r = CallListProc(hwnd, msg, wp, lp);
        if (list->MouseUp && list->hWnd() == hwnd) {
            int shift = ShiftState();
            Call([list, button, shift, x, y] { list->MouseUp(button, shift, x, y); });
        }
        return r;
    }
    case WM_KEYDOWN:
        if (list->KeyDown) {
            int key = static_cast<int>(wp), shift = ShiftState();
            Call([list, key, shift] { list->KeyDown(key, shift); });
            if (list->hWnd() != hwnd) return 0;
        }
        break;
    default: break;
    }
    return CallListProc(hwnd, msg, wp, lp);
}

} // namespace

ListBox::ListBox(Container& parent) : Control(parent) {
    foreColor_ = 0x80000008;
    backColor_ = 0x80000005;
}

void ListBox::AddItem(const std::string& item, int index) {
    if (index < -1 || index > ListCount()) Raise(errInvalidProcedureCall);
    if (!hwnd_) {
        if (index < 0 || sorted_) {
            design_.emplace_back(item, 0);
            if (sorted_)
                std::stable_sort(design_.begin(), design_.end(),
                                 [](auto& a, auto& b) { return a.first < b.first; });
        } else {
            design_.insert(design_.begin() + index, {item, 0});
        }
        return;
    }
    // A visible list is drawn once the program yields, not once per entry:
    // drawing each of tens of thousands of entries would take minutes.
    if (!redrawHeld_ && IsWindowVisible(hwnd_)) {
        redrawHeld_ = true;
        SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
        PostMessageW(hwnd_, kResumeRedraw, 0, 0);
    }
    std::wstring w = Wide(item);
    LRESULT r = index < 0 || sorted_
                    ? SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()))
                    : SendMessageW(hwnd_, LB_INSERTSTRING, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(w.c_str()));
    if (r == LB_ERRSPACE || r == LB_ERR) Raise(errOutOfMemory);
}

void ListBox::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) Raise(errInvalidProcedureCall);
    if (!hwnd_)
        design_.erase(design_.begin() + index);
    else
        SendMessageW(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void ListBox::Clear() {
    design_.clear();
    if (hwnd_) SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
}

int ListBox::ListCount() const {
    if (!hwnd_) return static_cast<int>(design_.size());
    return static_cast<int>(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0));
}

std::string ListBox::List(int index) const {
    if (index < 0 || index >= ListCount()) Raise(381);
    if (!hwnd_) return design_[static_cast<size_t>(index)].first;
    LRESULT n = SendMessageW(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (n == LB_ERR) Raise(381);
    std::wstring w(static_cast<size_t>(n) + 1, L'\0');
    n = SendMessageW(hwnd_, LB_GETTEXT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(w.data()));
    w.resize(static_cast<size_t>(std::max<LRESULT>(0, n)));
    return Utf8(w);
}

int ListBox::ListIndex() const {
    if (!hwnd_) return -1;
    if (multiSelect_) return static_cast<int>(SendMessageW(hwnd_, LB_GETCARETINDEX, 0, 0));
    return static_cast<int>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0));
}

void ListBox::ListIndex(int index) {
    if (index < -1 || index >= ListCount()) Raise(errInvalidPropertyValue);
    if (!hwnd_) return;
    if (multiSelect_) {
        SendMessageW(hwnd_, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
        if (index >= 0) SendMessageW(hwnd_, LB_SETSEL, TRUE, index);
    } else {
        SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    // Setting the index by code is reported as a click, as the runtime does.
    if (Click) Click();
}

std::string ListBox::Text() const {
    int i = ListIndex();
    return i >= 0 && i < ListCount() ? List(i) : std::string();
}

void ListBox::Columns(int n) {
    if (n < 0) Raise(errInvalidPropertyValue);
    bool modeChange = (n > 0) != (columns_ > 0);
    columns_ = n;
    if (!hwnd_) return;
    if (modeChange) { // the list box's style is fixed at creation: build it afresh
        std::vector<std::pair<std::string, long>> items;
        for (int i = 0, count = ListCount(); i < count; ++i) items.emplace_back(List(i), ItemData(i));
        int sel = ListIndex(), top = TopIndex();
        ResumeRedraw();
        Destroy();
        design_ = std::move(items);
        Create();
        if (sel >= 0) SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(sel), 0);
        SendMessageW(hwnd_, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    }
    AfterMove();
}

bool ListBox::Selected(int index) const {
    if (index < 0 || index >= ListCount()) Raise(381);
    if (!hwnd_) return false;
    return SendMessageW(hwnd_, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void ListBox::Selected(int index, bool v) {
    if (index < 0 || index >= ListCount()) Raise(381);
    if (!hwnd_) return;
    if (multiSelect_)
        SendMessageW(hwnd_, LB_SETSEL, v, index);
    else if (v)
        SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    else if (ListIndex() == index)
        SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

long ListBox::ItemData(int index) const {
    if (index < 0 || index >= ListCount()) Raise(381);
    if (!hwnd_) return design_[static_cast<size_t>(index)].second;
    return static_cast<long>(SendMessageW(hwnd_, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

void ListBox::ItemData(int index, long v) {
    if (index < 0 || index >= ListCount()) Raise(381);
    if (!hwnd_)
        design_[static_cast<size_t>(index)].second = v;
    else
        SendMessageW(hwnd_, LB_SETITEMDATA, static_cast<WPARAM>(index), v);
}

int ListBox::TopIndex() const {
    if (!hwnd_) return 0;
    return static_cast<int>(SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0));
}

void ListBox::Create() {
    redrawHeld_ = false;
    DWORD style = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY;
    if (columns_ > 0) style |= LBS_MULTICOLUMN | WS_HSCROLL;
    if (multiSelect_ == 1) style |= LBS_MULTIPLESEL;
    if (multiSelect_ == 2) style |= LBS_EXTENDEDSEL;
    if (sorted_) style |= LBS_SORT;
    CreateWindowFor(L"LISTBOX", style, WS_EX_CLIENTEDGE);
    auto old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListSubclass)));
    if (!g_listProc) g_listProc = old;
    for (auto& [text, data] : design_) {
        std::wstring w = Wide(text);
        LRESULT i = SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()));
        if (i >= 0) SendMessageW(hwnd_, LB_SETITEMDATA, static_cast<WPARAM>(i), data);
    }
    design_.clear();
    AfterMove();
}

void ListBox::AfterMove() {
    if (!hwnd_ || columns_ <= 0) return;
    RECT r;
    GetClientRect(hwnd_, &r);
    int width = std::max(1, static_cast<int>(r.right / columns_));
    SendMessageW(hwnd_, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(width), 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void ListBox::OnCommand(WORD code) {
    if (code == LBN_SELCHANGE && Click) Click();
    if (code == LBN_DBLCLK && DblClick) DblClick();
}

LRESULT ListBox::OnColor(HDC dc) { return Control::OnColor(dc); }

void ListBox::ResumeRedraw() {
    if (!redrawHeld_) return;
    redrawHeld_ = false;
    if (!hwnd_) return;
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void ListBox::Refresh() {
    if (!hwnd_) return;
    ResumeRedraw();
    InvalidateRect(hwnd_, nullptr, TRUE);
    UpdateWindow(hwnd_);
}

// ---------------------------------------------------------------------------
// Image and Line

Image::~Image() {
    if (bitmap_) DeleteObject(bitmap_);
    if (icon_) DestroyIcon(icon_);
}

void Image::Picture(HBITMAP bitmap) {
    if (bitmap_ && bitmap_ != bitmap) DeleteObject(bitmap_);
    bitmap_ = bitmap;
    if (bitmap_ && !stretch_) {
        BITMAP bm{};
        GetObjectW(bitmap_, sizeof bm, &bm);
        Move(left_, top_, bm.bmWidth * TppX(), bm.bmHeight * TppY());
    }
    Refresh();
}

void Image::Icon(HICON icon) {
    if (icon_ && icon_ != icon) DestroyIcon(icon_);
    icon_ = icon;
    Refresh();
}

void Image::Paint(HDC dc) {
    RECT r = PixelRect();
    int w = r.right - r.left, h = r.bottom - r.top;
    if (icon_) {
        DrawIconEx(dc, r.left, r.top, icon_, stretch_ ? w : 0, stretch_ ? h : 0, 0, nullptr,
                   DI_NORMAL);
    } else if (bitmap_) {
        BITMAP bm{};
        GetObjectW(bitmap_, sizeof bm, &bm);
        MemoryDC mem;
        Selected sel(mem, bitmap_);
        if (stretch_) {
            SetStretchBltMode(dc, HALFTONE);
            StretchBlt(dc, r.left, r.top, w, h, mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        } else {
            BitBlt(dc, r.left, r.top, bm.bmWidth, bm.bmHeight, mem, 0, 0, SRCCOPY);
        }
    }
}

void Image::LightweightClick() {
    if (Click) Click();
}

Line::Line(Container& parent, long x1, long y1, long x2, long y2)
    : Control(parent), X1(x1), Y1(y1), X2(x2), Y2(y2) {
    left_ = std::min(x1, x2), top_ = std::min(y1, y2);
    width_ = std::abs(x2 - x1), height_ = std::abs(y2 - y1);
}

void Line::Paint(HDC dc) {
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, std::max(1, BorderWidth), ResolveColor(BorderColor)));
    Selected sel(dc, pen);
    MoveToEx(dc, PxX(X1), PxY(Y1), nullptr);
    LineTo(dc, PxX(X2), PxY(Y2));
}

} // namespace rt
