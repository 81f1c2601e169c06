// What the benchmark programs share: the runtime started, a visible form
// holding the one control under measure, and a stopwatch.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>

#include "rt/forms.h"
#include "rt/services.h"

namespace bench {

// Starts the runtime; first thing in main().
inline void Start() { rt::Initialize(GetModuleHandleW(nullptr)); }

// Where a control goes on its form, in twips.
struct Place {
    long left, top, width, height;
};

// A form of the given inner size (twips) with one control of type C on it.
template <class C> class BenchForm : public rt::Form {
  public:
    BenchForm(const std::string& caption, long width, long height, Place place) {
        Caption(caption);
        ClientSize(width, height);
        Target.Move(place.left, place.top, place.width, place.height);
    }
    // Shows the form and lets it be drawn before anything is measured.
    void ShowAndDraw() {
        Show();
        rt::DoEvents();
    }
    C Target{*this};
};

// Seconds since it was made.
class Stopwatch {
  public:
    double Seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

  private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

} // namespace bench
