// The shared test helpers.
#include "test_support.h"

#include <shellapi.h>
#include <winspool.h>

#include <cwctype>
#include <fstream>
#include <iterator>
#include <map>

#include "rt/convert.h"
#include "rt/error.h"

namespace rt::test {

long ErrorOf(const std::function<void()>& f, std::string* description) {
    try {
        f();
    } catch (const Error& e) {
        if (description) *description = e.Description;
        return e.Number;
    }
    return 0;
}

TempFolder::TempFolder() {
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    static int counter = 0;
    // Always a new folder: one left by an earlier run whose process had the
    // same number (a test program killed halfway) is passed over.
    do {
        path_ = Utf8(tmp) + "bw_test_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(++counter);
    } while (!CreateDirectoryW(Wide(path_).c_str(), nullptr) &&
             GetLastError() == ERROR_ALREADY_EXISTS);
}

TempFolder::~TempFolder() {
    CloseAll();
    std::wstring from = Wide(path_) + L'\0';
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationW(&op);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(Wide(path).c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::string& bytes, DWORD attributes) {
    std::ofstream(Wide(path).c_str(), std::ios::binary) << bytes;
    if (attributes) SetFileAttributesW(Wide(path).c_str(), attributes);
}

bool HaveDefaultPrinter() {
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    return size > 0;
}

UserNumberSymbols::UserNumberSymbols(const std::string& decimal, const std::string& group,
                                     const std::string& currency) {
    for (auto [type, value] : {std::pair{LOCALE_SDECIMAL, &decimal}, {LOCALE_STHOUSAND, &group},
                               {LOCALE_SCURRENCY, &currency}}) {
        wchar_t was[16] = {};
        GetLocaleInfoW(LOCALE_USER_DEFAULT, type, was, static_cast<int>(std::size(was)));
        previous_.emplace_back(type, was);
        if (!SetLocaleInfoW(LOCALE_USER_DEFAULT, type, Wide(*value).c_str()))
            ADD_FAILURE() << "the locale refused \"" << *value << "\": " << GetLastError();
    }
}

UserNumberSymbols::~UserNumberSymbols() {
    for (const auto& [type, value] : previous_) SetLocaleInfoW(LOCALE_USER_DEFAULT, type, value.c_str());
}

namespace {

std::map<std::string, ChildMain>& Children() {
    static std::map<std::string, ChildMain> children;
    return children;
}

constexpr char kChildSwitch[] = "--benchware-child=";

} // namespace

int RegisterChild(const char* name, ChildMain main) {
    Children()[name] = main;
    return static_cast<int>(Children().size());
}

int RunChildIfAsked(int argc, char** argv) {
    if (argc < 2 || std::string(argv[1]).rfind(kChildSwitch, 0) != 0) return -1;
    auto it = Children().find(argv[1] + sizeof kChildSwitch - 1);
    if (it == Children().end()) return 2;
    return it->second(argc > 2 ? argv[2] : "");
}

ChildProcess::ChildProcess(const std::string& name, const std::string& argument) {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(exe) + L"\" " + Wide(kChildSwitch + name) +
                           L" \"" + Wide(argument) + L"\"";
    if (!Start(exe, command))
        ADD_FAILURE() << "the child " << name << " could not be started: " << GetLastError();
}

bool ChildProcess::Start(const std::wstring& exe, std::wstring command, const std::string& folder) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    const std::wstring where = Wide(folder);
    return CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          where.empty() ? nullptr : where.c_str(), &si, &info_) != FALSE;
}

Program::Program(const std::string& exeName, const std::string& folder) {
    wchar_t self[MAX_PATH];
    std::wstring exe(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
    exe = exe.substr(0, exe.find_last_of(L"\\/") + 1) + Wide(exeName);
    if (!Start(exe, L"\"" + exe + L"\"", folder))
        ADD_FAILURE() << "cannot start " << Utf8(exe) << ": " << GetLastError();
}

HWND Program::Window(const std::string& caption, DWORD timeoutMs) const {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindShownWindow(caption, Id())) != nullptr; }, timeoutMs);
    return found;
}

