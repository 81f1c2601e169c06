// The timer over a window timer of its container.
#include <windows.h>

#include <unordered_set>

#include "forms_internal.h"

namespace rt {

using namespace detail;

namespace {

// The timers alive: a tick posted before its timer went finds nothing here.
std::unordered_set<Timer*>& LiveTimers() {
    static std::unordered_set<Timer*> timers;
    return timers;
}

void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    auto* timer = reinterpret_cast<Timer*>(id);
    if (LiveTimers().count(timer)) timer->OnTick();
}

} // namespace

Timer::~Timer() { Timer::Destroy(); }

void Timer::Interval(long ms) {
    if (ms < 0 || ms > 65535) Raise(errInvalidPropertyValue);
    interval_ = ms;
    Start();
}

void Timer::Enabled(bool v) {
    Control::Enabled(v);
    Start();
}

void Timer::Create() { Start(); }

void Timer::Destroy() {
    Stop();
    Control::Destroy();
}

// (Re)starts the count when the timer should run, stops it otherwise.
void Timer::Start() {
    Stop();
    HWND window = parent_.ContainerHwnd();
    if (!window || !Enabled() || interval_ == 0) return;
    auto id = reinterpret_cast<UINT_PTR>(this);
    if (!SetTimer(window, id, static_cast<UINT>(interval_), TimerProc)) return;
    timerWindow_ = window;
    LiveTimers().insert(this);
}

void Timer::Stop() {
    if (!timerWindow_) return;
    KillTimer(timerWindow_, reinterpret_cast<UINT_PTR>(this));
    timerWindow_ = nullptr;
    LiveTimers().erase(this);
}

void Timer::OnTick() {
    if (running_ || !Tick) return;
    running_ = true;
    Call([this] {
        struct Done {
            bool& flag;
            ~Done() { flag = false; }
        } done{running_};
        Tick();
    });
}

} // namespace rt
