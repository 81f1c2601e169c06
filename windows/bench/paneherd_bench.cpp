// Times the live position fields' tick over 1,000 ticks (median and 95th
// percentile, with the target standing still and with it moving before every
// tick) and the class list's fill with 200 extra top-level windows open:
// paneherd_bench: tick, still target: median X.XXX ms, 95th percentile X.XXX ms
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include <rt/forms.h>
#include <rt/services.h>

#include "frmMain.h"
#include "modPaneherd.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The median and the 95th percentile of `n` timed runs of `run`, with
// `before` run untimed ahead of each.
void Report(const char* what, int n, const std::function<void(int)>& before,
            const std::function<void()>& run) {
    std::vector<double> ms;
    for (int i = 0; i < n; ++i) {
        before(i);
        const auto start = Clock::now();
        run();
        ms.push_back(Ms(Clock::now() - start));
    }
    std::sort(ms.begin(), ms.end());
    std::printf("paneherd_bench: %s: median %.3f ms, 95th percentile %.3f ms (%d runs)\n", what,
                ms[ms.size() / 2], ms[ms.size() * 95 / 100], n);
}

LRESULT CALLBACK PlainWindow(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(w, msg, wp, lp);
}

HWND MakeWindow(const wchar_t* title, bool visible) {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = PlainWindow;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PaneherdBenchWindow";
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    return CreateWindowExW(0, L"PaneherdBenchWindow", title,
                           WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 100, 100, 300, 200,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

} // namespace

int main() {
    rt::Initialize(GetModuleHandleW(nullptr));
    rt::App().Title = "Paneherd";
    paneherd::frmMain& form = paneherd::frmMain::Get();
    form.Show();
    rt::DoEvents();

    HWND target = MakeWindow(L"Paneherd bench target", true);
    form.txtTitlebar.Text("Paneherd bench target");
    form.Timer1.Enabled(false); // the ticks below are the only ones
    Report("tick, still target", 1000, [](int) { rt::DoEvents(); }, [&] { form.Timer1_Timer(); });
    Report("tick, target moved before every tick", 1000,
           [&](int i) {
               SetWindowPos(target, nullptr, 100 + i % 50, 100, 300 + i % 7, 200,
                            SWP_NOZORDER | SWP_NOACTIVATE);
               rt::DoEvents(); // as between two ticks of the message loop
           },
           [&] { form.Timer1_Timer(); });

    const int before = form.txtClassName.ListCount();
    std::vector<HWND> extra;
    for (int i = 0; i < 200; ++i) extra.push_back(MakeWindow(L"", false));
    Report("class list, 200 extra top-level windows", 20, [](int) { rt::DoEvents(); },
           [] { paneherd::LoadClassList(); });
    std::printf("paneherd_bench: class list: %d entries before, %d with the extra windows\n",
                before, form.txtClassName.ListCount());

    for (HWND w : extra) DestroyWindow(w);
    DestroyWindow(target);
    form.Unload();
    rt::DoEvents();
    return 0;
}