ChildProcess::~ChildProcess() {
    if (!info_.hProcess) return;
    Kill();
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

void ChildProcess::Kill() {
    if (info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 9);
        WaitForSingleObject(info_.hProcess, 10000);
    }
}

DWORD ChildProcess::Wait(DWORD timeoutMs) {
    DWORD code = STILL_ACTIVE;
    if (info_.hProcess && WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

bool Send(HWND window, const SentClose& close, DWORD timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, close.msg, close.wp, 0, SMTO_NORMAL, timeoutMs, &result) !=
           0;
}

void ExpectEndsOnSentCloses(const std::string& exeName, const std::string& caption,
                            const std::function<void(Program&)>& started,
                            const std::function<void()>& ended) {
    for (const SentClose& close : kSentCloses) {
        SCOPED_TRACE(exeName + ", " + close.name);
        Program program(exeName);
        if (started) started(program);
        HWND main = program.Window(caption);
        ASSERT_NE(main, nullptr);
        // Not while a box of the start holds it disabled: it refuses SC_CLOSE then.
        EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(main) != FALSE; }));
        EXPECT_TRUE(Send(main, close)) << "the close did not return";
        EXPECT_EQ(program.Wait(20000), 0u) << "the program did not end by itself";
        EXPECT_FALSE(IsWindow(main));
        if (ended) ended();
    }
}

void ExpectEndsOnCloseSentOverBox(const std::string& exeName, const std::string& caption,
                                  const std::string& box, const std::function<void(HWND main)>& open) {
    SCOPED_TRACE(exeName + ", WM_CLOSE over \"" + box + "\"");
    Program program(exeName);
    HWND main = program.Window(caption);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(main) != FALSE; }));
    open(main);
    HWND shown = program.Window(box);
    ASSERT_NE(shown, nullptr) << "no box";
    EXPECT_TRUE(Send(main, kSentCloses[0])) << "the close did not return";
    EXPECT_EQ(program.Wait(20000), 0u) << "the program did not end by itself";
    EXPECT_FALSE(IsWindow(main));
    EXPECT_FALSE(IsWindow(shown));
}

void PutText(HWND field, const std::string& text) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()),
                        SMTO_NORMAL, 1000, &ignored);
}

namespace {

std::string Box(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

std::string WindowBox(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return Box(r);
}

// Where a control stands in its window's inner area: its gaps to the left,
// top, right and bottom edges.
std::string Gaps(HWND main, HWND control) {
    RECT inner{}, c{};
    GetClientRect(main, &inner);
    GetWindowRect(control, &c);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&c), 2);
    return std::to_string(c.left) + "," + std::to_string(c.top) + "," +
           std::to_string(inner.right - c.right) + "," + std::to_string(inner.bottom - c.bottom);
}

HWND StartKept(Program& program, const KeptWindow& w) {
    if (w.started) w.started(program);
    HWND main = program.Window(w.caption);
    if (main) WaitFor([&] { return IsWindowEnabled(main) != FALSE; });
    return main;
}

void CloseKept(Program& program, HWND main) {
    EXPECT_TRUE(Send(main, kSentCloses[0])) << "the close did not return";
    EXPECT_EQ(program.Wait(20000), 0u) << "the program did not end by itself";
}

// The place kept in the settings, in pixels.
std::string KeptBox(const KeptWindow& w) {
    auto kept = [&](const char* key, long tpp) {
        long v = 0;
        if (ErrorOf([&] { v = CLng(SettingValue(GetSetting(w.app, w.section, key))); })) return -1L;
        return v / tpp;
    };
    const long tppX = Screen::TwipsPerPixelX(), tppY = Screen::TwipsPerPixelY();
    const long left = kept("Left", tppX), top = kept("Top", tppY);
    return Box({left, top, left + kept("Width", tppX), top + kept("Height", tppY)});
}

} // namespace

