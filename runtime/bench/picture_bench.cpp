// Draws a full table fill's worth of progress steps (two filled boxes and a
// refresh per step) into a visible picture box and prints the time taken.
#include <cstdio>

#include "bench_support.h"

int main() {
    bench::Start();
    bench::BenchForm<rt::PictureBox> form("  Picture Bench", 6000, 1500, {120, 120, 4740, 285});
    rt::PictureBox& progress = form.Target;
    progress.BorderStyle(0);
    progress.AutoRedraw(true);
    form.ShowAndDraw();
    const int steps = 32501;
    const long blue = 0x00FF0000, face = static_cast<long>(0x8000000FUL);
    bench::Stopwatch watch;
    double w = progress.ScaleWidth(), h = progress.ScaleHeight();
    for (int i = 0; i < steps; ++i) {
        double done = static_cast<double>(i) / (steps - 1) * w;
        progress.Line(0, 0, done, h, blue, true, true);
        progress.Line(done, 0, w, h, face, true, true);
        progress.Refresh();
    }
    std::printf("picture_bench: %d steps in %.3f s\n", steps, watch.Seconds());
    form.Unload();
    return 0;
}
