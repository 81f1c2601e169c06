// How long a full-size table fill spends drawing its progress bar: 32,501
// steps into a 4740 x 285 twip picture box on a visible form, text off.
#include <kit/kit.h>

#include <chrono>
#include <cstdio>

namespace {

class BenchForm : public rt::Form {
  public:
    BenchForm() {
        Caption("  progress_bench");
        ClientSize(5000, 800);
        Progress.Move(105, 105, 4740, 285);
        Progress.AutoRedraw(true);
        Progress.Visible(false);
    }
    rt::PictureBox Progress{*this};
};

} // namespace

int main() {
    rt::Initialize(GetModuleHandleW(nullptr));
    BenchForm form;
    form.Show();
    rt::DoEvents();

    const long kMax = 32500;
    const auto start = std::chrono::steady_clock::now();
    form.Progress.Visible(true);
    for (long i = 0; i <= kMax; ++i)
        kit::DrawProgress(&form.Progress, 0, kMax, i, false, 0xFFFFFF, 0xFF0000, 0x8000000F, 2,
                          true);
    form.Progress.Visible(false);
    const auto stop = std::chrono::steady_clock::now();

    const double seconds = std::chrono::duration<double>(stop - start).count();
    std::printf("progress_bench: %ld steps in %.3f s\n", kMax + 1, seconds);
    form.Unload();
    return 0;
}