void ExpectContentsFillTheMaximisedWindow(const KeptWindow& w) {
    SCOPED_TRACE(w.exeName);
    DeleteSetting(w.app);
    const RECT place{100, 80, 700, 530};
    {
        Program program(w.exeName);
        HWND main = StartKept(program, w);
        ASSERT_NE(main, nullptr);
        HWND contents = Descendant(main, w.contents);
        ASSERT_NE(contents, nullptr);
        SetWindowPos(main, nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_TRUE(WaitFor([&] { return WindowBox(main) == Box(place); }));
        const std::string gaps = Gaps(main, contents), normal = WindowBox(contents);

        SendMessageW(main, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        EXPECT_TRUE(WaitFor([&] { return IsZoomed(main) && Gaps(main, contents) == gaps; }, 5000))
            << "window " << WindowBox(main) << ", contents " << WindowBox(contents)
            << ", gaps " << Gaps(main, contents) << " where a normal window has " << gaps;

        SendMessageW(main, WM_SYSCOMMAND, SC_RESTORE, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsZoomed(main); }));
        EXPECT_EQ(WindowBox(main), Box(place));
        EXPECT_EQ(WindowBox(contents), normal);

        SendMessageW(main, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        EXPECT_TRUE(WaitFor([&] { return IsZoomed(main) != FALSE; }));
        CloseKept(program, main);
    }
    EXPECT_EQ(KeptBox(w), Box(place));
    Program again(w.exeName);
    HWND main = StartKept(again, w);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsZoomed(main));
    EXPECT_FALSE(IsIconic(main));
    EXPECT_EQ(WindowBox(main), Box(place));
    CloseKept(again, main);
    DeleteSetting(w.app);
}

void ExpectKeptPlacesOpenOnTheScreen(const KeptWindow& w) {
    SCOPED_TRACE(w.exeName);
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    const long tppX = Screen::TwipsPerPixelX(), tppY = Screen::TwipsPerPixelY();
    const auto box = [](long x, long y, long width, long height) {
        return Box({x, y, x + width, y + height});
    };
    // The design size: the first start's, with nothing kept.
    DeleteSetting(w.app);
    RECT design{};
    {
        Program program(w.exeName);
        HWND main = StartKept(program, w);
        ASSERT_NE(main, nullptr);
        GetWindowRect(main, &design);
        CloseKept(program, main);
    }
    struct Case {
        const char* name;
        long left, top, width, height; // twips, as kept
        std::string opens;             // pixels
    };
    const Case cases[] = {
        {"on the screen", 100 * tppX, 80 * tppY, 600 * tppX, 400 * tppY, box(100, 80, 600, 400)},
        {"kept on a bigger screen", 1500 * tppX, 900 * tppY, 600 * tppX, 400 * tppY,
         box(work.right - 600, work.bottom - 400, 600, 400)},
        {"far to the left", -100000, 80 * tppY, 600 * tppX, 400 * tppY,
         box(work.left, 80, 600, 400)},
        {"no size", 100 * tppX, 80 * tppY, 0, 0,
         box(100, 80, design.right - design.left, design.bottom - design.top)},
        {"bigger than the screen", 100 * tppX, 80 * tppY, 999999, 999999,
         box(work.left, work.top, work.right - work.left, work.bottom - work.top)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteSetting(w.app);
        SaveSetting(w.app, w.section, "Left", CStr(c.left));
        SaveSetting(w.app, w.section, "Top", CStr(c.top));
        SaveSetting(w.app, w.section, "Width", CStr(c.width));
        SaveSetting(w.app, w.section, "Height", CStr(c.height));
        Program program(w.exeName);
        HWND main = StartKept(program, w);
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(WindowBox(main), c.opens);
        CloseKept(program, main);
        EXPECT_EQ(KeptBox(w), c.opens) << "kept at the close";
    }
    DeleteSetting(w.app);
}

void ExpectKeptFontSizesReadInEveryLocale(const KeptWindow& w) {
    SCOPED_TRACE(w.exeName);
    struct Case {
        const char* decimal; // and the other one groups digits
        const char* kept;
        const char* keptAfter;
    };
    const Case cases[] = {{".", "9.75", "10"}, {",", "9.75", "10"}, {",", "9,75", "10"},
                          {",", "975", "9.75"}, {".", "0", "9.75"},   {".", "-3", "9.75"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.kept) + " under a \"" + c.decimal + "\" locale");
        UserNumberSymbols symbols(c.decimal, *c.decimal == ',' ? "." : ",", "$");
        DeleteSetting(w.app);
        SaveSetting(w.app, w.section, w.fontSizeKey, c.kept);
        Program program(w.exeName);
        HWND main = StartKept(program, w);
        ASSERT_NE(main, nullptr);
        CloseKept(program, main);
        EXPECT_EQ(GetSetting(w.app, w.section, w.fontSizeKey), c.keptAfter);
    }
    DeleteSetting(w.app);
}

