// The message loop and the runtime's start-up: window classes, the common
// controls, the rich-edit library, yielding, activating a window by caption
// and sending key strings.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cctype>
#include <cstring>
#include <string_view>

#include "forms_internal.h"
#include "rt/convert.h"
#include "rt/services.h"

namespace rt {

namespace detail {
WNDPROC FormWindowProc();
}

using namespace detail;

namespace {

HINSTANCE g_instance = nullptr;
const wchar_t* g_richClass = L"RichEdit20W";
long g_tppX = 15, g_tppY = 15;

void RegisterWindowClass(const wchar_t* name, WNDPROC proc, HICON icon, UINT style) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = g_instance;
    wc.hIcon = icon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

} // namespace

namespace detail {

HINSTANCE Instance() {
    if (!g_instance) g_instance = GetModuleHandleW(nullptr);
    return g_instance;
}
long TppX() { return g_tppX; }
long TppY() { return g_tppY; }
const wchar_t* RichEditClass() { return g_richClass; }

int& HandlerDepth() {
    static int depth = 0;
    return depth;
}

bool PreTranslate(MSG& msg) {
    if (!msg.hwnd) return false;
    Form* f = FormFromHwnd(GetAncestor(msg.hwnd, GA_ROOT));
    if (!f || !f->hWnd()) return false;
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
        Control* c = ControlOf(msg.hwnd);
        if (!c) c = ControlOf(GetParent(msg.hwnd)); // a window a control is made of
        if (c && !c->ToolTipText().empty() && f->ToolTip())
            SendMessageW(f->ToolTip(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && f->Accelerators() &&
        TranslateAcceleratorW(f->hWnd(), f->Accelerators(), &msg))
        return true;
    if (msg.message == WM_KEYDOWN &&
        MultiLineBoxKey(*f, msg.hwnd, msg.wParam, GetKeyState(VK_CONTROL) < 0))
        return true;
    return IsDialogMessageW(f->hWnd(), &msg) != FALSE;
}

void PumpMessage(MSG& msg) {
    if (PreTranslate(msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

} // namespace detail

void Initialize(HINSTANCE instance) {
    static bool done = false;
    if (done) return;
    done = true;
    g_instance = instance ? instance : GetModuleHandleW(nullptr);

    {
        WindowDC screen(nullptr);
        int dx = GetDeviceCaps(screen, LOGPIXELSX), dy = GetDeviceCaps(screen, LOGPIXELSY);
        if (dx > 0) g_tppX = 1440 / dx;
        if (dy > 0) g_tppY = 1440 / dy;
    }

    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    // The shell (opening links, the folder browser, the notification area)
    // wants COM on the thread that calls it, apartment-threaded; the program
    // keeps it for its whole life.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    // The program's own icon (resource 1) when it has one.
    auto icon = static_cast<HICON>(LoadImageW(g_instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0,
                                              LR_DEFAULTSIZE | LR_SHARED));
    if (!icon) icon = LoadIconW(nullptr, IDI_APPLICATION);
    RegisterWindowClass(kFormClass, FormWindowProc(), icon, CS_DBLCLKS);
    RegisterWindowClass(kFrameClass, FrameProc, nullptr, CS_HREDRAW | CS_VREDRAW);
    RegisterWindowClass(kPictureClass, PictureProc, nullptr, CS_DBLCLKS);

    if (LoadLibraryW(L"msftedit.dll"))
        g_richClass = L"RICHEDIT50W";
    else if (LoadLibraryW(L"riched20.dll"))
        g_richClass = L"RichEdit20W";
}

int Run(Form& startup) {
    Initialize();
    Dispatch([&] { startup.Show(); });
    MSG msg;
    while (!Forms().empty()) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) break;
        PumpMessage(msg);
        EmptyGraveyard();
    }
    EmptyGraveyard();
    return 0;
}

void DoEvents() {
    MSG msg;
    // Bounded, so that a window that keeps posting cannot hold the caller forever.
    for (int i = 0; i < 100000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        PumpMessage(msg);
    }
    EmptyGraveyard();
}

// ---------------------------------------------------------------------------
// AppActivate

namespace {

struct WindowSearch {
    std::wstring caption;
    bool prefix;
    bool ownProcess;
    HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<WindowSearch*>(lp);
    if (!IsWindowVisible(hwnd)) return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if ((pid == GetCurrentProcessId()) != s->ownProcess) return TRUE;
    std::wstring text = WindowTextW(hwnd);
    bool match = s->prefix ? text.compare(0, s->caption.size(), s->caption) == 0
                           : text == s->caption;
    if (!match) return TRUE;
    s->found = hwnd;
    return FALSE;
}

} // namespace

void AppActivate(const std::string& caption) {
    std::wstring wide = Wide(caption);
    HWND found = nullptr;
    for (bool prefix : {false, true}) {
        for (bool own : {true, false}) {
            WindowSearch s{wide, prefix, own};
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&s));
            if (s.found) {
                found = s.found;
                break;
            }
        }
        if (found) break;
    }
    if (!found || caption.empty()) Raise(errInvalidProcedureCall);
    SetForegroundWindow(found);
    DWORD pid = 0;
    if (GetWindowThreadProcessId(found, &pid) == GetCurrentThreadId()) SetActiveWindow(found);
}

// ---------------------------------------------------------------------------
// SendKeys

namespace {

struct Key {
    WORD vk = 0;
    wchar_t ch = 0; // the character the key types, 0 for none
    int shift = 0;  // 1 Shift, 2 Ctrl, 4 Alt
};

WORD NamedKey(std::string name, wchar_t& ch) {
    for (auto& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    ch = 0;
    struct Named {
        const char* name;
        WORD vk;
        wchar_t ch;
    };
    static const Named keys[] = {
        {"DOWN", VK_DOWN, 0},     {"UP", VK_UP, 0},         {"LEFT", VK_LEFT, 0},
        {"RIGHT", VK_RIGHT, 0},   {"ENTER", VK_RETURN, L'\r'}, {"TAB", VK_TAB, L'\t'},
        {"ESC", VK_ESCAPE, 0x1B}, {"ESCAPE", VK_ESCAPE, 0x1B}, {"HOME", VK_HOME, 0},
        {"END", VK_END, 0},       {"DEL", VK_DELETE, 0},    {"DELETE", VK_DELETE, 0},
        {"BS", VK_BACK, 0x08},    {"BACKSPACE", VK_BACK, 0x08}, {"BKSP", VK_BACK, 0x08},
        {"PGUP", VK_PRIOR, 0},    {"PGDN", VK_NEXT, 0},     {"INSERT", VK_INSERT, 0},
        {"INS", VK_INSERT, 0},
    };
    for (const auto& k : keys)
        if (name == k.name) {
            ch = k.ch;
            return k.vk;
        }
    if (name.size() >= 2 && name[0] == 'F') {
        int n = 0;
        for (size_t i = 1; i < name.size(); ++i) {
            if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
            n = n * 10 + (name[i] - '0');
        }
        if (n >= 1 && n <= 16) return static_cast<WORD>(VK_F1 + n - 1);
    }
    return 0;
}

Key CharKey(wchar_t c) {
    Key k;
    k.ch = c;
    SHORT scan = VkKeyScanW(c);
    if (scan != -1) {
        k.vk = LOBYTE(scan);
        int s = HIBYTE(scan);
        k.shift = (s & 1 ? 1 : 0) | (s & 2 ? 2 : 0) | (s & 4 ? 4 : 0);
    }
    return k;
}

// The key string as a list of keys; modifiers apply to the next key or the
// next group in parentheses.
std::vector<Key> ParseKeys(const std::string& keys) {
    std::wstring w = Wide(keys);
    std::vector<Key> out;
    int pending = 0, group = 0;
    bool inGroup = false;
    auto emit = [&](Key k) {
        k.shift |= inGroup ? group : pending;
        if (!inGroup) pending = 0;
        out.push_back(k);
    };
    for (size_t i = 0; i < w.size(); ++i) {
        wchar_t c = w[i];
        if (c == L'+' || c == L'^' || c == L'%') {
            pending |= c == L'+' ? 1 : c == L'^' ? 2 : 4;
        } else if (c == L'(' && !inGroup) {
            inGroup = true, group = pending, pending = 0;
        } else if (c == L')' && inGroup) {
            inGroup = false, group = 0;
        } else if (c == L'~') {
            emit(Key{VK_RETURN, L'\r', 0});
        } else if (c == L'{') {
            size_t close = w.find(L'}', i + 2 <= w.size() ? i + 2 : i + 1);
            if (close == std::wstring::npos) Raise(errInvalidProcedureCall);
            std::wstring body = w.substr(i + 1, close - i - 1);
            i = close;
            int repeat = 1;
            size_t space = body.find(L' ');
            if (space != std::wstring::npos && space > 0) {
                repeat = 0;
                for (wchar_t d : body.substr(space + 1)) {
                    if (d < L'0' || d > L'9') Raise(errInvalidProcedureCall);
                    repeat = repeat * 10 + (d - L'0');
                }
                body.resize(space);
            }
            Key k;
            if (body.size() == 1) {
                k = CharKey(body[0]);
            } else {
                k.vk = NamedKey(Utf8(body), k.ch);
                if (!k.vk) Raise(errInvalidProcedureCall);
            }
            for (int r = 0; r < repeat; ++r) emit(k);
        } else {
            emit(CharKey(c));
        }
    }
    return out;
}

// Delivers one key to the focused window of this thread as the message loop
// would: menu shortcuts first, then the dialog keys, then the window itself.
void DeliverOwn(const Key& k) {
    HWND focus = GetFocus();
    if (!focus) focus = GetActiveWindow();
    if (!focus) return;
    HWND root = GetAncestor(focus, GA_ROOT);
    Form* form = FormFromHwnd(root);

    BYTE saved[256], state[256];
    GetKeyboardState(saved);
    std::memcpy(state, saved, sizeof state);
    auto press = [&](int vk, bool down) { state[vk] = down ? 0x80 : 0; };
    press(VK_SHIFT, k.shift & 1), press(VK_CONTROL, k.shift & 2), press(VK_MENU, k.shift & 4);
    state[k.vk] = 0x80;
    SetKeyboardState(state);

    UINT scan = MapVirtualKeyW(k.vk, MAPVK_VK_TO_VSC);
    LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
    LPARAM up = down | static_cast<LPARAM>(static_cast<DWORD>(0xC0000000u));
    MSG msg{focus, static_cast<UINT>((k.shift & 4) ? WM_SYSKEYDOWN : WM_KEYDOWN), k.vk, down, 0, {}};
    bool done = false;
    if (form && form->Accelerators() && TranslateAcceleratorW(root, form->Accelerators(), &msg))
        done = true;
    if (!done && form && !(k.shift & 4) && MultiLineBoxKey(*form, focus, k.vk, (k.shift & 2) != 0))
        done = true;
    if (!done && form && (k.vk == VK_RETURN || k.vk == VK_ESCAPE || k.vk == VK_TAB) &&
        !(k.shift & 6)) {
        LRESULT code = SendMessageW(focus, WM_GETDLGCODE, k.vk, reinterpret_cast<LPARAM>(&msg));
        if (k.vk == VK_TAB && !(code & (DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))) {
            if (HWND next = GetNextDlgTabItem(root, focus, (k.shift & 1) != 0)) ::SetFocus(next);
            done = true;
        } else if (k.vk != VK_TAB && !(code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))) {
            // The form presses the focused button, or else its default or
            // cancel button.
            SendMessageW(root, WM_COMMAND, k.vk == VK_RETURN ? IDOK : IDCANCEL, 0);
            done = true;
        }
    }
    if (!done && IsWindow(focus)) {
        DispatchMessageW(&msg);
        wchar_t ch = k.ch;
        if (ch && (k.shift & 1) && k.vk) { // the character the shifted key types
            wchar_t typed[4] = {};
            if (ToUnicode(k.vk, scan, state, typed, 4, 0) == 1) ch = typed[0];
        }
        if (ch && !(k.shift & 6) && IsWindow(focus)) {
            MSG chr{focus, WM_CHAR, ch, down, 0, {}};
            DispatchMessageW(&chr);
        }
    }
    state[k.vk] = 0;
    if (IsWindow(focus)) {
        MSG release{focus, static_cast<UINT>((k.shift & 4) ? WM_SYSKEYUP : WM_KEYUP), k.vk, up, 0, {}};
        DispatchMessageW(&release);
    }
    SetKeyboardState(saved);
}

void SendOther(const Key& k) {
    std::vector<INPUT> in;
    auto key = [&](WORD vk, bool up) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
        i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        in.push_back(i);
    };
    if (k.shift & 1) key(VK_SHIFT, false);
    if (k.shift & 2) key(VK_CONTROL, false);
    if (k.shift & 4) key(VK_MENU, false);
    if (k.vk) {
        key(k.vk, false);
        key(k.vk, true);
    } else if (k.ch) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wScan = k.ch;
        i.ki.dwFlags = KEYEVENTF_UNICODE;
        in.push_back(i);
        i.ki.dwFlags |= KEYEVENTF_KEYUP;
        in.push_back(i);
    }
    if (k.shift & 4) key(VK_MENU, true);
    if (k.shift & 2) key(VK_CONTROL, true);
    if (k.shift & 1) key(VK_SHIFT, true);
    if (!in.empty()) SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

} // namespace

void SendKeys(const std::string& keys) {
    std::vector<Key> list = ParseKeys(keys);
    for (const Key& k : list) {
        HWND fg = GetForegroundWindow();
        DWORD pid = 0;
        if (fg) GetWindowThreadProcessId(fg, &pid);
        bool own = fg ? pid == GetCurrentProcessId() : GetFocus() != nullptr;
        if (own && k.vk)
            DeliverOwn(k);
        else if (own && k.ch) {
            HWND focus = GetFocus();
            if (focus) SendMessageW(focus, WM_CHAR, k.ch, 1);
        } else
            SendOther(k);
    }
}

} // namespace rt
