// Top-level forms: the window, its geometry in twips, showing (modeless and
// modal), unloading, and the messages the form routes to its controls.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <unordered_map>

#include "forms_internal.h"
#include "rt/convert.h"
#include "rt/interaction.h"
#include "rt/runguard.h"
#include "rt/services.h"

namespace rt {

using namespace detail;

COLORREF ResolveColor(long color) {
    auto value = static_cast<unsigned long>(color);
    if (value & 0x80000000UL) return GetSysColor(static_cast<int>(value & 0xFFFFUL));
    return static_cast<COLORREF>(value & 0x00FFFFFFUL);
}

namespace {

std::vector<Form*>& LoadedForms() {
    static std::vector<Form*> forms;
    return forms;
}
std::vector<Form*>& Graveyard() {
    static std::vector<Form*> dead;
    return dead;
}
Form* g_lastActivated = nullptr;

RECT OuterFromClient(long clientW, long clientH, DWORD style, DWORD ex, bool menu) {
    RECT r{0, 0, PxX(clientW), PxY(clientH)};
    AdjustWindowRectEx(&r, style, menu, ex);
    return r;
}

} // namespace

namespace detail {

void WakeMessageLoop() { PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0); }

// The objects watching a form's mouse moves; shared with the watches, which
// find it gone once the form is.
struct MouseWatchers {
    int lastId = 0;
    std::vector<std::pair<int, MouseHandler>> handlers;
    void Remove(int id) {
        handlers.erase(std::remove_if(handlers.begin(), handlers.end(),
                                      [id](const auto& h) { return h.first == id; }),
                       handlers.end());
    }
};

void FormLoaded(Form* f) { LoadedForms().push_back(f); }
void FormUnloaded(Form* f) {
    auto& v = LoadedForms();
    v.erase(std::remove(v.begin(), v.end(), f), v.end());
    if (g_lastActivated == f) g_lastActivated = nullptr;
}
void Bury(Form* f) {
    auto& g = Graveyard();
    if (std::find(g.begin(), g.end(), f) == g.end()) g.push_back(f);
}
void Exhume(Form* f) {
    auto& g = Graveyard();
    g.erase(std::remove(g.begin(), g.end(), f), g.end());
}

void EmptyGraveyard() {
    if (HandlerDepth() != 0) return;
    while (!Graveyard().empty()) {
        Form* f = Graveyard().back();
        Graveyard().pop_back();
        if (f->Loaded()) continue; // loaded again since: it lives on
        if (f->onDeleted_) f->onDeleted_();
        delete f;
    }
}

static std::unordered_map<HWND, Form*>& FormMap() {
    static std::unordered_map<HWND, Form*> map;
    return map;
}

Form* FormFromHwnd(HWND hwnd) {
    if (!hwnd) return nullptr;
    auto& map = FormMap();
    auto it = map.find(hwnd);
    return it == map.end() ? nullptr : it->second;
}

void BindForm(HWND hwnd, Form* form) { FormMap()[hwnd] = form; }
void UnbindForm(HWND hwnd) { FormMap().erase(hwnd); }

} // namespace detail

std::vector<Form*> Forms() { return LoadedForms(); }

Form* ActiveForm() {
    Form* f = FormFromHwnd(GetActiveWindow());
    return f && f->Loaded() ? f : nullptr;
}

// ---------------------------------------------------------------------------

static LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        if (cs->lpCreateParams) BindForm(hwnd, static_cast<Form*>(cs->lpCreateParams));
    }
    Form* f = FormFromHwnd(hwnd);
    if (msg == WM_NCDESTROY) UnbindForm(hwnd);
    if (f && msg == WM_NCCREATE) f->AttachHwnd(hwnd);
    // Messages while the window is being destroyed get the default handling.
    if (!f || f->hWnd() != hwnd) return DefWindowProcW(hwnd, msg, wp, lp);
    return f->WindowProc(msg, wp, lp);
}

namespace detail {
WNDPROC FormWindowProc() { return FormProc; }
} // namespace detail

FormWatch::FormWatch(FormWatch&& other) noexcept
    : list_(std::move(other.list_)), id_(other.id_) {
    other.list_.reset();
}

