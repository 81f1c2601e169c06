// The timer: raises its Timer event every Interval milliseconds while it is
// enabled and its form is loaded.
#pragma once

#include <functional>

#include "control.h"

namespace rt {

// Ticks arrive through the message loop, so they also come while a handler
// yields (DoEvents) or waits for a modal box or form. A tick that comes while
// the timer's own handler still runs is dropped: the handler never runs
// inside itself. Setting Interval or Enabled starts the count afresh.
class Timer : public Control {
  public:
    using Control::Control;
    ~Timer() override;
    long Interval() const { return interval_; }
    void Interval(long ms); // 0 (no ticks) to 65535; error 380 otherwise
    bool Enabled() const { return Control::Enabled(); }
    void Enabled(bool v);
    std::function<void()> Tick; // the Timer event (Timer1_Timer)
    void Create() override;
    void Destroy() override;
    // Runtime plumbing: one tick from the message loop.
    void OnTick();

  private:
    void Start();
    void Stop();
    long interval_ = 0;
    HWND timerWindow_ = nullptr; // the window the running timer belongs to
    bool running_ = false;       // the handler is on the stack
};

} // namespace rt
