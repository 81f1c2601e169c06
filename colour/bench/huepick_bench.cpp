// Times what a pick costs on the screen it runs on (1024 x 768 under the
// test display): copying the whole screen, 20 times, and the capture window's
// pointer-move handler, 1,000 moves over the shown capture. On a 256-colour
// display as well: BENCHWARE_DEPTH=8 bash scripts/bench.sh huepick_bench
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <rt.h>

#include "frmScreen.h"
#include "modHuepick.h"
#include "modScreenCapture.h"

namespace {

double Ms(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

// The value below which the given share of the times lie.
double Percentile(std::vector<double> times, double share) {
    std::sort(times.begin(), times.end());
    const size_t i = static_cast<size_t>(share * static_cast<double>(times.size() - 1) + 0.5);
    return times[i];
}

} // namespace

int main() {
    rt::Initialize(GetModuleHandleW(nullptr));
    rt::App().Title = "Huepick";
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);

    std::vector<double> captures;
    for (int i = 0; i < 20; ++i) {
        const auto start = std::chrono::steady_clock::now();
        rt::Picture picture = huepick::CaptureDesktop();
        captures.push_back(Ms(start));
        if (!picture) {
            std::printf("huepick_bench: the screen could not be copied\n");
            return 1;
        }
    }
    std::printf("huepick_bench: capture %dx%d at %d bits: median of 20 %.2f ms (fastest %.2f, "
                "slowest %.2f; goal under 30 ms)\n",
                w, h, bits, Percentile(captures, 0.5), Percentile(captures, 0), Percentile(captures, 1));

    // The capture window shown as in a pick, the pointer moved over it.
    huepick::frmScreen& capture = huepick::frmScreen::Get();
    capture.Show();
    rt::DoEvents();
    std::vector<double> moves;
    unsigned seed = 12345;
    for (int i = 0; i < 1000; ++i) {
        seed = seed * 1103515245u + 12345u;
        SetCursorPos(static_cast<int>((seed >> 8) % static_cast<unsigned>(w)),
                     static_cast<int>((seed >> 18) % static_cast<unsigned>(h)));
        const auto start = std::chrono::steady_clock::now();
        SendMessageW(capture.hWnd(), WM_MOUSEMOVE, 0, 0);
        moves.push_back(Ms(start));
        rt::DoEvents(); // the swatch repaints between moves, as between a hand's
    }
    std::printf("huepick_bench: pointer-move handler at %d bits over 1000 moves: median %.3f ms, "
                "95th percentile %.3f ms (goal under 2 ms)\n",
                bits, Percentile(moves, 0.5), Percentile(moves, 0.95));
    capture.Unload();
    rt::DoEvents();
    return 0;
}