FormWatch& FormWatch::operator=(FormWatch&& other) noexcept {
    if (this != &other) {
        Reset();
        list_ = std::move(other.list_);
        id_ = other.id_;
        other.list_.reset();
    }
    return *this;
}

void FormWatch::Reset() {
    if (auto list = list_.lock()) list->Remove(id_);
    list_.reset();
}

Form::Form() : mouseWatchers_(std::make_shared<MouseWatchers>()) {}

FormWatch Form::WatchMouseMove(MouseHandler handler) {
    int id = ++mouseWatchers_->lastId;
    mouseWatchers_->handlers.emplace_back(id, std::move(handler));
    return FormWatch(mouseWatchers_, id);
}

Form::~Form() {
    destroying_ = true;
    if (hwnd_) {
        EndModal();
        DestroyFormWindow();
    }
    FormUnloaded(this);
    Exhume(this);
}

DWORD Form::Style() const {
    DWORD s = WS_CLIPCHILDREN;
    switch (borderStyle_) {
    case vbBSNone: s |= WS_POPUP; break;
    case vbFixedSingle: s |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU; break;
    case vbFixedDialog: s |= WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME; break;
    case vbFixedToolWindow: s |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU; break;
    case vbSizableToolWindow: s |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME; break;
    default: s |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME; break;
    }
    bool buttons = borderStyle_ == vbFixedSingle || borderStyle_ == vbSizable;
    if (buttons && minButton_) s |= WS_MINIMIZEBOX;
    if (buttons && maxButton_) s |= WS_MAXIMIZEBOX;
    return s;
}

DWORD Form::ExStyle() const {
    DWORD ex = WS_EX_CONTROLPARENT;
    if (borderStyle_ == vbFixedDialog) ex |= WS_EX_DLGMODALFRAME;
    if (borderStyle_ == vbFixedToolWindow || borderStyle_ == vbSizableToolWindow)
        ex |= WS_EX_TOOLWINDOW;
    if (showInTaskbar_) ex |= WS_EX_APPWINDOW;
    return ex;
}

bool Form::HasMenuBar() const {
    return std::any_of(menus_.begin(), menus_.end(), [](MenuItem* m) { return m->Visible(); });
}

void Form::Caption(const std::string& text) {
    caption_ = text;
    if (hwnd_) SetWindowTextW(hwnd_, Wide(text).c_str());
}

