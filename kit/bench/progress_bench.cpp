// How long a full-size table fill spends drawing its progress bar: 32,501
// steps into a 4740 x 285 twip picture box on a visible form, text off.
#include <kit/kit.h>

#include <cstdio>

#include "../../runtime/bench/bench_support.h"

int main() {
    bench::Start();
    bench::BenchForm<rt::PictureBox> form("  progress_bench", 5000, 800, {105, 105, 4740, 285});
    rt::PictureBox& progress = form.Target;
    progress.AutoRedraw(true);
    progress.Visible(false);
    form.ShowAndDraw();

    const long kMax = 32500;
    bench::Stopwatch watch;
    progress.Visible(true);
    for (long i = 0; i <= kMax; ++i)
        kit::DrawProgress(&progress, 0, kMax, i, false, 0xFFFFFF, 0xFF0000, 0x8000000F, 2, true);
    progress.Visible(false);
    const double seconds = watch.Seconds();

    std::printf("progress_bench: %ld steps in %.3f s\n", kMax + 1, seconds);
    form.Unload();
    return 0;
}
