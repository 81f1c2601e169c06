// Draws a full table fill's worth of progress steps (two filled boxes and a
// refresh per step) into a visible picture box and prints the time taken.
#include <windows.h>

#include <chrono>
#include <cstdio>

#include "rt/forms.h"
#include "rt/services.h"

namespace {

class BenchForm : public rt::Form {
  public:
    BenchForm() {
        Caption("  Picture Bench");
        ClientSize(6000, 1500);
        Progress.Move(120, 120, 4740, 285);
        Progress.BorderStyle(0);
        Progress.AutoRedraw(true);
    }
    rt::PictureBox Progress{*this};
};

} // namespace

int main() {
    rt::Initialize(GetModuleHandleW(nullptr));
    BenchForm form;
    form.Show();
    rt::DoEvents();
    const int steps = 32501;
    const long blue = 0x00FF0000, face = static_cast<long>(0x8000000FUL);
    auto start = std::chrono::steady_clock::now();
    double w = form.Progress.ScaleWidth(), h = form.Progress.ScaleHeight();
    for (int i = 0; i < steps; ++i) {
        double done = static_cast<double>(i) / (steps - 1) * w;
        form.Progress.Line(0, 0, done, h, blue, true, true);
        form.Progress.Line(done, 0, w, h, face, true, true);
        form.Progress.Refresh();
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("picture_bench: %d steps in %.3f s\n", steps, seconds);
    form.Unload();
    return 0;
}