// Where the window stands when restored, in screen pixels.
RECT Form::RestoredRect() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    if (!IsIconic(hwnd_) && !IsZoomed(hwnd_)) return r;
    WINDOWPLACEMENT place{};
    place.length = sizeof place;
    if (!GetWindowPlacement(hwnd_, &place)) return r;
    RECT normal = place.rcNormalPosition;
    // Given from the work area's corner, unless the window is a tool window.
    RECT work{};
    if (!(GetWindowLongW(hwnd_, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) &&
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
        OffsetRect(&normal, work.left, work.top);
    return normal;
}

// Where the window stands, in screen pixels; for a minimised window, where it
// stands when restored: the icon's parking place is no place to lay out from
// or to keep.
RECT Form::PlacedRect() const {
    if (IsIconic(hwnd_)) return RestoredRect();
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return r;
}

FormPlace Form::RestoredPlace() const {
    if (!hwnd_) return {Left(), Top(), Width(), Height()};
    const RECT r = RestoredRect();
    return {r.left * TppX(), r.top * TppY(), (r.right - r.left) * TppX(),
            (r.bottom - r.top) * TppY()};
}

void Form::PlaceOnScreen() {
    if (!hwnd_ || IsIconic(hwnd_) || IsZoomed(hwnd_)) return;
    RECT now{};
    GetWindowRect(hwnd_, &now);
    long w = zeroWidth_ ? PxX(designWidth_) : now.right - now.left;
    long h = zeroHeight_ ? PxY(designHeight_) : now.bottom - now.top;
    const RECT wanted{now.left, now.top, now.left + w, now.top + h};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& work = monitor.rcWork;
    w = std::min(w, work.right - work.left);
    h = std::min(h, work.bottom - work.top);
    const long x = std::clamp<long>(now.left, work.left, work.right - w);
    const long y = std::clamp<long>(now.top, work.top, work.bottom - h);
    zeroWidth_ = zeroHeight_ = false;
    if (x == now.left && y == now.top && w == now.right - now.left && h == now.bottom - now.top)
        return;
    left_ = x * TppX(), top_ = y * TppY(), width_ = w * TppX(), height_ = h * TppY();
    SetWindowPos(hwnd_, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

long Form::Left() const {
    if (!hwnd_) return left_;
    return PlacedRect().left * TppX();
}
long Form::Top() const {
    if (!hwnd_) return top_;
    return PlacedRect().top * TppY();
}
long Form::Width() const {
    if (!hwnd_) {
        if (designClientW_ >= 0) {
            RECT r = OuterFromClient(designClientW_, designClientH_, Style(), ExStyle(),
                                     HasMenuBar());
            return (r.right - r.left) * TppX();
        }
        return width_;
    }
    RECT r = PlacedRect();
    return (r.right - r.left) * TppX();
}
long Form::Height() const {
    if (!hwnd_) {
        if (designClientH_ >= 0) {
            RECT r = OuterFromClient(designClientW_, designClientH_, Style(), ExStyle(),
                                     HasMenuBar());
            return (r.bottom - r.top) * TppY();
        }
        return height_;
    }
    RECT r = PlacedRect();
    return (r.bottom - r.top) * TppY();
}
void Form::Left(long v) { Move(v, Top(), Width(), Height()); }
void Form::Top(long v) { Move(Left(), v, Width(), Height()); }
void Form::Width(long v) { Move(Left(), Top(), v, Height()); }
void Form::Height(long v) { Move(Left(), Top(), Width(), v); }

void Form::Move(long left, long top, long width, long height) {
    if (width < 0 || height < 0) Raise(errInvalidPropertyValue);
    // A maximised or minimised window keeps its place and size: code that
    // sets them (a resize handler that keeps the height, say) is refused.
    if (hwnd_ && (IsZoomed(hwnd_) || IsIconic(hwnd_)))
        Raise(errFormMinimizedOrMaximized, {},
              "A form can't be moved or sized while minimized or maximized");
    bool moved = left != Left() || top != Top();
    if (moved) positioned_ = true;
    // A size of zero is remembered as asked for, for PlaceOnScreen: the window
    // itself may be given its smallest size instead. The other sizes passed
    // on unchanged (Left(v) passes the width it has) leave the mark as it is.
    if (width == 0) zeroWidth_ = true;
    else if (width != Width()) zeroWidth_ = false;
    if (height == 0) zeroHeight_ = true;
    else if (height != Height()) zeroHeight_ = false;
    left_ = left, top_ = top, width_ = width, height_ = height;
    designClientW_ = designClientH_ = -1;
    if (hwnd_)
        SetWindowPos(hwnd_, nullptr, PxX(left), PxY(top), PxX(width), PxY(height),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::ClientSize(long width, long height) {
    if (width < 0 || height < 0) Raise(errInvalidPropertyValue);
    if (!hwnd_) {
        designClientW_ = width, designClientH_ = height;
        width_ = Width(), height_ = Height();
        return;
    }
    RECT r = OuterFromClient(width, height, static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)),
                             static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE)),
                             GetMenu(hwnd_) != nullptr);
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

long Form::ScaleWidth() const {
    if (hwnd_) {
        RECT r;
        GetClientRect(hwnd_, &r);
        return r.right * TppX();
    }
    if (designClientW_ >= 0) return designClientW_;
    RECT r = OuterFromClient(0, 0, Style(), ExStyle(), HasMenuBar());
    return std::max(0L, width_ - (r.right - r.left) * TppX());
}
long Form::ScaleHeight() const {
    if (hwnd_) {
        RECT r;
        GetClientRect(hwnd_, &r);
        return r.bottom * TppY();
    }
    if (designClientH_ >= 0) return designClientH_;
    RECT r = OuterFromClient(0, 0, Style(), ExStyle(), HasMenuBar());
    return std::max(0L, height_ - (r.bottom - r.top) * TppY());
}

void Form::BackColor(long v) {
    backColor_ = v;
    if (brush_) {
        DeleteObject(brush_);
        brush_ = nullptr;
    }
    if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

int Form::WindowState() const {
    if (!hwnd_ || stateAsked_) return initialState_;
    if (IsIconic(hwnd_)) return vbMinimized;
    if (IsZoomed(hwnd_)) return vbMaximized;
    return vbNormal_;
}

void Form::WindowState(int v) {
    if (v < vbNormal_ || v > vbMaximized) Raise(errInvalidPropertyValue);
    initialState_ = v;
    if (!hwnd_ || !IsWindowVisible(hwnd_)) {
        stateAsked_ = hwnd_ != nullptr; // taken by the next Show
        return;
    }
    ShowWindow(hwnd_, v == vbMinimized ? SW_MINIMIZE : v == vbMaximized ? SW_MAXIMIZE : SW_RESTORE);
}

HDC Form::hDC() {
    if (!hwnd_) return nullptr;
    if (!dc_) dc_ = GetDC(hwnd_);
    return dc_;
}

rt::Picture Form::Icon() const {
    if (icon_) return icon_;
    Initialize();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    GetClassInfoExW(Instance(), kFormClass, &wc);
    return rt::Picture::SharedIcon(wc.hIcon);
}

void Form::Icon(const rt::Picture& icon) {
    icon_ = icon;
    ApplyIcon();
}

void Form::ApplyIcon() {
    if (!hwnd_) return;
    HICON icon = Icon().Icon();
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void Form::Picture(const rt::Picture& picture) {
    picture_ = picture;
    if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The picture at the top left, at its own size.
void Form::PaintPicture(HDC dc) { picture_.Draw(dc, 0, 0); }

void Form::PaintBackground(HDC dc) {
    if (!brush_) brush_ = CreateSolidBrush(ResolveColor(backColor_));
    RECT r;
    GetClientRect(hwnd_, &r);
    FillRect(dc, &r, brush_);
    PaintPicture(dc);
    PaintContainer(*this, dc);
}

void Form::MousePointer(int pointer) {
    mousePointer_ = pointer;
    // Shown at once when the pointer is over the form.
    POINT pt;
    if (hwnd_ && GetCursorPos(&pt) && WindowFromPoint(pt) == hwnd_)
        SendMessageW(hwnd_, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd_),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void Form::MouseIcon(const rt::Picture& icon) {
    mouseIcon_ = icon;
    if (mousePointer_ == 99) MousePointer(99);
}

// The hidden owner of the forms kept off the taskbar.
static HWND ParkingWindow() {
    static HWND parking = CreateWindowExW(0, kFormClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                          nullptr, Instance(), nullptr);
    return parking;
}

void Form::CreateFormWindow() {
    Initialize();
    DWORD style = Style(), ex = ExStyle();
    bool menu = HasMenuBar();
    long w = width_, h = height_;
    if (designClientW_ >= 0) {
        RECT r = OuterFromClient(designClientW_, designClientH_, style, ex, menu);
        w = (r.right - r.left) * TppX();
        h = (r.bottom - r.top) * TppY();
        width_ = w, height_ = h;
    }
    designWidth_ = w, designHeight_ = h;
    zeroWidth_ = zeroHeight_ = false;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
    if (startUp_ == vbStartUpScreen || startUp_ == vbStartUpOwner) {
        x = (GetSystemMetrics(SM_CXSCREEN) - PxX(w)) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - PxY(h)) / 2;
        if (x < 0) x = 0;
        if (y < 0) y = 0;
    } else if (startUp_ == vbStartUpManual || positioned_) {
        x = PxX(left_), y = PxY(top_);
    }
    HWND owner = showInTaskbar_ ? nullptr : ParkingWindow();
    HWND created = CreateWindowExW(ex, kFormClass, Wide(caption_).c_str(), style, x, y, PxX(w),
                                   PxY(h), owner, nullptr, Instance(), this);
    hwnd_ = created;
    if (!hwnd_) Raise(errOutOfMemory, {}, "The window could not be created.");
}

void Form::Load() {
    if (hwnd_ || loading_) return;
    loading_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{loading_};
    disposed_ = false;
    focus_ = nullptr;
    shownBefore_ = stateAsked_ = false;
    buttonsDown_ = 0;
    CreateFormWindow();
    ApplyIcon();
    Exhume(this);
    FormLoaded(this);
    CreateControls();
    RebuildMenuBar();
    loading_ = false;
    Call([this] { Form_Load(); });
}

bool Form::Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

void Form::Visible(bool v) {
    if (v)
        Show();
    else
        Hide();
}

void Form::ZOrder(int position) {
    if (hwnd_)
        SetWindowPos(hwnd_, position == 0 ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form::SetFocus() {
    if (!hwnd_ || !IsWindowVisible(hwnd_) || !IsWindowEnabled(hwnd_))
        Raise(errInvalidProcedureCall);
    SetForegroundWindow(hwnd_);
    SetActiveWindow(hwnd_);
}

void Form::Show(int mode, Form* owner) {
    if (mode == vbModal && Visible())
        Raise(400, {}, "Form already displayed; can't show modally");
    Load();
    if (!hwnd_) return; // unloaded by its own Form_Load
    if (owner && owner->hWnd() && owner != this)
        SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner->hWnd()));
    bool first = !IsWindowVisible(hwnd_);
    if (mode == vbModal) {
        // The form active before comes first: it gets the activation back.
        HWND before = GetActiveWindow();
        for (Form* f : LoadedForms())
            if (f != this && f->hwnd_ && IsWindowEnabled(f->hwnd_)) {
                EnableWindow(f->hwnd_, FALSE);
                if (f->hwnd_ == before)
                    disabled_.insert(disabled_.begin(), f->hwnd_);
                else
                    disabled_.push_back(f->hwnd_);
            }
    }
    resized_ = false;
    // The state asked for (at design, or by code while hidden) is taken now;
    // a form shown again without one keeps the state it was hidden in.
    int cmd = SW_SHOW;
    if (!shownBefore_ || stateAsked_)
        cmd = initialState_ == vbMinimized   ? SW_SHOWMINIMIZED
              : initialState_ == vbMaximized ? SW_SHOWMAXIMIZED
              : IsIconic(hwnd_) || IsZoomed(hwnd_) ? SW_RESTORE
                                                  : SW_SHOW;
    shownBefore_ = true;
    stateAsked_ = false;
    if (first) {
        ShowWindow(hwnd_, cmd);
        if (!resized_ && hwnd_) Call([this] { Form_Resize(); });
    }
    if (!hwnd_) return;
    SetForegroundWindow(hwnd_);
    SetActiveWindow(hwnd_);
    if (mode != vbModal) return;

    HandlerScope modal; // this form's Show is running: it is not deleted meanwhile
    ++modalDepth_;
    CurrentUser().ModalShown(*this);
    MSG msg;
    while (hwnd_ && IsWindowVisible(hwnd_)) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) break;
        PumpMessage(msg);
    }
    --modalDepth_;
    EndModal();
    // The wake-up of a form that went meanwhile may have ended this loop:
    // the loop under it is woken as well.
    WakeMessageLoop();
}

void Form::EndModal() {
    if (disabled_.empty()) return;
    std::vector<HWND> list;
    list.swap(disabled_);
    for (HWND h : list)
        if (IsWindow(h)) EnableWindow(h, TRUE);
}

void Form::Hide() {
    if (!hwnd_) return;
    std::vector<HWND> owners = disabled_;
    EndModal();
    ShowWindow(hwnd_, SW_HIDE);
    if (modalDepth_ > 0) WakeMessageLoop();
    if (!owners.empty() && IsWindow(owners.front())) SetActiveWindow(owners.front());
}

bool Form::Unload() { return UnloadWith(1); }

bool Form::UnloadWith(int mode) {
    if (!hwnd_) return true;
    if (detail::DeferUnloadForRun(*this, mode)) return false; // closed when the run has ended
    if (inUnload_ || loading_) return false;
    inUnload_ = true;
    int cancel = UnloadFormsOver() ? 0 : 1;
    if (!cancel) Call([&] { Form_QueryUnload(cancel, mode); });
    if (!cancel) Call([&] { Form_Unload(cancel); });
    inUnload_ = false;
    if (cancel || !hwnd_) return cancel == 0;
    // Give the activation back to the forms this modal form disabled before
    // the window goes, so that the program's own window comes to the front.
    std::vector<HWND> owners = disabled_;
    EndModal();
    if (!owners.empty() && IsWindow(owners.front())) SetActiveWindow(owners.front());
    DestroyFormWindow();
    if (disposable_) {
        disposed_ = true;
        Bury(this);
    }
    return true;
}

// The forms shown over this one, owned by it or modal over it, go before it:
// none is left alone on the screen, and no modal loop outlives the window it
// was shown over. False when one of them stays.
bool Form::UnloadFormsOver() {
    std::vector<Form*> over;
    for (Form* f : LoadedForms()) {
        if (f == this || !f->hwnd_) continue;
        bool disabledThis =
            std::find(f->disabled_.begin(), f->disabled_.end(), hwnd_) != f->disabled_.end();
        if (disabledThis || GetWindow(f->hwnd_, GW_OWNER) == hwnd_) over.push_back(f);
    }
    bool all = true;
    for (Form* f : over)
        if (f->Loaded() && !f->Unload()) all = false;
    return all;
}

void Form::DestroyFormWindow() {
    HWND hwnd = hwnd_;
    FormUnloaded(this);
    DestroyControls();
    if (accel_) {
        DestroyAcceleratorTable(accel_);
        accel_ = nullptr;
    }
    if (tooltip_) {
        DestroyWindow(tooltip_);
        tooltip_ = nullptr;
    }
    if (dc_) {
        ReleaseDC(hwnd, dc_);
        dc_ = nullptr;
    }
    hwnd_ = nullptr; // no more events to the program while the window goes
    if (hwnd) DestroyWindow(hwnd);
    if (brush_) {
        DeleteObject(brush_);
        brush_ = nullptr;
    }
    focus_ = nullptr;
    if (modalDepth_ > 0 || LoadedForms().empty()) WakeMessageLoop();
}

// The tool tip window, made when the first control asks for a tip. It has no
// owner: a tip window owned by the form keeps the form from being pinned on top.
HWND Form::ToolTip() {
    if (!tooltip_ && hwnd_) {
        tooltip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                   Instance(), nullptr);
        if (tooltip_) SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 600);
    }
    return tooltip_;
}

static Control* FindButton(const Container& c, bool wantDefault) {
    for (Control* ctl : c.Controls()) {
        if (auto* b = dynamic_cast<CommandButton*>(ctl)) {
            if (wantDefault ? b->Default() : b->Cancel()) return b;
        } else if (auto* fr = dynamic_cast<Frame*>(ctl)) {
            if (Control* found = FindButton(*fr, wantDefault)) return found;
        }
    }
    return nullptr;
}

Control* Form::DefaultButton() const { return FindButton(*this, true); }
Control* Form::CancelButton() const { return FindButton(*this, false); }

static bool Usable(Control* c) {
    return c && c->hWnd() && IsWindowVisible(c->hWnd()) && IsWindowEnabled(c->hWnd());
}

// The mouse over the form itself: the events, the capture while a button is
// held, and the click when it is released over the form. True when handled.
bool Form::MouseMessage(UINT msg, WPARAM wp, LPARAM lp) {
    int button = 0;
    bool down = false;
    switch (msg) {
    case WM_MOUSEMOVE: {
        int buttons = ButtonsOf(wp), shift = ShiftState();
        float x = MouseX(lp), y = MouseY(lp);
        Call([&] { Form_MouseMove(buttons, shift, x, y); });
        // The watchers, each while it still watches and the form is loaded.
        std::vector<int> ids;
        for (const auto& w : mouseWatchers_->handlers) ids.push_back(w.first);
        auto watchers = mouseWatchers_;
        for (int id : ids) {
            if (!hwnd_) break;
            auto it = std::find_if(watchers->handlers.begin(), watchers->handlers.end(),
                                   [id](const auto& w) { return w.first == id; });
            if (it == watchers->handlers.end()) continue;
            MouseHandler handler = it->second;
            Call([&] { handler(buttons, shift, x, y); });
        }
        return true;
    }
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: button = vbLeftButton, down = true; break;
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: button = vbRightButton, down = true; break;
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: button = vbMiddleButton, down = true; break;
    case WM_LBUTTONUP: button = vbLeftButton; break;
    case WM_RBUTTONUP: button = vbRightButton; break;
    case WM_MBUTTONUP: button = vbMiddleButton; break;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lp) != hwnd_) buttonsDown_ = 0;
        return false;
    default: return false;
    }
    int shift = ShiftState();
    float x = MouseX(lp), y = MouseY(lp);
    if (down) {
        if (!buttonsDown_) SetCapture(hwnd_);
        buttonsDown_ |= button;
        Call([&] { Form_MouseDown(button, shift, x, y); });
        return true;
    }
    bool pressedHere = (buttonsDown_ & button) != 0;
    buttonsDown_ &= ~button;
    if (!buttonsDown_ && GetCapture() == hwnd_) ReleaseCapture();
    Call([&] { Form_MouseUp(button, shift, x, y); });
    RECT r;
    POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    if (pressedHere && hwnd_ && GetClientRect(hwnd_, &r) && PtInRect(&r, pt))
        Call([this] { Form_Click(); });
    return true;
}

