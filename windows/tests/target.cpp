// The target program: what runs in the child process, and its handle here.
#include "target.h"

#include <sstream>
#include <vector>

#include <rt/convert.h>

namespace paneherd::testing {

namespace {

constexpr UINT kHang = WM_APP + 1;
constexpr UINT kRefuseFront = WM_APP + 2;
constexpr DWORD kLongestHang = 20000;

// The child's side.
HWND mainWindow = nullptr;
bool refuseFront = false;
int windowsAlive = 0;
int keysSeen = 0;
HANDLE hungEvent = nullptr, releaseEvent = nullptr;

LRESULT CALLBACK TargetProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case kHang:
        SetEvent(hungEvent);
        WaitForSingleObject(releaseEvent, kLongestHang);
        ResetEvent(hungEvent);
        return 0;
    case kRefuseFront:
        refuseFront = true;
        return 1;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
        if (w != mainWindow) {
            std::wstring caption = L"Got keys " + std::to_wstring(++keysSeen);
            SetWindowTextW(w, caption.c_str());
        }
        break;
    case WM_DESTROY:
        if (--windowsAlive == 0) PostQuitMessage(0);
        break;
    default: break;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

// Refuses the activation of the main window once told to.
LRESULT CALLBACK RefuseActivation(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE && refuseFront && reinterpret_cast<HWND>(wp) == mainWindow) return 1;
    return CallNextHookEx(nullptr, code, wp, lp);
}

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, '\t');) parts.push_back(part);
    return parts;
}

int TargetMain(const std::string& argument) {
    const std::vector<std::string> a = Split(argument);
    if (a.size() < 7) return 3;
    hungEvent = OpenEventW(EVENT_ALL_ACCESS, FALSE, rt::Wide(a[6] + "-hung").c_str());
    releaseEvent = OpenEventW(EVENT_ALL_ACCESS, FALSE, rt::Wide(a[6] + "-release").c_str());
    SetWindowsHookExW(WH_CBT, RefuseActivation, nullptr, GetCurrentThreadId());

    WNDCLASSW wc{};
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kTargetClass;
    RegisterClassW(&wc);
    mainWindow = CreateWindowExW(0, kTargetClass, rt::Wide(a[0]).c_str(),
                                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, std::stoi(a[1]), std::stoi(a[2]),
                                 std::stoi(a[3]), std::stoi(a[4]), nullptr, nullptr,
                                 wc.hInstance, nullptr);
    ++windowsAlive;
    SetForegroundWindow(mainWindow);
    if (a[5] == "1") {
        HWND bystander = CreateWindowExW(0, kTargetClass, rt::Wide(a[0] + " (bystander)").c_str(),
                                         WS_OVERLAPPEDWINDOW | WS_VISIBLE, std::stoi(a[1]) + 360,
                                         std::stoi(a[2]), 240, 160, nullptr, nullptr,
                                         wc.hInstance, nullptr);
        ++windowsAlive;
        SetForegroundWindow(bystander);
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

const int kTarget = rt::test::RegisterChild("paneherd-target", &TargetMain);

std::string EventPrefix() {
    static int counter = 0;
    return "PaneherdTarget-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(++counter);
}

std::string Argument(const std::string& caption, const TargetProgram::Options& o,
                     const std::string& events) {
    return caption + "\t" + std::to_string(o.X) + "\t" + std::to_string(o.Y) + "\t" +
           std::to_string(o.Width) + "\t" + std::to_string(o.Height) + "\t" +
           (o.Bystander ? "1" : "0") + "\t" + events;
}

HANDLE NamedEvent(const std::string& name, bool manualReset) {
    return CreateEventW(nullptr, manualReset, FALSE, rt::Wide(name).c_str());
}

} // namespace

// The events are made before the child starts, so that it finds them.
TargetProgram::TargetProgram(const std::string& caption, const Options& options)
    : caption_(caption), events_(EventPrefix()), hung_(NamedEvent(events_ + "-hung", true)),
      release_(NamedEvent(events_ + "-release", false)),
      child_("paneherd-target", Argument(caption, options, events_)) {
    rt::test::WaitFor([&] { return (hwnd_ = rt::test::FindShownWindow(caption, Id())) != nullptr; });
    if (!hwnd_) ADD_FAILURE() << "the target window never showed";
    if (options.Bystander) {
        rt::test::WaitFor([&] {
            return (bystander_ = rt::test::FindShownWindow(caption + " (bystander)", Id())) != nullptr;
        });
        if (!bystander_) ADD_FAILURE() << "the bystander window never showed";
    }
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

void TargetProgram::Release() { SetEvent(release_); }

void TargetProgram::RefuseFront() {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(hwnd_, kRefuseFront, 0, 0, SMTO_NORMAL, 5000, &answer);
    if (answer != 1) ADD_FAILURE() << "the target did not take the order";
}

bool TargetProgram::BystanderGotKeys() const {
    return rt::test::WindowText(bystander_).rfind("Got keys", 0) == 0;
}

RECT Rect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

bool Topmost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

} // namespace paneherd::testing