namespace {

// The foreign window's program: one window whose caption counts the keys it gets.
LRESULT CALLBACK ForeignProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    static int keys = 0;
    if (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_CHAR) {
        std::wstring caption = std::wstring(L"Got keys ") + std::to_wstring(++keys);
        SetWindowTextW(w, caption.c_str());
    } else if (msg == WM_DESTROY) {
        PostQuitMessage(0);
    }
    return DefWindowProcW(w, msg, wp, lp);
}

int ForeignWindowMain(const std::string& caption) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ForeignProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"BenchwareForeignWindow";
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(0, wc.lpszClassName, Wide(caption).c_str(),
                             WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 300, 300, 200, nullptr,
                             nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(w);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

const int kForeignWindow = RegisterChild("foreign-window", &ForeignWindowMain);

} // namespace

ForeignWindow::ForeignWindow(const std::string& caption)
    : caption_(caption), child_("foreign-window", caption) {
    WaitFor([&] { return (hwnd_ = FindShownWindow(caption_, child_.Id())) != nullptr; });
    if (!hwnd_) ADD_FAILURE() << "the foreign window never showed";
}

bool ForeignWindow::ToFront() {
    SetForegroundWindow(hwnd_);
    return WaitFor([&] { return GetForegroundWindow() == hwnd_; }, 5000);
}

bool ForeignWindow::GotKeys() const { return WindowText(hwnd_) != caption_; }

bool ForeignWindow::UntouchedInFront() const {
    WaitFor([] { return false; }, 300);
    return !GotKeys() && GetForegroundWindow() == hwnd_;
}

LostDrive::LostDrive() {
    const DWORD used = GetLogicalDrives();
    for (wchar_t c = L'Q'; c <= L'Y' && !letter_; ++c)
        if (!(used & (1u << (c - L'A')))) letter_ = c;
    const wchar_t name[] = {letter_, L':', L'\0'};
    defined_ = letter_ && DefineDosDeviceW(0, name, L"C:\\no\\such\\folder\\at\\all");
}

LostDrive::~LostDrive() {
    const wchar_t name[] = {letter_, L':', L'\0'};
    if (defined_) DefineDosDeviceW(DDD_REMOVE_DEFINITION, name, nullptr);
}

std::string LostDrive::Name() const {
    return std::string{static_cast<char>(towlower(letter_)), ':'};
}

std::string WindowText(HWND w) {
    wchar_t text[1024] = {};
    GetWindowTextW(w, text, 1024);
    return Utf8(text);
}

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text) {
    return FindWindowExW(parent, nullptr, cls, text);
}

namespace {

struct ClassSearch {
    const wchar_t* cls;
    HWND found;
};

BOOL CALLBACK MatchClass(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<ClassSearch*>(p);
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    if (lstrcmpiW(name, s->cls) != 0) return TRUE;
    s->found = w;
    return FALSE;
}

BOOL CALLBACK MatchShownDialog(HWND w, LPARAM p) {
    wchar_t cls[16] = {};
    GetClassNameW(w, cls, 16);
    if (!IsWindowVisible(w) || lstrcmpW(cls, L"#32770") != 0) return TRUE;
    *reinterpret_cast<HWND*>(p) = w;
    return FALSE;
}

} // namespace