// The button Enter presses: the command button that has the focus, else the
// default button.
static Control* EnterButton(const Form& f) {
    Control* focused = ControlOf(GetFocus());
    if (dynamic_cast<CommandButton*>(focused) && IsChild(f.hWnd(), focused->hWnd())) return focused;
    return f.DefaultButton();
}

// An edit or rich-edit window of several lines.
static bool IsMultiLineBox(HWND hwnd) {
    if (!hwnd || !(GetWindowLongW(hwnd, GWL_STYLE) & ES_MULTILINE)) return false;
    wchar_t cls[32] = {};
    GetClassNameW(hwnd, cls, 32);
    return lstrcmpiW(cls, L"Edit") == 0 || lstrcmpiW(cls, RichEditClass()) == 0;
}

bool detail::MultiLineBoxKey(Form& form, HWND box, WPARAM vk, bool ctrl) {
    if ((vk != VK_ESCAPE && vk != VK_RETURN) || !IsMultiLineBox(box)) return false;
    if (vk == VK_ESCAPE) {
        if (Usable(form.CancelButton())) SendMessageW(form.hWnd(), WM_COMMAND, IDCANCEL, 0);
        return true;
    }
    if (ctrl || !Usable(form.DefaultButton())) return false;
    SendMessageW(form.hWnd(), WM_COMMAND, IDOK, 0);
    return true;
}

