// The percentage bar drawn into a picture box once per step of a long loop.
#include <kit/kit.h>

#include <cstdint>

namespace kit {

namespace {

// A whole-number difference as the runtime computes it: error 6 when the
// result does not fit a Long.
long LongDifference(long a, long b) {
    const int64_t d = static_cast<int64_t>(a) - static_cast<int64_t>(b);
    if (d < INT32_MIN || d > INT32_MAX) rt::Raise(rt::errOverflow);
    return static_cast<long>(d);
}

} // namespace

void DrawProgress(rt::PictureBox* Pic, long Min, long Max, long Value, bool ShowText,
                  long TextColor, long BarColor, long BackColor, long TextAlign,
                  bool SkipSetup) {
    if (!Pic) return;
    rt::PictureBox& pic = *Pic;

    if (!SkipSetup) {
        rt::Try([&] { pic.AutoRedraw(true); });
        rt::Try([&] { pic.AutoSize(false); });
        rt::Try([&] { pic.Picture(rt::Picture()); });
        rt::Try([&] { pic.Visible(true); });
    }

    long range = 0;
    rt::Try([&] { range = LongDifference(Max, Min); });

    // The fraction done; with an empty (or overflowed) range it cannot be
    // computed, and every statement that needs it is skipped.
    auto fraction = [&]() -> double {
        if (range == 0) rt::Raise(11); // division by zero
        return static_cast<double>(LongDifference(Value, Min)) / static_cast<double>(range);
    };

    std::string text;
    rt::Try([&] { text = rt::Format(fraction(), "0%"); });

    // Done part in the bar colour, the rest in the back colour. Outside the
    // range the fraction is used as it is: the boxes then reach past an edge.
    rt::Try([&] {
        const float x = static_cast<float>(fraction() * pic.ScaleWidth());
        pic.Line(0, 0, x, pic.ScaleHeight(), BarColor, true, true);
    });
    rt::Try([&] {
        const float x = static_cast<float>(fraction() * pic.ScaleWidth());
        pic.Line(x, 0, pic.ScaleWidth(), pic.ScaleHeight(), BackColor, true, true);
    });

    if (ShowText) {
        rt::Try([&] {
            switch (TextAlign) {
            case 2: pic.CurrentX(pic.ScaleWidth() / 2 - pic.TextWidth(text) / 2); break;
            case 0: pic.CurrentX(1); break;
            case 1: pic.CurrentX(pic.ScaleWidth() - pic.TextWidth(text) - 1); break;
            default: break; // stays where the last fill left it
            }
        });
        rt::Try([&] { pic.CurrentY((pic.ScaleHeight() - pic.TextHeight(text)) / 2); });
        rt::Try([&] { pic.ForeColor(TextColor); });
        rt::Try([&] { pic.Print(text); });
        rt::Try([&] { pic.Refresh(); });
    } else {
        rt::Try([&] { pic.Refresh(); });
    }
}

} // namespace kit
