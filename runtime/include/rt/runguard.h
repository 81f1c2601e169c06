// A run: a long piece of work, started from one of a form's handlers, that
// yields to the message loop (DoEvents) as it goes, so that the window stays
// usable. While a run is on the stack:
// - a second run on the same form is refused (a second click, a shortcut key
//   pressed again, a command that would start other work on the same form);
// - closing the form (its title bar, Unload from code, unloading every form)
//   waits: the run's stop request is set, the run stops at its next test and
//   unwinds, and the form closes when the run has ended. The run's code never
//   finds its form unloaded under it.
//
//   void frmMain::cmdStart_Click() {
//       rt::RunGuard run(*this, StopRequested);
//       if (!run) return;                    // a run of this form is going on
//       ...   rt::DoEvents(); if (StopRequested) break;   ...
//       if (!run.Closing()) rt::MsgBox(...);  // no box for a window about to close
//   }
#pragma once

#include <chrono>

namespace rt {

class Form;

namespace detail {
// The form's unload path asks this first: true when the unload has to wait
// for a run of the form, which carries it out when it ends.
bool DeferUnloadForRun(Form& form, int unloadMode);
} // namespace detail

class RunGuard {
  public:
    // Begins a run on the form, with the guard's own stop request.
    explicit RunGuard(Form& form);
    // Begins a run whose stop request is the form's own flag: a close that
    // has to wait sets it.
    RunGuard(Form& form, bool& stopRequested);
    // Ends the run; a close asked for meanwhile is carried out now.
    ~RunGuard();
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;

    // False when another run of the form was on the stack: this one must not start.
    explicit operator bool() const { return started_; }
    // A close is waiting for this run to end.
    bool Closing() const { return closeMode_ >= 0; }
    // The run should stop: asked for with RequestStop or the stop flag, or by a close.
    bool StopRequested() const { return Closing() || (stop_ ? *stop_ : ownStop_); }
    void RequestStop();

    // Whether a run of the form is on the stack.
    static bool Running(const Form& form);

  private:
    friend bool detail::DeferUnloadForRun(Form& form, int unloadMode);
    Form& form_;
    bool* stop_ = nullptr;
    bool ownStop_ = false;
    bool started_ = false;
    int closeMode_ = -1; // the unload mode of the close that waits, -1 for none
};

// The pace at which a run shows where it is (and yields with it): often
// enough to look live and to answer Stop at once, seldom enough to cost
// nothing next to the work. Due() is true when the last showing is at least
// `every` old; asked very often (before every short line), it reads the clock
// only every `askedPerLook` questions, reading it costing more than the line.
class RunPacer {
  public:
    explicit RunPacer(std::chrono::milliseconds every, int askedPerLook = 1)
        : every_(every), askedPerLook_(askedPerLook) {}
    bool Due() {
        if (++asked_ < askedPerLook_) return false;
        asked_ = 0;
        const auto now = std::chrono::steady_clock::now();
        if (now - last_ < every_) return false;
        last_ = now;
        return true;
    }
    // Shown outside Due(): the pace counts from now.
    void Shown() { last_ = std::chrono::steady_clock::now(); }

  private:
    std::chrono::milliseconds every_;
    int askedPerLook_;
    int asked_ = 0;
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

} // namespace rt