bool detail::EnterPressesDefault(const Form& form) { return Usable(form.DefaultButton()); }

bool detail::RefusedByMultiLineBox(HWND box, UINT msg, WPARAM wp) {
    if (msg == WM_KEYDOWN && wp == VK_ESCAPE) return IsMultiLineBox(box);
    if (msg != WM_CHAR || (wp != L'\r' && wp != L'\n') || !IsMultiLineBox(box) ||
        (GetWindowLongW(box, GWL_STYLE) & ES_READONLY))
        return false;
    const auto [start, end] = EditSelection(box);
    const long long limit = static_cast<long long>(SendMessageW(box, EM_GETLIMITTEXT, 0, 0));
    const long long after =
        GetWindowTextLengthW(box) - static_cast<long long>(end - start) + 2;
    return limit > 0 && after > limit; // CR LF, or nothing
}

LRESULT Form::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    HWND h = hwnd_;
    LRESULT routed = 0;
    if (!destroying_ && RouteContainerMessage(*this, h, msg, wp, lp, routed)) {
        if (msg == WM_LBUTTONUP) { // a lightweight control took the click
            buttonsDown_ &= ~vbLeftButton;
            if (!buttonsDown_ && GetCapture() == h) ReleaseCapture();
        }
        return routed;
    }
    if (!destroying_ && MouseMessage(msg, wp, lp)) return 0;
    switch (msg) {
    case WM_ERASEBKGND: {
        if (!brush_) brush_ = CreateSolidBrush(ResolveColor(backColor_));
        RECT r;
        GetClientRect(h, &r);
        FillRect(reinterpret_cast<HDC>(wp), &r, brush_);
        PaintPicture(reinterpret_cast<HDC>(wp));
        return 1;
    }
    case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT && reinterpret_cast<HWND>(wp) == h && mousePointer_ != 0) {
            HCURSOR cursor = mousePointer_ == 99 ? mouseIcon_.Icon()
                             : mousePointer_ == 11 ? LoadCursorW(nullptr, IDC_WAIT)
                                                   : nullptr;
            if (!cursor) cursor = LoadCursorW(nullptr, IDC_ARROW);
            SetCursor(cursor);
            return TRUE;
        }
        break;
    case WM_KEYDOWN:
        if (!destroying_) {
            int key = static_cast<int>(wp), shift = ShiftState();
            Call([this, key, shift] { Form_KeyDown(key, shift); });
        }
        return 0;
    case WM_SYSCOLORCHANGE:
        // Brushes and surfaces in system colours are made again, and
        // everything is painted in the new colours at once.
        if (brush_) {
            DeleteObject(brush_);
            brush_ = nullptr;
        }
        SysColorsChanged(*this);
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        PaintContainer(*this, dc);
        EndPaint(h, &ps);
        return 0;
    }
    case WM_SIZE:
        resized_ = true;
        if (!loading_ && !destroying_) Call([this] { Form_Resize(); });
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(h, focus)) focus_ = focus;
            return 0;
        }
        if (!HIWORD(wp)) { // not minimised: give the focus back to a control
            if (focus_ && IsWindow(focus_) && IsChild(h, focus_) && IsWindowEnabled(focus_))
                ::SetFocus(focus_);
            else if (HWND first = GetNextDlgTabItem(h, nullptr, FALSE))
                ::SetFocus(first);
            else
                ::SetFocus(h);
        }
        if (g_lastActivated != this && !destroying_) {
            g_lastActivated = this;
            Call([this] { Form_Activate(); });
        }
        return 0;
    case WM_CLOSE:
        if (!destroying_) {
            HandlerScope scope;
            UnloadWith(0);
        }
        return 0;
    case WM_COMMAND:
        if (lp == 0 && HIWORD(wp) <= 1 && LOWORD(wp) != IDOK && LOWORD(wp) != IDCANCEL) {
            MenuItem* item = FindMenu(LOWORD(wp));
            if (item && item->Enabled() && item->Click) {
                // An accelerator only works for an item the user could choose.
                if (HIWORD(wp) == 1 && !item->Visible()) return 0;
                Call([item] { item->Click(); });
            }
            return 0;
        }
        if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
            Control* b = LOWORD(wp) == IDOK ? EnterButton(*this) : CancelButton();
            if (Usable(b)) {
                auto* button = static_cast<CommandButton*>(b);
                Call([button] { button->Press(); });
            }
            return 0;
        }
        break;
    case WM_NEXTDLGCTL: {
        // The dialog keys moving the focus. A label's access key names the
        // label first, then asks for the next control: the focus goes to the
        // next one in tab order that can take it.
        static HWND label = nullptr;
        if (LOWORD(lp)) {
            auto given = reinterpret_cast<HWND>(wp);
            label = nullptr;
            if (given && (GetWindowLongW(given, GWL_STYLE) & WS_TABSTOP) && IsWindowEnabled(given))
                ::SetFocus(given);
            else
                label = given;
            return 0;
        }
        HWND from = label && IsWindow(label) && IsChild(h, label) ? label : GetFocus();
        label = nullptr;
        if (HWND next = GetNextDlgTabItem(h, from, wp != 0)) ::SetFocus(next);
        return 0;
    }
    case DM_GETDEFID: {
        Control* b = EnterButton(*this);
        if (Usable(b)) return MAKELONG(GetDlgCtrlID(b->hWnd()), DC_HASDEFID);
        return 0;
    }
    default: break;
    }
    return DefWindowProcW(h, msg, wp, lp);
}

} // namespace rt
