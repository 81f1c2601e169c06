// What Decorum's two speed goals measure, on a shown main window:
// Change To Color then Undo Change on each of the 28 elements, each until the
// sample has repainted (goal: under 50 ms a change), and Refresh, the start-up
// reading of the desktop with the two gradient title bars drawn again
// (goal: a median under 100 ms over 50 runs). Every colour is put back.
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include <rt.h>

#include "../../runtime/bench/bench_support.h"
#include "elements.h"
#include "frmMain.h"

namespace {

// Runs what waits in the queue, then paints what is left to paint.
void Repainted(decorum::frmMain& form) {
    rt::DoEvents();
    RedrawWindow(form.hWnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main() {
    bench::Start();
    rt::App().Title = "Decorum";
    std::array<COLORREF, 31> saved{};
    std::array<int, 31> indexes{};
    for (int i = 0; i < 31; ++i) saved[static_cast<size_t>(i)] = GetSysColor(i), indexes[static_cast<size_t>(i)] = i;

    decorum::frmMain& form = decorum::frmMain::Get();
    form.Show();
    Repainted(form);

    std::vector<double> changes, undos;
    for (int i = 0; i < form.cboWhatToChange.ListCount(); ++i) {
        form.cboWhatToChange.ListIndex(i);
        decorum::gPickedColor = RGB(i * 9, 255 - i * 9, 128);
        bench::Stopwatch change;
        form.cmdChangeToColor.Press();
        Repainted(form);
        changes.push_back(change.Seconds());
        bench::Stopwatch undo;
        form.cmdUndo.Press();
        Repainted(form);
        undos.push_back(undo.Seconds());
    }
    const double worst = std::max(*std::max_element(changes.begin(), changes.end()),
                                  *std::max_element(undos.begin(), undos.end()));
    std::printf("decorum_bench: Change To Color, 28 elements until repainted: median %.1f ms, "
                "worst %.1f ms (goal under 50 ms)\n",
                Median(changes) * 1000, worst * 1000);
    std::printf("decorum_bench: Undo Change, 28 elements until repainted: median %.1f ms\n",
                Median(undos) * 1000);

    std::vector<double> refreshes;
    for (int run = 0; run < 50; ++run) {
        bench::Stopwatch watch;
        form.cmdRefresh.Press();
        Repainted(form);
        refreshes.push_back(watch.Seconds());
    }
    std::printf("decorum_bench: Refresh, 50 runs: median %.1f ms, slowest %.1f ms (goal: median "
                "under 100 ms)\n",
                Median(refreshes) * 1000,
                *std::max_element(refreshes.begin(), refreshes.end()) * 1000);

    form.Unload();
    SetSysColors(31, indexes.data(), saved.data());
    return 0;
}
