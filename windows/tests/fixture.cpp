#include "fixture.h"

#include <sstream>

#include <rt/convert.h>

namespace paneherd::testing {

namespace {

constexpr UINT kHang = WM_APP + 1;
constexpr UINT kRefuseFront = WM_APP + 2;

// The target program's side: its window procedure, a hook that refuses the
// window's activation once told to, and its start.
HWND targetWindow = nullptr;
bool refuseFront = false;
int windowsAlive = 0, keysSeen = 0;
HANDLE hungEvent = nullptr, releaseEvent = nullptr;

LRESULT CALLBACK TargetProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kHang) {
        SetEvent(hungEvent);
        WaitForSingleObject(releaseEvent, 20000);
        ResetEvent(hungEvent);
        return 0;
    }
    if (msg == kRefuseFront) return refuseFront = true;
    if ((msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) && w != targetWindow)
        SetWindowTextW(w, (L"Got keys " + std::to_wstring(++keysSeen)).c_str());
    if (msg == WM_DESTROY && --windowsAlive == 0) PostQuitMessage(0);
    return DefWindowProcW(w, msg, wp, lp);
}

LRESULT CALLBACK RefuseActivation(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE && refuseFront && reinterpret_cast<HWND>(wp) == targetWindow) return 1;
    return CallNextHookEx(nullptr, code, wp, lp);
}

HWND MakeTargetWindow(const std::string& caption, int x, int y) {
    ++windowsAlive;
    HWND w = CreateWindowExW(0, L"PaneherdTarget", rt::Wide(caption).c_str(),
                             WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 320, 240, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(w);
    return w;
}

// Argument: caption, x, y, bystander (0 or 1), the events' name; tab-separated.
int TargetMain(const std::string& argument) {
    std::vector<std::string> a;
    std::stringstream in(argument);
    for (std::string part; std::getline(in, part, '\t');) a.push_back(part);
    if (a.size() < 5) return 3;
    hungEvent = OpenEventW(EVENT_ALL_ACCESS, FALSE, rt::Wide(a[4] + "-hung").c_str());
    releaseEvent = OpenEventW(EVENT_ALL_ACCESS, FALSE, rt::Wide(a[4] + "-release").c_str());
    SetWindowsHookExW(WH_CBT, RefuseActivation, nullptr, GetCurrentThreadId());
    WNDCLASSW wc{};
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"PaneherdTarget";
    RegisterClassW(&wc);
    const int x = std::stoi(a[1]), y = std::stoi(a[2]);
    targetWindow = MakeTargetWindow(a[0], x, y);
    if (a[3] == "1") MakeTargetWindow(a[0] + " (bystander)", x + 340, y);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

const int kTarget = rt::test::RegisterChild("paneherd-target", &TargetMain);

std::string EventNames() {
    static int counter = 0;
    return "PaneherdTarget-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

HANDLE NamedEvent(const std::string& name, bool manualReset) {
    return CreateEventW(nullptr, manualReset, FALSE, rt::Wide(name).c_str());
}

HWND WaitForShown(const std::string& caption, DWORD processId) {
    HWND found = nullptr;
    rt::test::WaitFor([&] { return (found = rt::test::FindShownWindow(caption, processId)) != nullptr; });
    if (!found) ADD_FAILURE() << "the window " << caption << " never showed";
    return found;
}

void MouseInput(DWORD flags, POINT at) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in.mi.dx = (at.x * 65536 + 32768) / GetSystemMetrics(SM_CXSCREEN);
    in.mi.dy = (at.y * 65536 + 32768) / GetSystemMetrics(SM_CYSCREEN);
    SendInput(1, &in, sizeof in);
}

} // namespace

// The events exist before the child starts, so that it finds them.
TargetProgram::TargetProgram(const std::string& caption, int x, int y, bool bystander)
    : caption_(caption), events_(EventNames()), hung_(NamedEvent(events_ + "-hung", true)),
      release_(NamedEvent(events_ + "-release", false)),
      child_("paneherd-target", caption + "\t" + std::to_string(x) + "\t" + std::to_string(y) +
                                    "\t" + (bystander ? "1" : "0") + "\t" + events_) {
    hwnd_ = WaitForShown(caption, child_.Id());
    if (bystander) bystander_ = WaitForShown(caption + " (bystander)", child_.Id());
}

TargetProgram::~TargetProgram() {
    Release();
    CloseHandle(hung_);
    CloseHandle(release_);
}

void TargetProgram::Hang() {
    PostMessageW(hwnd_, kHang, 0, 0);
    if (WaitForSingleObject(hung_, 10000) != WAIT_OBJECT_0) ADD_FAILURE() << "the target never hung";
}

void TargetProgram::RefuseFront() {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(hwnd_, kRefuseFront, 0, 0, SMTO_NORMAL, 5000, &answer);
    if (answer != 1) ADD_FAILURE() << "the target did not take the order";
}

bool TargetProgram::BystanderGotKeys() const {
    return rt::test::WindowText(bystander_).rfind("Got keys", 0) == 0;
}

frmMain& PaneherdTest::Start(const TargetProgram* target) {
    frmMain& main = frmMain::Get();
    main.Show();
    rt::DoEvents();
    if (target) {
        main.txtTitlebar.Text(target->Caption());
        EXPECT_EQ(main.TargetWindow, target->hWnd());
        EXPECT_TRUE(Eventually([&] { return !main.txtWidth.Text().empty(); }));
    }
    return main;
}

std::vector<std::string> PaneherdTest::Boxes() const {
    std::vector<std::string> shown;
    for (const auto& box : user.MessageBoxes())
        shown.push_back(box.Title + "|" + box.Prompt + "|" + std::to_string(box.Style));
    return shown;
}

RECT Rect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

bool Topmost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

std::string HandleText(HWND window) {
    return std::to_string(static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
}

POINT Centre(HWND window) {
    const RECT r = Rect(window);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool Eventually(const std::function<bool()>& holds) { return rt::test::WaitFor(holds, 10000); }

void Pause(DWORD ms) { rt::test::WaitFor([] { return false; }, ms); }

void TypeKeys(const std::string& text) {
    for (wchar_t c : rt::Wide(text)) {
        INPUT in[2]{};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wScan = in[1].ki.wScan = c;
        in[0].ki.dwFlags = KEYEVENTF_UNICODE;
        in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof(INPUT));
    }
}

void Type(HWND field, const std::string& text) {
    for (wchar_t c : rt::Wide(text)) {
        SendMessageW(field, WM_CHAR, c, 1);
        rt::DoEvents();
    }
}

// Every event of the click carries the point: a press without one may land
// where the pointer was before.
void ClickAt(POINT at, bool rightButton) {
    MouseInput(0, at);
    Sleep(30);
    MouseInput(rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, at);
    Sleep(30);
    MouseInput(rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, at);
}

} // namespace paneherd::testing