HWND Descendant(HWND parent, const wchar_t* cls) {
    ClassSearch search{cls, nullptr};
    EnumChildWindows(parent, MatchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindShownWindow(const std::string& caption, DWORD processId) {
    const std::wstring text = Wide(caption);
    for (HWND w = FindWindowExW(nullptr, nullptr, nullptr, text.c_str()); w;
         w = FindWindowExW(nullptr, w, nullptr, text.c_str())) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == processId && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

HWND FindShownDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), MatchShownDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

COLORREF ShownPixel(HWND w, int x, int y) {
    UpdateWindow(w);
    HDC dc = GetDC(w);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(w, dc);
    return c;
}

void DoubleClickLine(HWND list, int line) {
    RECT r;
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&r));
    LPARAM at = MAKELPARAM(r.left + 30, (r.top + r.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
    SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
    DoEvents();
}

std::vector<std::string> ListLines(HWND list) {
    std::vector<std::string> lines;
    const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const auto length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        lines.push_back(Utf8(text.c_str()));
    }
    return lines;
}

ListSelection SelectionOf(HWND list) {
    ListSelection s;
    s.top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    s.caret = static_cast<int>(SendMessageW(list, LB_GETCARETINDEX, 0, 0));
    s.anchor = static_cast<int>(SendMessageW(list, LB_GETANCHORINDEX, 0, 0));
    const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) s.selected.push_back(i);
    return s;
}

void PrintTo(const ListSelection& s, std::ostream* out) {
    *out << "top " << s.top << ", caret " << s.caret << ", anchor " << s.anchor << ", selected";
    for (int i : s.selected) *out << " " << i;
}

void ClickAt(HWND window, int x, int y) {
    const HWND top = GetAncestor(window, GA_ROOT);
    SetForegroundWindow(top);
    WaitFor([&] { return GetForegroundWindow() == top; }, 3000);
    POINT p{x, y};
    ClientToScreen(window, &p);
    // Moved there, pressed and released in one go, in 65536ths of the screen.
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input[3]{};
    for (INPUT& i : input) {
        i.type = INPUT_MOUSE;
        i.mi.dx = static_cast<LONG>((p.x * 65536L + width - 1) / width);
        i.mi.dy = static_cast<LONG>((p.y * 65536L + height - 1) / height);
    }
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(3, input, sizeof(INPUT));
}

void PressButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PostKey(HWND target, WORD vk) {
    PostMessageW(target, WM_KEYDOWN, vk, 1);
    PostMessageW(target, WM_KEYUP, vk, static_cast<LPARAM>(static_cast<DWORD>(0xC0000001u)));
}

void PressKey(HWND target, WORD vk, bool ctrl) {
    BYTE saved[256], state[256];
    GetKeyboardState(saved);
    memcpy(state, saved, sizeof state);
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(state);
    PostKey(target, vk);
    DoEvents();
    SetKeyboardState(saved);
}

void TapKey(WORD vk, bool ctrl) {
    if (ctrl)
        TapKeyWith({VK_CONTROL}, vk);
    else
        TapKeyWith({}, vk);
}

void TapKeyWith(std::initializer_list<WORD> held, WORD vk) {
    std::vector<INPUT> in;
    auto key = [&](WORD k, bool up) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = k;
        i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        in.push_back(i);
    };
    for (WORD k : held) key(k, false);
    key(vk, false);
    key(vk, true);
    for (auto k = std::rbegin(held); k != std::rend(held); ++k) key(*k, true);
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

void StrikeKey(HWND window, WORD vk, bool ctrl) {
    SetForegroundWindow(window);
    WaitFor([&] { return GetForegroundWindow() == window; }, 5000);
    TapKey(vk, ctrl);
    WaitFor([] { return false; }, 200);
}

bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= timeoutMs) return false;
        DoEvents();
        Sleep(50);
    }
    return true;
}

namespace {

std::function<bool()> step;
UINT_PTR timer = 0;
int tries = 0;

void Stop() {
    if (timer) KillTimer(nullptr, timer);
    timer = 0;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (!timer) return;
    if (step()) {
        Stop();
    } else if (++tries > 200) {
        Stop();
        ADD_FAILURE() << "the modal window never became ready";
        if (HWND w = GetActiveWindow()) PostMessageW(w, WM_CLOSE, 0, 0);
    }
}

} // namespace

WhileModal::WhileModal(std::function<bool()> s) {
    Stop();
    step = std::move(s);
    tries = 0;
    timer = SetTimer(nullptr, 0, 50, &Tick);
}

WhileModal::~WhileModal() { Stop(); }

} // namespace rt::test
