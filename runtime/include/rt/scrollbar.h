// The vertical scroll bar.
#pragma once

#include <functional>

#include "control.h"

namespace rt {

// Min sits at the top, Max at the bottom; Max may be below Min (the bar then
// runs backwards). Values are 16-bit (-32768 to 32767); Value lies between
// Min and Max, and the steps are 1 to 32767: anything else is error 380.
//
// Change comes after every change of Value: by an arrow, a click in the
// track, a key, the end of a thumb drag, or code (also when a new Min or Max
// moves Value). Scroll comes for every move of the thumb while it is dragged.
class VScrollBar : public Control {
  public:
    using Control::Control;
    int Min() const { return min_; }
    void Min(int v);
    int Max() const { return max_; }
    void Max(int v);
    int Value() const { return value_; }
    void Value(int v);
    int SmallChange() const { return small_; }
    void SmallChange(int v);
    int LargeChange() const { return large_; }
    void LargeChange(int v);
    std::function<void()> Change;
    std::function<void()> Scroll;
    void Create() override;
    bool Reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  private:
    int Direction() const { return max_ >= min_ ? 1 : -1; }
    int Clamp(long v) const;
    void ShowRange();
    void ShowValue();
    bool Set(int v); // whether Value changed
    void OnScroll(int code, int thumb); // thumb: the position dragged to
    int min_ = 0, max_ = 32767, value_ = 0, small_ = 1, large_ = 1;
    bool dragging_ = false;
    int dragStart_ = 0;
};

} // namespace rt
